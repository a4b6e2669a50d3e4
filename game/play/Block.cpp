// A placed block: its models, shadow, placement and effects.
#include "game/play/Block.h"

#include "engine/core/Engine.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "framework/DataKeeper.h"
#include "game/play/BlockDatabase.h"
#include "game/play/BrickDurability.h"
#include "game/play/Effects.h"
#include "game/play/ModelPlacement.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogicData.h"
#include "game/play/Shadow.h"

#include <algorithm>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
// A fixed block: it never hops or falls, and shaking it does not shake what rests on it.
constexpr u32 kFixedFlag = 1;
}

Block::Block(const BlockServices& services, const GeometryObject& object, u32 id)
    : m_services(services), m_object(object), m_description(object.description),
      m_name(BlockDatabase::GetText(*object.description, "name", "")), m_id(id),
      m_reacts((object.record.flags & kFixedFlag) == 0), m_modelManager(services.engine->GetModelManager())
{
    m_model = CopyModel(GameLogicData::ModelName(m_name));
    if (object.shader != nullptr)
        m_model->SetShader(*object.shader);
    ApplyDrawFlags();
    if (BlockDatabase::GetBool(*m_description, "collision_model", false))
        m_collisionModel = CopyModel(GameLogicData::CollisionModelName(m_name));
    ReadShadowOptions();
    MakeScalingMatrix(m_scaleMatrix, object.record.scale);
    Place(0, 0, 0.0f, 0.0f);
    const BoundingVolume bounds = GetBounds();
    m_halfHeight = 0.5f * (bounds.GetWorldMaximum().z - bounds.GetWorldMinimum().z);
    SetVisible(false);
}

Block::~Block()
{
    if (m_extraEffect != nullptr)
        m_services.engine->GetParticleSystemManager()->DeleteParticleSystem(m_extraEffect);
    if (m_shadow != nullptr)
        m_services.effects->RemoveShadow(m_shadow);
    m_modelManager->DeleteModel(m_collisionModel);
    m_modelManager->DeleteModel(m_model);
}

Model* Block::CopyModel(const std::string& name) const
{
    GameTools::DataKeeper* keeper = m_services.geometry->GetLevelData();
    return m_modelManager->CreateModelCopy(*keeper->GetModel(name), nullptr, 0);
}

// Transparent blocks are drawn sorted, both faces; a mirrored opaque block turns its culling round.
void Block::ApplyDrawFlags()
{
    const ShaderUser* shader = m_model->GetShader();
    const Vector3& scale = m_object.record.scale;
    if (shader != nullptr && shader->IsAlphaBlended())
        m_model->SetFlags(ModelFlags::SecondList | ModelFlags::TwoPasses);
    else if ((scale.x < 0.0f || scale.y < 0.0f || scale.z < 0.0f) && (m_model->flags & ModelFlags::CullClockwise))
        m_model->SetFlags(ModelFlags::CullCounterClockwise);
}

void Block::ReadShadowOptions()
{
    m_alwaysShadow = BlockDatabase::GetBool(*m_description, "always_draw_shadow", false);
    m_castsShadow = BlockDatabase::GetBool(*m_description, "shadow", true);
    if (!m_castsShadow)
        return;
    const bool fake = BlockDatabase::GetBool(*m_description, "fake_shadow", false);
    m_shadow = m_services.effects->GetShadow(m_services.effects->AddShadow(nullptr, m_model, !fake));
}

void Block::Activate()
{
    m_alive = true;
    SetVisible(false);
}

void Block::Appear()
{
    SetVisible(true);
    StartEffect("blocks/creation");
    if (m_extraEffect == nullptr)
        return;
    m_extraEffect->time = 0.0f;
    m_extraEffect->active = 1;
    m_extraEffect->SetVisible(true);
}

void Block::SetExtraEffect(ParticleSystem* effect)
{
    if (m_extraEffect != nullptr && m_extraEffect != effect)
        m_services.engine->GetParticleSystemManager()->DeleteParticleSystem(m_extraEffect);
    m_extraEffect = effect;
    if (m_extraEffect == nullptr)
        return;
    m_extraEffect->active = 0;
    m_extraEffect->SetVisible(false);
    PlaceEffect(*m_extraEffect);
}

void Block::PlaceEffect(ParticleSystem& effect) const
{
    const Vector3 centre = GetCenter();
    effect.SetPosition(centre);
    Model* sprites = effect.GetModel();
    const Camera* view = m_services.engine->GetCameraManager()->GetDefaultCamera();
    if (sprites != nullptr && view != nullptr)
        sprites->depthOffset = EffectSortBias - EffectSortPerDepth * view->GetViewAxis().Dot(view->position - centre);
}

void Block::Place(u32 frameA, u32 frameB, f32 blend, f32 fallOffset)
{
    const std::vector<GeometryKeyFrame>& frames = m_object.record.keyFrames;
    if (frames.size() < 2)
    {
        m_position = frames.empty() ? Vector3() : frames[0].position;
        m_rotation = frames.empty() ? Quaternion() : frames[0].rotation;
    }
    else
    {
        const GeometryKeyFrame& a = frames[std::min<size_t>(frameA, frames.size() - 1)];
        const GeometryKeyFrame& b = frames[std::min<size_t>(frameB, frames.size() - 1)];
        m_position = a.position * (1.0f - blend) + b.position * blend;
        LerpQuaternion(m_rotation, a.rotation, b.rotation, blend);
    }
    m_position.z += fallOffset;
    UpdateWorldMatrix();
}

void Block::UpdateWorldMatrix()
{
    Matrix4 translation;
    MakeTranslationMatrix(translation, m_position);
    Matrix4 rotation;
    m_rotation.ToMatrix(rotation);
    m_model->worldMatrix = translation * rotation * m_scaleMatrix;
    PlaceBounds(*m_model);
    if (m_collisionModel != nullptr)
    {
        m_collisionModel->worldMatrix = m_model->worldMatrix;
        PlaceBounds(*m_collisionModel);
    }
    if (m_extraEffect != nullptr)
        PlaceEffect(*m_extraEffect);
}

void Block::UpdateShadow(bool resting)
{
    if (m_shadow != nullptr)
        m_shadow->Show(m_castsShadow && (m_model->flags & ModelFlags::Visible) != 0 && (resting || m_alwaysShadow));
}

void Block::SetVisible(bool visible)
{
    if (visible)
        m_model->SetFlags(ModelFlags::Visible);
    else
        m_model->ClearFlags(ModelFlags::Visible);
    if (m_shadow != nullptr)
        m_shadow->Show(visible);
}

BoundingVolume Block::GetBounds() const
{
    return m_model->bounds;
}

Vector3 Block::GetCenter() const
{
    return GetBounds().GetCenter();
}

void Block::Destroy(u32 kind, bool chain)
{
    DestroyBlock(kind, chain);
}

void Block::DestroyBlock(u32 kind, bool chain)
{
    if (m_destructionEffect.empty())
        m_destructionEffect = kind == DestroyKind::Super ? "blocks/destruction_super" : "blocks/destruction_simple";
    StartEffect(m_destructionEffect);
    if (!m_alive)
        return;
    m_alive = false;
    if (m_reacts)
        m_services.geometry->HopDependents(m_id);
    if (kind == DestroyKind::Super && chain)
        m_services.geometry->BlastFrom(m_id);
}

// A copy of a shared effect, placed at the block's centre and handed to the effects, which delete it when
// it has burnt out.
void Block::StartEffect(const std::string& name)
{
    ParticleSystem* source = m_services.resources->GetParticleSystem(name);
    if (source == nullptr)
        return;
    ParticleSystem* copy = m_services.engine->GetParticleSystemManager()->CreateParticleSystemCopy(*source);
    if (copy == nullptr)
        return;
    PlaceEffect(*copy);
    m_services.effects->AddEffect(copy);
}
}
