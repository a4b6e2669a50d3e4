// Effects and shadows: shadow slots reused, one-shot effects kept until burnt out and deleted once, shadows
// that fade with their caster's height and lie on the floor under it.
#include "game/play/Effects.h"

#include "engine/core/Engine.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "tests/support/EngineTestBed.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using Korvane::Effects;
using Korvane::Shadow;

namespace
{
class EffectsTest : public ::testing::Test
{
protected:
    EffectsTest() : engine(bed.Start())
    {
        caster = engine.GetModelManager()->CreateBoxModel(Vector3(-1, -1, 0), Vector3(1, 1, 2), nullptr, nullptr, 0);
        effects = std::make_unique<Effects>(&engine);
        template_.reset(engine.GetParticleSystemManager()->NewSelfMadeParticleSystem(nullptr));
    }

    // The caster lifted to a height and moved in the playfield's plane.
    void PlaceCaster(f32 x, f32 y, f32 height)
    {
        MakeTranslationMatrix(caster->worldMatrix, Vector3(x, y, height));
        caster->bounds.SetTransform(caster->worldMatrix);
    }

    ParticleSystem* NewEffect() { return engine.GetParticleSystemManager()->CreateParticleSystemCopy(*template_); }

    TestSupport::EngineTestBed bed;
    Engine& engine;
    Model* caster = nullptr;
    std::unique_ptr<Effects> effects;
    std::unique_ptr<ParticleSystem> template_;
};

TEST_F(EffectsTest, RemovedShadowSlotIsTheNextOneReused)
{
    for (u32 expected = 0; expected < 3; ++expected)
        EXPECT_EQ(effects->AddShadow(nullptr, caster, true), expected);
    effects->RemoveShadow(effects->GetShadow(1));
    EXPECT_EQ(effects->GetShadow(1), nullptr);
    EXPECT_EQ(effects->GetShadowCount(), 2u);
    EXPECT_EQ(effects->AddShadow(nullptr, caster, false), 1u);
    EXPECT_EQ(effects->AddShadow(nullptr, caster, false), 3u);
}

TEST_F(EffectsTest, RemovingAShadowItDoesNotHoldChangesNothing)
{
    effects->AddShadow(nullptr, caster, true);
    Shadow stranger(&engine, nullptr, caster, false);
    effects->RemoveShadow(&stranger);
    effects->RemoveShadow(nullptr);
    EXPECT_EQ(effects->GetShadowCount(), 1u);
}

TEST_F(EffectsTest, EffectStaysWhileItEmitsAndGoesOnceBurntOut)
{
    const u32 before = engine.GetParticleSystemManager()->GetCount();
    ParticleSystem* effect = NewEffect();
    effect->time = 3.0f;
    effects->AddEffect(effect);
    effects->AddEffect(effect);
    effects->AddEffect(nullptr);
    EXPECT_EQ(effect->time, 0.0f);
    EXPECT_EQ(effect->active, 1);
    EXPECT_TRUE(effect->IsVisible());
    effects->Update();
    EXPECT_EQ(effects->GetEffectCount(), 1u);
    effect->active = 0;
    effects->Update();
    EXPECT_EQ(effects->GetEffectCount(), 0u);
    EXPECT_EQ(engine.GetParticleSystemManager()->GetCount(), before);
    effects->Update();
}

TEST_F(EffectsTest, RunningEffectsAreDeletedWithTheEffects)
{
    const u32 before = engine.GetParticleSystemManager()->GetCount();
    effects->AddEffect(NewEffect());
    effects->AddEffect(NewEffect());
    EXPECT_EQ(engine.GetParticleSystemManager()->GetCount(), before + 2);
    effects.reset();
    EXPECT_EQ(engine.GetParticleSystemManager()->GetCount(), before);
}

TEST_F(EffectsTest, ShadowStartsHiddenDarkAndDrawnThroughTheStencil)
{
    Shadow* shadow = effects->GetShadow(effects->AddShadow(nullptr, caster, true));
    const Model* model = shadow->GetModel();
    EXPECT_FALSE(shadow->IsShown());
    EXPECT_EQ(model->flags & 0x800c00u, 0x800c00u);
    EXPECT_EQ(model->flags & 0x402040u, 0u);
    EXPECT_FLOAT_EQ(model->depthOffset, -0.01f);
    EXPECT_NEAR(model->GetColor().a, 0.25f, 0.01f);
    EXPECT_EQ(model->GetColor().r, 0.0f);
    shadow->Show(true);
    EXPECT_TRUE(shadow->IsShown());
    EXPECT_NE(model->flags & ModelFlags::Visible, 0u);
}

TEST_F(EffectsTest, ShadowFadesWithItsCastersHeight)
{
    Shadow* shadow = effects->GetShadow(effects->AddShadow(nullptr, caster, false));
    shadow->Show(true);
    struct Case
    {
        f32 height;
        f32 fade;
    };
    for (const Case& c : {Case{0, 1.0f}, Case{20, 0.5f}, Case{40, 0.1f}, Case{100, 0.1f}, Case{-5, 1.0f}})
    {
        EXPECT_FLOAT_EQ(Shadow::FadeAtHeight(c.height), c.fade) << c.height;
        PlaceCaster(3, 4, c.height);
        effects->Update();
        EXPECT_NEAR(shadow->GetModel()->depthOffset, 0.25f * c.fade * 0.01f - 0.021f, 1e-6f) << c.height;
        EXPECT_NEAR(shadow->GetModel()->GetColor().a, 0.25f * c.fade, 0.01f) << c.height;
    }
}

TEST_F(EffectsTest, ShadowLiesOnTheFloorUnderItsCaster)
{
    Shadow* shadow = effects->GetShadow(effects->AddShadow(nullptr, caster, true));
    shadow->Show(true);
    PlaceCaster(7, -9, 15);
    effects->Update();
    const Vector3 centre = shadow->GetModel()->worldMatrix.TransformPoint(Vector3(0, 0, 0));
    EXPECT_FLOAT_EQ(centre.x, 7.0f);
    EXPECT_FLOAT_EQ(centre.y, -9.0f);
    EXPECT_FLOAT_EQ(centre.z, 0.02f);
    // Thrown along the light's direction by the caster's height.
    effects->SetShadowDirection(Vector2(0.5f, -0.5f));
    effects->Update();
    const Vector3 thrown = shadow->GetModel()->worldMatrix.TransformPoint(Vector3(0, 0, 0));
    EXPECT_FLOAT_EQ(thrown.x, 14.5f);
    EXPECT_FLOAT_EQ(thrown.y, -16.5f);
    EXPECT_FLOAT_EQ(thrown.z, 0.02f);
    // Hidden shadows are left where they were.
    shadow->Show(false);
    PlaceCaster(1, 1, 0);
    effects->Update();
    EXPECT_FLOAT_EQ(shadow->GetModel()->worldMatrix.TransformPoint(Vector3(0, 0, 0)).x, 14.5f);
}
}
