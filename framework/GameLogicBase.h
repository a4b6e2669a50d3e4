// The framework's part of the play logic of one level: the level's identity, its timer, its score keeper,
// the lives, and the state word through which play and the framework tell each other that the level is
// paused, complete or lost.
#pragma once

#include "engine/core/Types.h"

#include <memory>

namespace VelkorEngine
{
class Controls;
class Engine;
class MessageManager;
class ModelManager;
class Timer;
class TimerManager;
}

namespace GameFramework
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GameSoundPlayer;
class ScoreKeeper;
struct LevelRecord;
struct StageRecord;

class GameLogicBase
{
public:
    enum State : u32
    {
        StatePlaying = 0,
        StatePaused = 1,
        StateLevelComplete = 2,
        StateGameOver = 3
    };

    // The level timer starts at 0 and paused: it counts once the play logic resumes it.
    GameLogicBase(VelkorEngine::Engine* engine, GameSoundPlayer* soundPlayer, StageRecord* stage, LevelRecord* level,
                  u32 lives);
    virtual ~GameLogicBase();

    GameLogicBase(const GameLogicBase&) = delete;
    GameLogicBase& operator=(const GameLogicBase&) = delete;

    virtual void Update();
    // A new state pauses the level timer (or resumes it for playing) and marks the change.
    virtual void SetState(u32 state);

    // A finished level (complete or lost) can no longer be paused or resumed.
    void Pause(bool pause);
    void PauseTimer(bool pause);
    bool IsTimerPaused() const;
    f32 GetTime() const;
    u32 GetPoints() const;
    void SetPoints(u32 points);
    ScoreKeeper& GetScoreKeeper() { return *m_scoreKeeper; }

    u32 GetState() const { return m_state; }
    bool HasStateChanged() const { return m_stateChanged != 0; }
    // After every dispatch of window results.
    void ClearStateChanged() { m_stateChanged = 0; }
    StageRecord* GetStageRecord() const { return m_stage; }
    LevelRecord* GetLevelRecord() const { return m_level; }

    u32 lives = 0;
    // The play logic's own use.
    f32 value = 0.0f;

protected:
    VelkorEngine::Engine* m_engine = nullptr;
    VelkorEngine::MessageManager* m_log = nullptr;
    VelkorEngine::TimerManager* m_timerManager = nullptr;
    VelkorEngine::ModelManager* m_modelManager = nullptr;
    VelkorEngine::Controls* m_controls = nullptr;
    GameSoundPlayer* m_soundPlayer = nullptr;

private:
    VelkorEngine::Timer* m_levelTimer = nullptr;
    std::unique_ptr<ScoreKeeper> m_scoreKeeper;
    StageRecord* m_stage = nullptr;
    LevelRecord* m_level = nullptr;
    u32 m_state = StatePlaying;
    u8 m_stateChanged = 0;
};
}
