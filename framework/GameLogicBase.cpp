// The level's timer, score, lives and state.
#include "framework/GameLogicBase.h"

#include "engine/core/Engine.h"
#include "framework/LevelManagerBase.h"
#include "framework/ScoreKeeper.h"

#include <string>

namespace GameFramework
{
GameLogicBase::GameLogicBase(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer, StageRecord* stage,
                             LevelRecord* level, u32 livesGiven)
    : lives(livesGiven), m_engine(engine), m_log(engine->GetMessageManager()),
      m_timerManager(engine->GetTimerManager()), m_modelManager(engine->GetModelManager()),
      m_controls(engine->GetControls()), m_soundPlayer(soundPlayer), m_stage(stage), m_level(level)
{
    m_log->Message("");
    const u32 stageNumber = level ? level->stage + 1 : 0;
    const u32 levelNumber = level ? level->level + 1 : 0;
    m_log->Message("Loading level " + std::to_string(stageNumber) + "-" + std::to_string(levelNumber) + "...");
    m_levelTimer = m_timerManager->CreateTimer(0.0f, 1);
    m_scoreKeeper = std::make_unique<ScoreKeeper>(0);
    m_levelTimer->SetTime(0.0f);
    m_levelTimer->Pause(1);
}

GameLogicBase::~GameLogicBase()
{
    m_scoreKeeper.reset();
    m_timerManager->DeleteTimer(m_levelTimer);
}

void GameLogicBase::Update() {}

void GameLogicBase::SetState(u32 state)
{
    if (state != m_state)
    {
        m_levelTimer->Pause(state != StatePlaying ? 1 : 0);
        m_stateChanged = 1;
    }
    m_state = state;
}

void GameLogicBase::Pause(bool pause)
{
    if (m_state == StateLevelComplete || m_state == StateGameOver)
        return;
    SetState(pause ? StatePaused : StatePlaying);
}

void GameLogicBase::PauseTimer(bool pause)
{
    m_levelTimer->Pause(pause ? 1 : 0);
}

bool GameLogicBase::IsTimerPaused() const
{
    return m_levelTimer->IsPaused();
}

f32 GameLogicBase::GetTime() const
{
    return m_levelTimer->GetTime();
}

u32 GameLogicBase::GetPoints() const
{
    return m_scoreKeeper->GetScore();
}

void GameLogicBase::SetPoints(u32 points)
{
    m_scoreKeeper->SetScore(points);
}
}
