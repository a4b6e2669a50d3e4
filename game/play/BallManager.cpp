// Balls in play, swept through the collision world once a frame.
#include "game/play/BallManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroup.h"
#include "engine/scene/SpriteGroupManager.h"
#include "framework/DataKeeper.h"
#include "framework/GameSoundPlayer.h"
#include "game/play/Ball.h"
#include "game/play/BallFlight.h"
#include "game/play/BallKeeper.h"
#include "game/play/Barrier.h"
#include "game/play/Bat.h"
#include "game/play/Block.h"
#include "game/play/Bounce.h"
#include "game/play/GameField.h"
#include "game/play/GameGeometry.h"
#include "game/play/Physics.h"
#include "game/play/UnboundedDepth.h"

#include <cmath>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
// The bat's parts reach a little further down than they are drawn, and as far up and down in z as anything.
constexpr f32 kBatPartDrop = 3.0f;
constexpr f32 kBarrierReach = 1000.0f;
constexpr f32 kTwoPi = 6.28318531f;
// A held ball split off goes at least this much upwards.
constexpr f32 kLeastSplitRise = 0.1f;

// Nothing gets past the ropes, however far to the side.
BoundingVolume BarrierBox(const BoundingVolume& ropes)
{
    BoundingVolume box;
    box.SetBox(Vector3(-kBarrierReach, ropes.GetWorldMinimum().y, -kUnboundedZ),
               Vector3(kBarrierReach, ropes.GetWorldMaximum().y, kUnboundedZ));
    return box;
}

BoundingVolume BatPartBox(const BoundingVolume& part)
{
    BoundingVolume box;
    box.SetBox(Vector3(part.GetWorldMinimum().x, part.GetWorldMinimum().y - kBatPartDrop, -kUnboundedZ),
               Vector3(part.GetWorldMaximum().x, part.GetWorldMaximum().y - kBatPartDrop, kUnboundedZ));
    return box;
}
}

BallManager::BallManager(Engine* engine, GameTools::DataKeeper* resources, Effects* effects, const GameField* field,
                         GameGeometry* geometry, Bat* bat, GameFramework::GameSoundPlayer* sounds, u32 lives,
                         Barrier* barrier)
    : m_engine(engine), m_field(field), m_geometry(geometry), m_bat(bat), m_barrier(barrier), m_sounds(sounds),
      m_physics(std::make_unique<Physics>(engine)), m_speed(lives), m_limits(FieldLimits::FromWalls(field->GetZones()))
{
    if (const ShaderUser* flare = resources->GetShaderUser("balls/flare"))
        m_flares = engine->GetSpriteGroupManager()->CreateSpriteGroup(PoolSize, flare, nullptr);
    if (m_flares != nullptr && m_flares->GetModel() != nullptr)
        m_flares->GetModel()->depthOffset = FlareSortBias;
    for (auto& ball : m_pool)
        ball = std::make_unique<Ball>(engine, resources, effects, m_flares);
    const char* hitNames[] = {"balls/simple/hit", "balls/super/hit"};
    ParticleSystemManager* particles = engine->GetParticleSystemManager();
    for (u32 kind = 0; kind < 2; ++kind)
        if (const ParticleSystem* source = resources->GetParticleSystem(hitNames[kind]))
            for (u32 i = 0; i < HitEffectCount; ++i)
                if (ParticleSystem* effect = particles->CreateParticleSystemCopy(*source))
                {
                    effect->active = 0;
                    effect->SetVisible(false);
                    m_hitEffects[kind].push_back(effect);
                }
    m_speed.Reset(false);
}

BallManager::~BallManager()
{
    // The balls give their flares back before the group goes.
    for (auto& ball : m_pool)
        ball.reset();
    if (m_flares != nullptr)
        m_engine->GetSpriteGroupManager()->DeleteSpriteGroup(m_flares);
    for (auto& effects : m_hitEffects)
        for (ParticleSystem* effect : effects)
            m_engine->GetParticleSystemManager()->DeleteParticleSystem(effect);
}

void BallManager::ShowHitEffect(u32 kind, const Vector3& point)
{
    ParticleSystem* effect = FreeHitEffect(m_hitEffects[kind == BallKind::Super ? 1 : 0]);
    if (effect == nullptr)
        return;
    effect->SetPosition(point);
    effect->time = 0.0f;
    effect->active = 1;
    effect->SetVisible(true);
}

// An effect still showing an earlier hit's sparks keeps them fading where that hit was: a new hit takes one
// that holds nothing. Should every effect still be showing sparks, one that no longer emits gives them up
// rather than show them at the new place.
ParticleSystem* BallManager::FreeHitEffect(const std::vector<ParticleSystem*>& effects)
{
    ParticleSystem* quiet = nullptr;
    for (ParticleSystem* effect : effects)
    {
        if (effect->IsSpent())
            return effect;
        if (quiet == nullptr && effect->active == 0)
            quiet = effect;
    }
    if (quiet != nullptr)
        quiet->ReleaseAllParticles();
    return quiet;
}

// Only once the last spark has died: a hidden system stands still, and its sparks would wait to show again.
void BallManager::HideSpentHitEffects()
{
    for (auto& effects : m_hitEffects)
        for (ParticleSystem* effect : effects)
            if (effect->IsSpent())
                effect->SetVisible(false);
}

Ball* BallManager::TakePoolBall(u32 kind)
{
    for (auto& ball : m_pool)
        if (!ball->IsActive())
        {
            m_inPlay.push_back(ball.get());
            return ball.get();
        }
    for (auto& ball : m_pool)
        if (ball->GetKind() == kind)
            return ball.get();
    return m_pool[0].get();
}

Ball* BallManager::AddBall(u32 kind)
{
    Ball* ball = TakePoolBall(kind);
    ball->Place(m_bat, kind);
    ball->SetSpeed(m_speed.GetSpeed());
    return ball;
}

Ball* BallManager::AddFreeBall(u32 kind, const Vector2& position, const Vector2& direction)
{
    Ball* ball = AddBall(kind);
    ball->Release(position, direction);
    return ball;
}

void BallManager::RemoveBall(u32 index)
{
    if (index >= m_inPlay.size())
        return;
    m_inPlay[index]->Deactivate();
    m_inPlay.erase(m_inPlay.begin() + index);
}

bool BallManager::HasHeldBall() const
{
    for (const Ball* ball : m_inPlay)
        if (ball->IsHeld())
            return true;
    return false;
}

// Every pool ball learns it, so that one taken out of play meanwhile does not come back stopped.
void BallManager::SetPaused(bool paused)
{
    m_stopped = paused;
    for (auto& ball : m_pool)
        ball->SetPaused(paused);
}

void BallManager::MakeSuperBalls()
{
    for (Ball* ball : m_inPlay)
        ball->SetKind(BallKind::Super);
}

void BallManager::SplitBalls()
{
    const std::vector<Ball*> splitting = m_inPlay;
    for (Ball* ball : splitting)
    {
        Vector2 base = ball->GetFlight().direction;
        if (ball->IsHeld())
        {
            base = Vector2(RandomSignedFloat(), std::max(RandomFloat(), kLeastSplitRise));
            base.SetLength(1.0f);
        }
        const Vector2 from = ball->IsHeld() ? ball->GetRestPosition() : ball->GetFlight().position;
        for (u32 n = 0; n < 2; ++n)
        {
            Ball* added = AddBall(ball->GetKind());
            if (added == ball)
                continue;
            added->Release(from, Bounce::Turn(base, static_cast<f32>(n + 1) * kTwoPi / 3.0f));
        }
    }
}

void BallManager::Update(u32 lives, f32 activity)
{
    const f32 dt = m_engine->GetTimerManager()->GetFrameTime();
    m_speed.SetLives(lives);
    if (m_stopped)
    {
        for (Ball* ball : m_inPlay)
            if (ball->IsHeld())
                ball->Update();
        return;
    }
    RemoveLostBalls();
    GuardEscape();
    m_ballInPlay = false;
    for (const Ball* ball : m_inPlay)
        m_ballInPlay = m_ballInPlay || !ball->IsHeld();
    if (m_ballInPlay)
        m_speed.Update(dt);
    for (Ball* ball : m_inPlay)
        ball->SetSpeed(m_speed.GetSpeed());
    if (m_launchRequested)
    {
        for (Ball* ball : m_inPlay)
            if (ball->IsHeld())
            {
                ball->Launch();
                break;
            }
        m_launchRequested = false;
    }
    BuildObjects();
    std::set<u32> ignored;
    // A keeper broken on the way adds its ball to the list being walked: the walk goes by index over the balls
    // it started with, and a ball that joins moves from the next frame on.
    const size_t moving = m_inPlay.size();
    for (size_t i = 0; i < moving; ++i)
    {
        Ball* ball = m_inPlay[i];
        ball->Prepare(dt, activity);
        if (!ball->IsHeld())
            StepBall(*ball, ignored);
        ball->Update();
    }
    m_physics->ClearObjects();
    HideSpentHitEffects();
}

void BallManager::RemoveLostBalls()
{
    for (u32 i = 0; i < m_inPlay.size();)
    {
        if (!m_inPlay[i]->IsHeld() && BallFlight::IsLost(m_inPlay[i]->GetFlight()))
        {
            RemoveBall(i);
            PlaySound(SoundLost);
        }
        else
            ++i;
    }
}

// Balls that have got out of the field altogether are taken back: one ball goes back onto the bat.
void BallManager::GuardEscape()
{
    if (m_inPlay.empty())
        return;
    for (const Ball* ball : m_inPlay)
        if (ball->GetBounds().Intersects(m_field->GetBounds()))
            return;
    const u32 kind = m_inPlay.front()->GetKind();
    while (!m_inPlay.empty())
        RemoveBall(0);
    AddBall(kind);
}

void BallManager::BuildObjects()
{
    if (m_bat != nullptr && !m_bat->IsHidden())
    {
        m_physics->AddStaticObject(BatPartBox(m_bat->GetHeadBounds()), CollisionIds::BatHead);
        m_physics->AddStaticObject(BatPartBox(m_bat->GetBodyBounds()), CollisionIds::BatBody);
    }
    if (m_barrier != nullptr && m_barrier->RopesUp() > 0)
        m_physics->AddStaticObject(BarrierBox(m_barrier->GetCollisionBox()), CollisionIds::Barrier);
    if (m_geometry == nullptr)
        return;
    const auto& blocks = m_geometry->GetBlocks();
    for (u32 i = 0; i < blocks.size(); ++i)
    {
        const Block& block = *blocks[i];
        if (!block.IsAlive() || !m_geometry->GetStack().GetSupports(block.GetId()).empty())
            continue;
        const Model* model = block.GetCollisionModel() != nullptr ? block.GetCollisionModel() : block.GetModel();
        m_physics->AddModelObject(model, model->worldMatrix, CollisionIds::BlockIdBase + i);
    }
}

void BallManager::StepBall(Ball& ball, std::set<u32>& ignored)
{
    BatShape bat;
    if (m_bat != nullptr)
    {
        bat.headCentreX = m_bat->GetHeadBounds().GetCenter().x;
        bat.headHalfWidth = m_bat->GetHeadHalfWidth();
        bat.bodyCentreX = m_bat->GetBodyBounds().GetCenter().x;
    }
    const BallHit hit = BallFlight(*m_physics, m_limits).Step(ball.GetFlight(), ignored, bat);
    if (hit.kind != BallHit::Kind::None)
        ShowHitEffect(ball.GetKind(), hit.point);
    if (hit.kind == BallHit::Kind::Wall)
    {
        PlaySound(ball.GetKind() == BallKind::Super ? SoundHitFieldSuper : SoundHitFieldSimple);
        return;
    }
    if (hit.kind != BallHit::Kind::Object)
        return;
    if (hit.id == CollisionIds::BatHead || hit.id == CollisionIds::BatBody)
    {
        if (hit.id == CollisionIds::BatHead && m_bat != nullptr)
            m_bat->KnockBack();
        PlaySound(SoundHitBat);
        return;
    }
    if (hit.id == CollisionIds::Barrier)
        HitBarrier(ignored);
    if (hit.id >= CollisionIds::BlockIdBase)
        HitBlock(ball, hit.id - CollisionIds::BlockIdBase, ignored);
}

// Each ball that reaches the ropes breaks one; with the last one gone the rest of the frame's balls pass.
void BallManager::HitBarrier(std::set<u32>& ignored)
{
    PlaySound(SoundHitBarrier);
    if (m_barrier == nullptr)
        return;
    m_barrier->RemoveRope();
    if (m_barrier->RopesUp() == 0)
        ignored.insert(CollisionIds::Barrier);
}

// The block's index is the one the collision world was filled with this frame; nothing is removed before
// the frame's balls have all moved.
void BallManager::HitBlock(Ball& ball, u32 index, std::set<u32>& ignored)
{
    if (m_geometry == nullptr || index >= m_geometry->GetBlocks().size())
        return;
    Block& block = *m_geometry->GetBlocks()[index];
    if (auto* keeper = dynamic_cast<BallKeeper*>(&block))
        keeper->SetReleaseDirection(ball.GetFlight().direction);
    block.Destroy(ball.GetKind(), false);
    if (block.IsAlive())
        return;
    ignored.insert(CollisionIds::BlockIdBase + index);
    m_speed.RiseForBlock(static_cast<u32>(std::max(m_geometry->GetInitialCount(), 0)));
}

void BallManager::PlaySound(u32 id) const
{
    if (m_sounds != nullptr)
        m_sounds->PlaySound(id);
}
}
