// The render-state cache: a state reaches the device only on change (or under the force flag), the defaults
// reach it once each, textures are known by serial, the anisotropy follows the setting, and the video-mode
// comparison and reset flags behave as the renderer's callers expect.
#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Texture2D.h"
#include "tests/support/MathTestSupport.h"
#include "tests/support/RenderRecordingSystem.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using KorvaneTest::RenderRecordingSystem;
using KorvaneTest::RenderUpdate;

namespace
{
class RenderSystemCache : public ::testing::Test
{
protected:
    std::string Setting(const std::string& name)
    {
        std::string text;
        config.GetValueAsString(text, name);
        return text;
    }

    MessageManager log{"Render system test", 0, 0, "", ""};
    Config config{&log, nullptr, "", "settings", 0, "640x480x32", 0, 0};
    RenderRecordingSystem render{&log, &config, 2, 4};
};

TEST_F(RenderSystemCache, TheSameWorldMatrixTwiceReachesTheDeviceOnce)
{
    render.ClearUpdates();
    Matrix4 world = IdentityMatrix();
    world.m[3] = 5.0f;
    render.SetWorldMatrix(world);
    render.SetWorldMatrix(world);
    EXPECT_EQ(render.Count("World"), 1);
    world.m[3] += 0.00005f;
    render.SetWorldMatrix(world);
    EXPECT_EQ(render.Count("World"), 1) << "a difference below the tolerance is no change";
    world.m[3] += 0.001f;
    render.SetWorldMatrix(world);
    EXPECT_EQ(render.Count("World"), 2);
}

TEST_F(RenderSystemCache, EverySetterComparesItsOwnState)
{
    render.ClearUpdates();
    render.SetAlphaBlend(false); // the default
    render.SetCullMode(RenderSystem::CullNone);
    render.SetZWrite(true);
    render.SetTextureFilter(1, RenderSystem::FilterBilinear);
    render.SetTextureTransform(0, 1.0f, 1.0f, 0.00005f, 0.0f);
    render.SetAmbientColor(Color(0.0f, 0.0f, 0.0f, 1.00009f));
    EXPECT_TRUE(render.Updates().empty());
    render.SetAlphaBlend(true);
    render.SetBlend(RenderSystem::BlendSrcAlpha, RenderSystem::BlendZero);
    render.SetBlend(RenderSystem::BlendSrcAlpha, RenderSystem::BlendInvSrcAlpha);
    render.SetBlend(RenderSystem::BlendSrcAlpha, RenderSystem::BlendInvSrcAlpha);
    render.SetTextureAddressV(1, RenderSystem::AddressClamp);
    render.SetTextureTransform(1, 2.0f, 1.0f, 0.0f, 0.0f);
    render.SetAmbientColor(Color(0.5f, 0.0f, 0.0f, 1.0f));
    render.SetZ(true);
    render.SetStencil(true);
    const std::vector<RenderUpdate> expected = {{"AlphaBlend", 0}, {"Blend", 0},         {"Blend", 0},
                                                {"AddressV", 1},   {"TextureMatrix", 1}, {"Ambient", 0},
                                                {"Z", 0},          {"Stencil", 0}};
    EXPECT_EQ(render.Updates(), expected);
    EXPECT_EQ(render.GetDestinationBlend(), u32(RenderSystem::BlendInvSrcAlpha));
    EXPECT_EQ(render.GetTextureAddressV(1), u32(RenderSystem::AddressClamp));
}

TEST_F(RenderSystemCache, DefaultsReachTheDeviceOnceEachInOrderWhateverTheCacheHeld)
{
    render.ClearUpdates();
    render.SetDefaultStates();
    const std::vector<RenderUpdate> expected = {
        {"Material", 0},   {"View", 0},       {"World", 0},     {"Ambient", 0},          {"AlphaBlend", 0},
        {"Blend", 0},      {"Texture", 0},    {"Anisotropy", 0}, {"Filter", 0},         {"AddressU", 0},
        {"AddressV", 0},   {"TextureMatrix", 0}, {"Texture", 1}, {"Anisotropy", 1},     {"Filter", 1},
        {"AddressU", 1},   {"AddressV", 1},   {"TextureMatrix", 1}, {"CullMode", 0},    {"Lighting", 0},
        {"NormalizeNormals", 0}, {"Z", 0},    {"ZWrite", 0},    {"Stencil", 0}};
    EXPECT_EQ(render.Updates(), expected);
    EXPECT_EQ(render.Count("Projection"), 0) << "the projection is left to the cameras";
    EXPECT_EQ(render.GetZ(), 0);
    EXPECT_EQ(render.GetZWrite(), 1);
    EXPECT_EQ(render.GetTextureFilter(0), u32(RenderSystem::FilterBilinear));
    EXPECT_EQ(render.GetTextureAnisotropy(1), 1u);
    // The force flag is down again afterwards.
    render.ClearUpdates();
    render.SetZWrite(true);
    EXPECT_TRUE(render.Updates().empty());
}

TEST_F(RenderSystemCache, TexturesAreKnownBySerialNotByAddress)
{
    render.ClearUpdates();
    alignas(Texture2D) static unsigned char storage[sizeof(Texture2D)];
    Texture2D* first = new (storage) Texture2D("first");
    render.SetTexture(0, first);
    render.SetTexture(0, first);
    EXPECT_EQ(render.Count("Texture"), 1);
    const u64 firstSerial = first->GetSerial();
    first->~Texture2D();
    // A new texture in the freed memory, at the very same address, still binds.
    Texture2D* second = new (storage) Texture2D("second");
    ASSERT_EQ(static_cast<void*>(second), static_cast<void*>(first));
    EXPECT_NE(second->GetSerial(), firstSerial);
    render.SetTexture(0, second);
    EXPECT_EQ(render.Count("Texture"), 2);
    EXPECT_EQ(render.GetTexture(0), second);
    second->~Texture2D();
    render.SetTexture(0, nullptr);
    EXPECT_EQ(render.Count("Texture"), 3);
}

TEST_F(RenderSystemCache, StagesBeyondTheDeviceAreIgnored)
{
    render.ClearUpdates();
    Texture2D texture("texture");
    render.SetTexture(2, &texture);
    render.SetTextureFilter(7, RenderSystem::FilterPoint);
    render.SetTextureTransform(99, 2.0f, 2.0f, 0.0f, 0.0f);
    EXPECT_TRUE(render.Updates().empty());
    EXPECT_EQ(render.GetTexture(2), nullptr);
}

TEST_F(RenderSystemCache, ResetAfterAStageCountChangeSizesTheStagesFirst)
{
    render.ChangeStageCount(4);
    render.ClearUpdates();
    render.SetDefaultStates();
    EXPECT_EQ(render.Count("Texture"), 4);
    EXPECT_EQ(render.GetTextureAddressU(3), u32(RenderSystem::AddressWrap));
}

TEST_F(RenderSystemCache, AnisotropyIsClampedToTheDeviceAndWrittenBack)
{
    struct Case
    {
        const char* setting;
        const char* written;
        u32 applied;
    };
    const Case cases[] = {{"0", "1", 1}, {"-3", "1", 1}, {"3", "3", 3}, {"16", "4", 4}};
    for (const Case& c : cases)
    {
        config.SetFromString("r_texture_anisotropy", c.setting);
        render.ClearUpdates();
        render.Refresh();
        EXPECT_EQ(Setting("r_texture_anisotropy"), c.written) << c.setting;
        EXPECT_EQ(render.GetTextureAnisotropy(0), c.applied) << c.setting;
        EXPECT_EQ(render.GetTextureAnisotropy(1), c.applied) << c.setting;
        render.ClearUpdates();
        render.Refresh();
        EXPECT_TRUE(render.Updates().empty()) << "unchanged, so nothing again: " << c.setting;
    }
    config.SetFromString("r_texture_anisotropy", "2");
    render.ClearUpdates();
    render.Refresh();
    const std::vector<RenderUpdate> expected = {{"Anisotropy", 0}, {"Anisotropy", 1}};
    EXPECT_EQ(render.Updates(), expected);
}

TEST_F(RenderSystemCache, VideoModeComparison)
{
    // No device chosen: any setting asks for a reset.
    render.CheckVideoModeChange();
    EXPECT_EQ(render.IsResetPending(), 1);
    render.Reset(RenderSystem::ResetDevice);
    EXPECT_EQ(render.IsResetPending(), 0);
    EXPECT_EQ(render.IsActive(), 1);
}

TEST_F(RenderSystemCache, ResetFlagsClearTheirOwnStates)
{
    render.SetActive(0);
    render.CheckVideoModeChange();
    render.Reset(RenderSystem::ResetResources);
    EXPECT_EQ(render.IsActive(), 0);
    EXPECT_EQ(render.IsResetPending(), 1);
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    EXPECT_EQ(render.IsActive(), 1);
    EXPECT_EQ(render.IsResetPending(), 0);
    EXPECT_EQ(render.AreResourcesLost(), 0);
}
}
