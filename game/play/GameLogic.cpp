// One level's play, frame by frame.
#include "game/play/GameLogic.h"

#include "engine/core/Engine.h"
#include "engine/core/Quaternion.h"
#include "engine/core/TimerManager.h"
#include "framework/GameCamera.h"
#include "framework/GameSoundPlayer.h"
#include "framework/ScoreKeeper.h"
#include "game/play/BallManager.h"
#include "game/play/Barrier.h"
#include "game/play/Bat.h"
#include "game/play/Bonus.h"
#include "game/play/BonusManager.h"
#include "game/play/BulletManager.h"
#include "game/play/Effects.h"
#include "game/play/Environment.h"
#include "game/play/FloatingTexts.h"
#include "game/play/GameField.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogicData.h"
#include "game/play/Gun.h"
#include "game/play/Hammer.h"
#include "game/play/LevelManager.h"
#include "game/play/Lighting.h"
#include "guitools/GUITextTool.h"


namespace Korvane
{
using namespace VelkorEngine;

namespace
{
constexpr std::array<u32, GameLogic::ScoreEventCount> kScorePoints{85, 5, 5, 5, 5, 10, 10, 20, 15};
// The caught-bonus texts; the super ball's differs from its bonus's resource name.
constexpr std::array<const char*, GameLogic::BonusTypeCount> kBonusTextNames{
    "life",        "bat_increase", "bat_decrease", "balls_speed_up", "balls_slow_down", "balls_split",
    "super_ball",  "barrier",      "arbalest",     "ballista",       "hammer"};
constexpr f32 kFieldOfView = 3.14159265f / 2.0f;
constexpr f32 kNearPlane = 70.0f;
constexpr f32 kFarPlane = 650.0f;
constexpr u32 kFirstBallKind = 0;
}

GameLogic::GameLogic(const GameLogicServices& services, StageInfo* stage, LevelInfo* level, u32 lives,
                     std::unique_ptr<FloatingTexts> floatingTexts)
    : GameLogicBase(services.engine, services.sounds, stage, level, lives), m_services(services),
      m_texts(std::move(floatingTexts))
{
    RegisterScoreEvents();
    CreateCamera();
    Engine* engine = services.engine;
    m_lighting = std::make_unique<Lighting>(engine, "lighting.ini");
    m_effects = std::make_unique<Effects>(engine);
    m_effects->SetShadowDirection(m_lighting->GetShadowDirection());
    m_field = std::make_unique<GameField>(engine, "field.krf");
    m_environment = std::make_unique<Environment>(engine, services.level, stage->environment);
    m_barrier = std::make_unique<Barrier>(engine, services.resources, m_effects.get());
    m_bonuses = std::make_unique<BonusManager>(engine, services.resources, m_effects.get(), services.sounds);
    m_geometry = std::make_unique<GameGeometry>(engine, services.resources, services.level, m_effects.get(),
                                                &GetScoreKeeper(), services.sounds);
    m_bat = std::make_unique<Bat>(engine, services.resources, m_effects.get(), services.sounds, services.cursor);
    m_bullets = std::make_unique<BulletManager>(engine, services.resources, m_geometry.get(), m_field.get(),
                                                m_effects.get(), services.sounds);
    for (u32 type = 0; type < m_guns.size(); ++type)
        m_guns[type] = std::make_unique<Gun>(engine, m_bat.get(), m_bullets.get(), m_effects.get(), services.resources,
                                             type);
    m_hammer = std::make_unique<Hammer>(engine, services.resources, m_geometry.get(), m_effects.get(), services.sounds,
                                        services.cursor);
    m_balls = std::make_unique<BallManager>(engine, services.resources, m_effects.get(), m_field.get(),
                                            m_geometry.get(), m_bat.get(), services.sounds, lives, m_barrier.get());
    m_geometry->Build(m_balls.get(), m_bonuses.get());
    m_balls->AddBall(kFirstBallKind);
    PauseTimer(true);
    PlaySound(SoundLevelBegin);
}

// The balls go before the blocks they can still hit, the blocks before the effects holding their shadows.
GameLogic::~GameLogic()
{
    m_balls.reset();
    m_hammer.reset();
    m_guns[0].reset();
    m_guns[1].reset();
    m_bullets.reset();
    m_bat.reset();
    m_geometry.reset();
    m_bonuses.reset();
    m_barrier.reset();
    m_lighting.reset();
    m_environment.reset();
    m_field.reset();
    m_effects.reset();
    m_camera.reset();
    m_texts.reset();
}

void GameLogic::RegisterScoreEvents()
{
    for (u32 id = 0; id < ScoreEventCount; ++id)
        GetScoreKeeper().RegisterScoreEvent(id, kScorePoints[id]);
}

void GameLogic::CreateCamera()
{
    m_camera = std::make_unique<GameTools::GameCamera>(m_engine);
    m_camera->SetFieldOfView(kFieldOfView);
    m_camera->SetNearPlane(kNearPlane);
    m_camera->SetFarPlane(kFarPlane);
    m_camera->startRotation = Quaternion(0.4939f, 0.0f, 0.0f, 0.8695f);
    m_camera->startPosition = Vector3(0.0f, -140.0f, 98.0f);
    m_camera->ResetToStartPose();
}

std::string GameLogic::BonusTextKey(u32 type)
{
    return type < BonusTypeCount ? std::string("game_logic/bonuses/") + kBonusTextNames[type] : std::string();
}

bool GameLogic::IsBallInPlay() const
{
    return m_balls->IsBallInPlay();
}

void GameLogic::Update()
{
    const f32 dt = m_engine->GetTimerManager()->GetFrameTime();
    GameLogicBase::Update();
    if (m_activity.Update(GetState() == StatePlaying, dt))
        SetObjectsStopped(m_activity.IsStopped());
    const f32 activity = m_activity.GetValue();
    m_camera->Update();
    if (m_clickPending)
        HandleClick();
    m_field->Update();
    m_environment->Update();
    m_lighting->Update();
    m_geometry->Update(activity);
    m_bat->Update(activity);
    m_balls->Update(lives, activity);
    if (m_geometry->GetRemainingCount() < static_cast<i32>(FewBlocksLeft))
        m_bonuses->ArmHammerTimer();
    m_bonuses->Update(IsBallInPlay(), static_cast<i32>(lives), activity);
    UpdateLives();
    UpdateCompletion(dt);
    CatchBonuses();
    UpdateWeapons(activity);
    m_effects->Update();
    UpdateTexts();
    m_clickPending = false;
    UpdateLevelTimer();
}

void GameLogic::SetObjectsStopped(bool stopped)
{
    m_balls->SetPaused(stopped);
    m_geometry->SetPaused(stopped);
    m_bonuses->SetPaused(stopped);
    m_bat->SetPaused(stopped);
    for (const auto& gun : m_guns)
        gun->SetBlocked(stopped);
    m_hammer->SetBlocked(stopped);
    m_bullets->SetPaused(stopped);
}

// A held ball is launched; the hammer strikes on every click whatever else the click did. The level's first bat
// is ready while it still slides up from below the field, where a launched ball would be lost at once: such a
// click launches nothing, and fires nothing either.
void GameLogic::HandleClick()
{
    if (m_bat->IsReady() && m_balls->HasHeldBall() && !m_activity.IsStopped())
    {
        if (m_bat->HasRisen())
            m_balls->RequestLaunch();
    }
    else if (MayFire(*m_guns[0]))
        m_guns[0]->RequestFire();
    else if (MayFire(*m_guns[1]))
        m_guns[1]->RequestFire();
    if (!m_hammer->IsBlocked() && m_hammer->StrikesLeft() > 0)
        m_hammer->RequestStrike();
}

bool GameLogic::MayFire(const Gun& gun) const
{
    return !gun.IsBlocked() && gun.Charges() > 0;
}

void GameLogic::PutGunsAway()
{
    for (const auto& gun : m_guns)
        gun->Remove();
}

// The barrier has nothing to move of its own; the guns and the hammer run at the activity their stopped flags
// follow.
void GameLogic::UpdateWeapons(f32 activity)
{
    for (const auto& gun : m_guns)
        gun->Update();
    m_hammer->Update();
    m_bullets->Update(activity);
}

void GameLogic::UpdateLives()
{
    const bool playingOn = m_geometry->GetRemainingCount() <= 0 || !m_balls->GetBalls().empty();
    if (playingOn && !m_bat->IsHidden())
        return;
    if (lives > 0)
    {
        if (m_bat->IsReady() && !m_bat->IsHidden())
            LoseBat();
        else if (!m_bat->IsReady())
        {
            m_bat->Reset();
            m_balls->AddBall(kFirstBallKind);
        }
        return;
    }
    if (GetState() != StatePlaying)
        return;
    PlaySound(SoundLevelFailed);
    SetState(StateGameOver);
    // The last life already broke the bat; breaking it again would replay its sound and fragments.
    if (!m_bat->IsHidden())
        m_bat->Destroy();
}

void GameLogic::LoseBat()
{
    --lives;
    m_bat->Destroy();
    PutGunsAway();
    m_hammer->Remove();
    m_balls->ResetSpeed(true);
}

void GameLogic::UpdateCompletion(f32 dt)
{
    if (m_geometry->GetRemainingCount() > 0)
        return;
    m_completionTime += dt;
    if (m_completionTime > CompletionDelay && GetState() == StatePlaying)
    {
        PlaySound(SoundLevelComplete);
        SetState(StateLevelComplete);
    }
}

void GameLogic::CatchBonuses()
{
    if (!m_bat->IsReady() || m_bat->IsHidden())
        return;
    const auto& bonuses = m_bonuses->GetBonuses();
    for (u32 index = 0; index < bonuses.size(); ++index)
    {
        const Bonus& bonus = *bonuses[index];
        if (!bonus.IsFalling() || !bonus.GetBounds().Intersects(m_bat->GetBounds()))
            continue;
        ApplyBonus(bonus.GetKind());
        ShowBonusText(bonus.GetKind(), bonus.GetPosition());
        m_bonuses->Catch(index);
        GetScoreKeeper().AddScore(ScoreBonusCaught, 1);
        PlaySound(SoundBonusCaught);
    }
}

// The window that ends the level comes up over the play, and a text still rising would be drawn across it: the
// texts go when the level ends, and none comes after.
void GameLogic::UpdateTexts()
{
    if (m_texts == nullptr)
        return;
    if (HasLevelEnded())
        m_texts->Clear();
    else
        m_texts->Update();
}

bool GameLogic::HasLevelEnded() const
{
    return GetState() == StateLevelComplete || GetState() == StateGameOver;
}

void GameLogic::ShowBonusText(u32 type, const Vector3& point)
{
    if (type >= BonusTypeCount || m_texts == nullptr || m_services.texts == nullptr || HasLevelEnded())
        return;
    m_texts->CreateTextAt(m_services.texts->GetText(BonusTextKey(type)), point);
}

void GameLogic::ApplyBonus(u32 type)
{
    switch (type)
    {
    case BonusLife:
        ++lives;
        break;
    case BonusBatIncrease:
        m_bat->Widen();
        break;
    case BonusBatDecrease:
        m_bat->Narrow();
        break;
    case BonusBallsSpeedUp:
        m_balls->StartSpeedUp();
        break;
    case BonusBallsSlowDown:
        m_balls->StartSlowDown();
        break;
    case BonusBallsSplit:
        m_balls->SplitBalls();
        break;
    case BonusSuperBall:
        m_balls->MakeSuperBalls();
        break;
    case BonusBarrier:
        m_barrier->AddRope();
        break;
    case BonusArbalest:
        m_guns[1]->Remove();
        m_guns[0]->AddCharges(ArbalestShots);
        break;
    case BonusBallista:
        m_guns[0]->Remove();
        m_guns[1]->AddCharges(BallistaShots);
        break;
    case BonusHammer:
        m_hammer->AddStrikes(HammerStrikes);
        break;
    default:
        break;
    }
}

// The level's time counts only while a ball is free and the level is played.
void GameLogic::UpdateLevelTimer()
{
    PauseTimer(GetState() != StatePlaying || !IsBallInPlay());
}

void GameLogic::PlaySound(u32 id) const
{
    if (m_soundPlayer != nullptr)
        m_soundPlayer->PlaySound(id);
}
}
