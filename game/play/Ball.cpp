// A ball's models, its place on the bat and its roll.
#include "game/play/Ball.h"

#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/Sprite.h"
#include "engine/scene/SpriteGroup.h"
#include "framework/DataKeeper.h"
#include "game/play/Bat.h"
#include "game/play/Effects.h"
#include "game/play/Shadow.h"

#include <algorithm>
#include <cmath>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr const char* kModelNames[] = {"balls/simple/model", "balls/super/model"};
constexpr const char* kTrailNames[] = {"balls/simple/train", "balls/super/train"};
// A held ball sits this far right of the head's centre, in head half widths.
constexpr f32 kRestOffset = 0.3f;

f32 SmallestHalfExtent(const BoundingVolume& box)
{
    const Vector3 size = box.GetMaximum() - box.GetMinimum();
    return 0.5f * std::min({size.x, size.y, size.z});
}
}

Ball::Ball(Engine* engine, GameTools::DataKeeper* resources, Effects* effects, SpriteGroup* flares)
    : m_modelManager(engine->GetModelManager()), m_effects(effects),
      m_particles(engine->GetParticleSystemManager()), m_flares(flares)
{
    MakeIdentityMatrix(m_roll);
    for (u32 kind = 0; kind < 2; ++kind)
    {
        m_models[kind] = m_modelManager->CreateModelCopy(*resources->GetModel(kModelNames[kind]), nullptr, 0);
        // The mesh never changes shape: its box is measured once, and every frame only moves it.
        m_models[kind]->ComputeBounds(m_boxes[kind], Model::InModelSpace);
        m_radii[kind] = std::max(SmallestHalfExtent(m_boxes[kind]), 0.01f);
        m_shadows[kind] = effects->GetShadow(effects->AddShadow(nullptr, m_models[kind], true));
        if (const ParticleSystem* trail = resources->GetParticleSystem(kTrailNames[kind]))
            m_trails[kind] = m_particles->CreateParticleSystemCopy(*trail);
        if (m_trails[kind] != nullptr)
        {
            m_trails[kind]->active = 0;
            m_trails[kind]->SetVisible(false);
        }
    }
    Deactivate();
}

Ball::~Ball()
{
    ReleaseFlare();
    for (u32 kind = 0; kind < 2; ++kind)
    {
        m_particles->DeleteParticleSystem(m_trails[kind]);
        if (m_shadows[kind] != nullptr)
            m_effects->RemoveShadow(m_shadows[kind]);
        m_modelManager->DeleteModel(m_models[kind]);
    }
}

void Ball::Place(const Bat* bat, u32 kind)
{
    Deactivate();
    m_heldOn = bat;
    m_active = true;
    TakeFlare();
    SetKind(kind);
    m_flight.position = GetRestPosition();
    m_flight.direction = Vector2(0.0f, 1.0f);
    PlaceModels();
}

void Ball::Launch()
{
    if (m_heldOn == nullptr)
        return;
    m_flight.position = GetRestPosition();
    m_flight.direction = m_heldOn->GetBounceDirection(Vector3(m_flight.position.x, m_flight.position.y, 0.0f));
    m_heldOn = nullptr;
    StartTrail();
}

void Ball::Release(const Vector2& position, const Vector2& direction)
{
    m_heldOn = nullptr;
    m_flight.position = position;
    const f32 length = direction.Length();
    m_flight.direction = length > 0.0001f ? Vector2(direction.x / length, direction.y / length) : Vector2(0.0f, 1.0f);
    PlaceModels();
    StartTrail();
}

void Ball::Deactivate()
{
    m_active = false;
    m_heldOn = nullptr;
    ReleaseFlare();
    StopTrails();
    for (u32 kind = 0; kind < 2; ++kind)
    {
        m_models[kind]->ClearFlags(ModelFlags::Visible);
        if (m_shadows[kind] != nullptr)
            m_shadows[kind]->Show(false);
    }
}

// The new kind's trail takes over where the old one left off, emitting if it was.
void Ball::SetKind(u32 kind)
{
    const bool trailing = m_trails[m_kind] != nullptr && m_trails[m_kind]->active != 0;
    StopTrails();
    m_kind = kind == BallKind::Super ? BallKind::Super : BallKind::Simple;
    m_flight.radius = m_radii[m_kind];
    ShowKind();
    if (trailing)
        StartTrail();
}

void Ball::SetPaused(bool paused)
{
    m_paused = paused;
    if (m_trails[m_kind] != nullptr && m_active && m_heldOn == nullptr)
        m_trails[m_kind]->active = paused ? 0 : 1;
}

// The trail runs as long as the ball flies, however long its own cycle; a trail started again keeps the
// particles it left behind.
void Ball::StartTrail()
{
    ParticleSystem* trail = m_trails[m_kind];
    if (trail == nullptr || !m_active)
        return;
    PlaceEffects();
    if (trail->active == 0)
        trail->time = 0.0f;
    trail->loop = 1;
    trail->active = m_paused ? 0 : 1;
    trail->SetVisible(true);
}

// Stopped trails stay shown while their last particles fade.
void Ball::StopTrails()
{
    for (ParticleSystem* trail : m_trails)
        if (trail != nullptr)
            trail->active = 0;
}

void Ball::TakeFlare()
{
    if (m_flares == nullptr || m_hasFlare || m_flares->GetFreeCount() == 0)
        return;
    m_flare = m_flares->AddSprite(Vector3(), FlareSize, Color(1.0f, 1.0f, 1.0f, 1.0f));
    m_hasFlare = true;
}

void Ball::ReleaseFlare()
{
    if (!m_hasFlare)
        return;
    m_flares->ReleaseSprite(m_flare);
    m_hasFlare = false;
}

const Sprite* Ball::GetFlare() const
{
    return m_hasFlare ? m_flares->GetSprite(m_flare) : nullptr;
}

void Ball::ShowKind()
{
    for (u32 kind = 0; kind < 2; ++kind)
    {
        const bool shown = m_active && kind == m_kind;
        if (shown)
            m_models[kind]->SetFlags(ModelFlags::Visible);
        else
            m_models[kind]->ClearFlags(ModelFlags::Visible);
        if (m_shadows[kind] != nullptr)
            m_shadows[kind]->Show(shown);
    }
}

Vector2 Ball::GetRestPosition() const
{
    if (m_heldOn == nullptr)
        return m_flight.position;
    const BoundingVolume head = m_heldOn->GetHeadBounds();
    return Vector2(head.GetCenter().x + kRestOffset * m_heldOn->GetHeadHalfWidth(),
                   head.GetWorldMaximum().y + m_flight.radius);
}

void Ball::Prepare(f32 dt, f32 activity)
{
    if (!m_active)
        return;
    if (m_heldOn != nullptr)
    {
        m_flight.position = GetRestPosition();
        m_flight.motion = Vector2();
        return;
    }
    const f32 step = m_speed * dt * activity;
    m_flight.motion = Vector2(m_flight.direction.x * step, m_flight.direction.y * step);
}

void Ball::Update()
{
    if (!m_active)
        return;
    if (m_heldOn != nullptr)
        m_flight.position = GetRestPosition();
    PlaceModels();
}

// The ball rolls about the axis across its motion by the distance moved over its diameter.
void Ball::PlaceModels()
{
    const f32 distance = m_flight.motion.Length();
    if (distance > 0.0f)
    {
        Matrix4 step;
        MakeRotationAxisMatrix(step, Vector3(m_flight.direction.y, -m_flight.direction.x, 0.0f),
                               -distance / (2.0f * m_flight.radius));
        m_roll = step * m_roll;
    }
    Matrix4 place;
    MakeTranslationMatrix(place, Vector3(m_flight.position.x, m_flight.position.y, m_flight.radius));
    for (u32 kind = 0; kind < 2; ++kind)
    {
        Model& model = *m_models[kind];
        model.worldMatrix = place * m_roll;
        model.bounds = m_boxes[kind];
        model.bounds.SetTransform(model.worldMatrix);
    }
    PlaceEffects();
}

// The trail comes from the ball's centre; the flare glows a little up, back and left of it.
void Ball::PlaceEffects()
{
    const Vector3 centre = m_models[m_kind]->bounds.GetCenter();
    if (m_trails[m_kind] != nullptr)
        m_trails[m_kind]->SetPosition(centre);
    if (!m_hasFlare)
        return;
    const f32 r = m_flight.radius;
    if (Sprite* flare = m_flares->GetSprite(m_flare))
        flare->position = centre + Vector3(-r, r, r) * FlareOffset;
}

BoundingVolume Ball::GetBounds() const
{
    return m_models[m_kind]->bounds;
}
}
