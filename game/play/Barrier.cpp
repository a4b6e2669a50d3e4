// The barrier's posts and ropes, and the box the balls meet.
#include "game/play/Barrier.h"

#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "framework/DataKeeper.h"
#include "game/play/Effects.h"
#include "game/play/ModelPlacement.h"
#include "game/play/Shadow.h"
#include "game/play/UnboundedDepth.h"

#include <string>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
// The barrier's models are made where they stand on the field.
Model* PlacedCopy(ModelManager& models, GameTools::DataKeeper& resources, const std::string& name)
{
    Model* model = models.CreateModelCopy(*resources.GetModel(name), nullptr, 0);
    model->ClearFlags(ModelFlags::Visible);
    model->animation->loop = 0;
    MakeIdentityMatrix(model->worldMatrix);
    PlaceBounds(*model);
    return model;
}

void Restart(Model& model)
{
    model.animation->SetAnimation(AnimationControl::WholeRange);
    model.animation->Start();
}
}

Barrier::Barrier(Engine* engine, GameTools::DataKeeper* resources, Effects* effects)
    : m_modelManager(engine->GetModelManager()), m_effects(effects)
{
    for (u32 i = 0; i < PostCount; ++i)
    {
        m_posts[i] = PlacedCopy(*m_modelManager, *resources, "barrier/hardware_" + std::to_string(i));
        m_shadows[i] = effects->GetShadow(effects->AddShadow(nullptr, m_posts[i], true));
        if (m_shadows[i] != nullptr)
            m_shadows[i]->Show(false);
    }
    // A rope at rest is its last frame, straight between the posts.
    for (u32 i = 0; i < MaxRopes; ++i)
    {
        m_ropes[i] = PlacedCopy(*m_modelManager, *resources, "barrier/rope_" + std::to_string(i));
        m_ropes[i]->animation->Stop();
        m_ropes[i]->animation->time = static_cast<f32>(m_ropes[i]->animation->GetFrameCount() - 1);
    }
    ComputeCollisionBox();
}

Barrier::~Barrier()
{
    for (Shadow* shadow : m_shadows)
        if (shadow != nullptr)
            m_effects->RemoveShadow(shadow);
    for (Model* rope : m_ropes)
        m_modelManager->DeleteModel(rope);
    for (Model* post : m_posts)
        m_modelManager->DeleteModel(post);
}

// The posts come up with the first rope; each later rope makes one of them spring up again, in turn.
void Barrier::AddRope()
{
    if (m_ropesUp >= MaxRopes)
        return;
    if (m_ropesUp == 0)
    {
        ShowPosts(true);
        for (Model* post : m_posts)
            Restart(*post);
    }
    else
        Restart(*m_posts[m_ropesUp % PostCount]);
    Model& rope = *m_ropes[m_ropesUp];
    rope.SetFlags(ModelFlags::Visible);
    Restart(rope);
    ++m_ropesUp;
}

void Barrier::RemoveRope()
{
    if (m_ropesUp == 0)
        return;
    --m_ropesUp;
    m_ropes[m_ropesUp]->ClearFlags(ModelFlags::Visible);
    if (m_ropesUp == 0)
        ShowPosts(false);
}

void Barrier::HideShadow()
{
    for (Shadow* shadow : m_shadows)
        if (shadow != nullptr)
            shadow->Show(false);
}

void Barrier::ShowPosts(bool shown)
{
    for (u32 i = 0; i < PostCount; ++i)
    {
        if (shown)
            m_posts[i]->SetFlags(ModelFlags::Visible);
        else
            m_posts[i]->ClearFlags(ModelFlags::Visible);
        if (m_shadows[i] != nullptr)
            m_shadows[i]->Show(shown);
    }
}

void Barrier::ComputeCollisionBox()
{
    BoundingVolume ropes = m_ropes[0]->bounds;
    for (u32 i = 1; i < MaxRopes; ++i)
        ropes.Merge(m_ropes[i]->bounds);
    m_collisionBox.SetBox(Vector3(ropes.GetWorldMinimum().x, ropes.GetWorldMinimum().y, -kUnboundedZ),
                          Vector3(ropes.GetWorldMaximum().x, ropes.GetWorldMaximum().y, kUnboundedZ));
}
}
