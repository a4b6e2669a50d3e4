// A bolt's flight, what it meets, and its effects.
#include "game/play/Bullet.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/DataKeeper.h"
#include "framework/GameSoundPlayer.h"
#include "game/play/Block.h"
#include "game/play/BrickDurability.h"
#include "game/play/Effects.h"
#include "game/play/GameField.h"
#include "game/play/GameGeometry.h"
#include "game/play/Gun.h"
#include "game/play/ModelPlacement.h"
#include "game/play/Shadow.h"
#include "game/play/UnboundedDepth.h"

#include <algorithm>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
// The burst is drawn over what stands near it, the nearer ones further over.
constexpr f32 kBurstDepthKey = -0.3f;
constexpr f32 kBurstDepthPerUnit = 0.0005f;

BoundingVolume Stretched(const BoundingVolume& box)
{
    return BoundingVolume(Vector3(box.GetWorldMinimum().x, box.GetWorldMinimum().y, -kUnboundedZ),
                          Vector3(box.GetWorldMaximum().x, box.GetWorldMaximum().y, kUnboundedZ));
}

BoundingVolume Swept(const BoundingVolume& from, const BoundingVolume& to)
{
    BoundingVolume swept = from;
    swept.Merge(to);
    return swept;
}
}

Bullet::Bullet(const BulletServices& services, u32 type)
    : m_services(services), m_modelManager(services.engine->GetModelManager()),
      m_particles(services.engine->GetParticleSystemManager()), m_type(type)
{
    const GunSpec& spec = GunSpec::Of(type);
    m_minimumSpeed = spec.minimumSpeed;
    m_launchFactor = spec.launchFactor;
    m_piercing = spec.piercing;
    m_wallSound = spec.wallSound;
    MakeIdentityMatrix(m_start);
    m_model = m_modelManager->CreateModelCopy(*services.resources->GetModel(spec.ResourceName("bullet")), nullptr, 0);
    m_model->ClearFlags(ModelFlags::Visible);
    m_shadow = services.effects->GetShadow(services.effects->AddShadow(nullptr, m_model, true));
    if (m_shadow != nullptr)
        m_shadow->Show(false);
    m_trail = CopySystem("bullet_train");
    m_burst = CopySystem("bullet_destruction");
}

Bullet::~Bullet()
{
    m_particles->DeleteParticleSystem(m_burst);
    m_particles->DeleteParticleSystem(m_trail);
    if (m_shadow != nullptr)
        m_services.effects->RemoveShadow(m_shadow);
    m_modelManager->DeleteModel(m_model);
}

ParticleSystem* Bullet::CopySystem(const char* what) const
{
    const ParticleSystem* source = m_services.resources->GetParticleSystem(GunSpec::Of(m_type).ResourceName(what));
    ParticleSystem* system = source != nullptr ? m_particles->CreateParticleSystemCopy(*source) : nullptr;
    if (system != nullptr)
    {
        system->active = 0;
        system->SetVisible(false);
    }
    return system;
}

void Bullet::Fire(const Matrix4& gunMatrix)
{
    m_start = gunMatrix;
    m_offset = Vector3(0.0f, 0.0f, 0.0f);
    m_speed = m_minimumSpeed * m_launchFactor;
    m_active = true;
    m_hit = false;
    m_model->SetFlags(ModelFlags::Visible);
    if (m_shadow != nullptr)
        m_shadow->Show(true);
    PlaceModels();
    if (m_burst != nullptr)
    {
        m_burst->active = 0;
        m_burst->ReleaseAllParticles();
        m_burst->SetVisible(false);
    }
    if (m_trail != nullptr)
    {
        m_trail->ReleaseAllParticles();
        Restart(m_trail);
        // The trail runs as long as the bolt flies, however long its own cycle.
        m_trail->loop = 1;
        m_trail->active = m_paused ? 0 : 1;
    }
    if (m_services.sounds != nullptr)
        m_services.sounds->PlaySound(GunSpec::Of(m_type).shotSound);
}

void Bullet::Update(f32 activity)
{
    if (!m_active)
        return;
    if (m_hit)
    {
        FinishEffects();
        return;
    }
    const f32 step = m_services.engine->GetTimerManager()->GetFrameTime() * activity;
    const BoundingVolume before = GetBounds();
    Fly(step);
    Sink(step);
    const BoundingVolume swept = Swept(before, GetBounds());
    StrikeBlocks(swept);
    if (m_hit)
        Finish(true);
    else if (MeetsWall(swept))
    {
        if (m_services.sounds != nullptr)
            m_services.sounds->PlaySound(m_wallSound);
        Finish(true);
    }
    else if (HasLeftField(GetBounds()))
        Finish(false);
}

void Bullet::SetPaused(bool paused)
{
    m_paused = paused;
    if (m_trail != nullptr && m_active && !m_hit)
        m_trail->active = paused ? 0 : 1;
}

BoundingVolume Bullet::GetBounds() const
{
    return m_model->bounds;
}

// Forward along y, slowing towards the least speed.
void Bullet::Fly(f32 step)
{
    m_offset.y += m_speed * step;
    m_speed = std::max(m_speed - m_speed * Drag * step, m_minimumSpeed);
}

// Down towards the floor, never with its bottom below the lowest it may go.
void Bullet::Sink(f32 step)
{
    m_offset.z -= SinkSpeed * step;
    PlaceModels();
    const f32 bottom = GetBounds().GetWorldMinimum().z;
    if (bottom >= LowestBottom)
        return;
    m_offset.z += LowestBottom - bottom;
    PlaceModels();
}

// Only the blocks standing on the floor are in a bolt's way; a piercing bolt goes through all it meets.
void Bullet::StrikeBlocks(const BoundingVolume& swept)
{
    if (m_services.geometry == nullptr)
        return;
    for (const auto& block : m_services.geometry->GetBlocks())
    {
        if (!block->IsAlive() || !m_services.geometry->GetStack().GetSupports(block->GetId()).empty() ||
            !block->GetBounds().Intersects(swept))
            continue;
        block->Destroy(DestroyKind::Super, m_chain);
        if (!m_piercing)
        {
            m_hit = true;
            return;
        }
    }
}

bool Bullet::MeetsWall(const BoundingVolume& swept) const
{
    if (m_services.field == nullptr)
        return false;
    const BoundingVolume reach = Stretched(swept);
    for (const BoundingVolume& zone : m_services.field->GetZones())
        if (reach.Intersects(zone))
            return true;
    return false;
}

// A field without a wall in the bolt's way must not keep the bolt, and its pool slot, for ever.
bool Bullet::HasLeftField(const BoundingVolume& bounds) const
{
    return m_services.field != nullptr && !Stretched(bounds).Intersects(m_services.field->GetBounds());
}

void Bullet::Finish(bool burst)
{
    m_hit = true;
    m_model->ClearFlags(ModelFlags::Visible);
    if (m_shadow != nullptr)
        m_shadow->Show(false);
    if (m_trail != nullptr)
        m_trail->active = 0;
    if (!burst || m_burst == nullptr)
        return;
    const Vector3 at = GetBounds().GetCenter();
    m_burst->SetPosition(at);
    const Camera* camera = m_services.engine->GetCameraManager()->GetDefaultCamera();
    if (Model* sprites = m_burst->GetModel(); sprites != nullptr && camera != nullptr)
        sprites->depthOffset = kBurstDepthKey - kBurstDepthPerUnit * (camera->position - at).Length();
    m_burst->ReleaseAllParticles();
    Restart(m_burst);
}

// The bolt is free for its pool once its trail and its burst have both played out.
void Bullet::FinishEffects()
{
    bool playing = false;
    for (ParticleSystem* system : {m_trail, m_burst})
    {
        if (system == nullptr)
            continue;
        if (IsPlaying(system))
            playing = true;
        else
            system->SetVisible(false);
    }
    m_active = playing;
}

void Bullet::PlaceModels()
{
    Matrix4 travel;
    MakeTranslationMatrix(travel, m_offset);
    m_model->worldMatrix = travel * m_start;
    PlaceBounds(*m_model);
    if (m_trail == nullptr)
        return;
    const BoundingVolume bounds = GetBounds();
    m_trail->SetPosition(bounds.GetCenter() - Vector3(0.0f, TrailDistance * bounds.GetRadius(), 0.0f));
}

void Bullet::Restart(ParticleSystem* system)
{
    system->time = 0.0f;
    system->loop = 0;
    system->active = 1;
    system->SetVisible(true);
}

bool Bullet::IsPlaying(const ParticleSystem* system)
{
    return !system->IsSpent();
}
}
