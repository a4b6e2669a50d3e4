// Shadow models: made dark and blended, drawn after the floor through the stencil, kept flat under the caster.
#include "game/play/Shadow.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/Skeleton.h"

#include <algorithm>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr u32 kShadowFlags = ModelFlags::Stencil | ModelFlags::SecondList | ModelFlags::KeepDepth;
constexpr u32 kCasterOnlyFlags = ModelFlags::CullCounterClockwise | ModelFlags::CullClockwise | ModelFlags::Lit;
constexpr f32 kHiddenDepthKey = -0.01f;
constexpr f32 kDepthKeyScale = 0.01f;
constexpr f32 kDepthKeyBase = -0.021f;
// How much of the caster's height the flattened copy keeps: enough to stay a solid, too little to be seen.
constexpr f32 kFlattening = 0.01f;
constexpr u32 kBlendSourceAlpha = 4;
constexpr u32 kBlendInverseSourceAlpha = 5;

ShaderDescriptor DarkBlend()
{
    ShaderDescriptor descriptor(1u);
    descriptor.SetBlendFactor(0, kBlendSourceAlpha);
    descriptor.SetBlendFactor(1, kBlendInverseSourceAlpha);
    return descriptor;
}
}

Shadow::Shadow(Engine* engine, const Skeleton* casterPose, const Model* casterModel, bool copyMesh)
    : m_engine(engine), m_models(engine->GetModelManager()), m_casterPose(casterPose), m_caster(casterModel)
{
    const ShaderDescriptor dark = DarkBlend();
    if (copyMesh)
        m_model = m_models->CreateModelCopy(*casterModel, nullptr, ModelFlags::VertexColor);
    else
        m_model = m_models->CreateBoxModel(casterModel->bounds.GetMinimum(), casterModel->bounds.GetMaximum(), &dark,
                                           nullptr, ModelFlags::VertexColor);
    if (copyMesh)
        m_model->SetShader(dark);
    m_model->ClearFlags(ModelFlags::Visible | kCasterOnlyFlags);
    m_model->SetFlags(kShadowFlags);
    m_model->depthOffset = kHiddenDepthKey;
    m_model->SetColor(Color(0.0f, 0.0f, 0.0f, m_strength));
}

Shadow::~Shadow()
{
    m_models->DeleteModel(m_model);
}

void Shadow::Show(bool shown)
{
    if (shown)
        m_model->SetFlags(ModelFlags::Visible);
    else
        m_model->ClearFlags(ModelFlags::Visible);
}

bool Shadow::IsShown() const
{
    return (m_model->flags & ModelFlags::Visible) != 0;
}

f32 Shadow::FadeAtHeight(f32 height)
{
    const f32 clamped = std::clamp(height, 0.0f, FadeHeight);
    return std::max((FadeHeight - clamped) / FadeHeight, LeastFade);
}

void Shadow::Update()
{
    if (!IsShown())
        return;
    FollowPose();
    PlaceUnderCaster();
    const f32 fade = FadeAtHeight(m_caster->bounds.GetWorldMinimum().z);
    m_model->depthOffset = m_strength * fade * kDepthKeyScale + kDepthKeyBase;
    m_model->SetColor(Color(0.0f, 0.0f, 0.0f, m_strength * fade));
}

void Shadow::FollowPose()
{
    const Skeleton* pose = m_casterPose != nullptr ? m_casterPose : m_caster->GetSkeleton();
    Skeleton* own = m_model->GetSkeleton();
    if (pose == nullptr || own == nullptr || pose->GetBoneCount() != own->GetBoneCount())
        return;
    for (u32 i = 0; i < own->GetBoneCount(); ++i)
        *own->GetBone(i) = *pose->GetBone(i);
}

// The caster thrown along the light's direction onto the floor: every point moves along the floor by its
// height times the direction, and the height is pressed nearly flat.
void Shadow::PlaceUnderCaster()
{
    Matrix4 placed = m_caster->worldMatrix;
    for (int column = 0; column < 4; ++column)
    {
        placed.m[column] += m_direction.x * placed.m[8 + column];
        placed.m[4 + column] += m_direction.y * placed.m[8 + column];
    }
    placed.m[8] *= kFlattening;
    placed.m[9] *= kFlattening;
    placed.m[10] *= kFlattening;
    placed.m[11] = FloorHeight;
    m_model->worldMatrix = placed;
}
}
