// Shader users' frame animation on a fake clock: grid cells, image sequences, random starts, and animations
// that could otherwise stall or run off their frames.
#include "engine/render/ShaderUser.h"

#include "engine/core/Random.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderManager.h"
#include "tests/support/ShaderTestBed.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VelkorEngine;

namespace
{
class ShaderUserTest : public ::testing::Test
{
protected:
    ShaderUser* User(u32 mode, u32 columns, u32 rows, u32 frames, f32 speed, u32 stageFlags = 0)
    {
        ShaderDescriptor descriptor(0u);
        descriptor.AddStage(stageFlags, mode, columns, rows, frames, speed, "fx\\spark0.tga", "", 1);
        return bed.Shaders().AddShader(descriptor);
    }

    // Frames of 0.05 s, each followed by the manager's update, as the engine runs them.
    void Run(int frames)
    {
        bed.Clock().Run(frames, 0.05, [&] { bed.Shaders().Update(); });
    }

    TestSupport::ShaderTestBed bed;
};
}

TEST_F(ShaderUserTest, GridSelectsItsCellThroughTheTextureTransform)
{
    ShaderUser* user = User(1, 4, 2, 8, 8.0f);
    Run(9); // 0.45 s at 8 frames a second: time 3.6, frame 3
    const ShaderStage& stage = user->GetStage(0);
    EXPECT_NEAR(user->GetTime(0), 3.6f, 1e-4f);
    EXPECT_EQ(stage.frameIndex, 0u);
    EXPECT_FLOAT_EQ(stage.scaleU, 0.2475f);
    EXPECT_FLOAT_EQ(stage.scaleV, 0.495f);
    // Column 3 of the top row (rows count from the bottom).
    EXPECT_FLOAT_EQ(stage.offsetU, 0.2475f * 3.005f / 0.99f);
    EXPECT_FLOAT_EQ(stage.offsetV, 0.495f * 1.005f / 0.99f);

    Run(2); // 0.55 s: time 4.4, frame 4: the first cell of the bottom row
    EXPECT_FLOAT_EQ(user->GetStage(0).offsetU, 0.00125f);
    EXPECT_FLOAT_EQ(user->GetStage(0).offsetV, 0.0025f);
}

TEST_F(ShaderUserTest, SequenceBindsTheTextureOfItsFrame)
{
    ShaderUser* user = User(2, 1, 1, 10, 10.0f);
    Run(25); // 1.25 s at 10 frames a second
    EXPECT_NEAR(user->GetTime(0), 2.5f, 1e-4f);
    EXPECT_EQ(user->GetStage(0).frameIndex, 2u);
    user->Apply();
    EXPECT_EQ(bed.Render().GetTexture(0), user->GetShader()->GetTexture(0, 2));
}

TEST_F(ShaderUserTest, AnimationWrapsAroundItsFrames)
{
    ShaderUser* user = User(2, 1, 1, 4, 10.0f);
    Run(9); // time 4.5 wraps to 0.5
    EXPECT_NEAR(user->GetTime(0), 0.5f, 1e-4f);
    EXPECT_EQ(user->GetStage(0).frameIndex, 0u);
    Run(2); // 1.5
    EXPECT_EQ(user->GetStage(0).frameIndex, 1u);
}

TEST_F(ShaderUserTest, StaticStageStaysOnItsOnlyFrame)
{
    ShaderUser* user = User(0, 1, 1, 0, 0.0f);
    Run(5);
    EXPECT_EQ(user->GetTime(0), 0.0f);
    EXPECT_EQ(user->GetStage(0).frameIndex, 0u);
}

TEST_F(ShaderUserTest, RandomStartIsKeptWithoutSpeed)
{
    SeedRandom(12345);
    ShaderUser* user = User(2, 1, 1, 16, 0.0f, ShaderStage::FlagRandomStart);
    const f32 start = user->GetTime(0);
    EXPECT_GE(start, 0.0f);
    EXPECT_LT(start, 16.0f);
    Run(10);
    EXPECT_EQ(user->GetTime(0), start);
    EXPECT_EQ(user->GetStage(0).frameIndex, static_cast<u32>(start));

    SeedRandom(12345);
    EXPECT_EQ(User(2, 1, 1, 16, 0.0f, ShaderStage::FlagRandomStart)->GetTime(0), start);
    EXPECT_EQ(User(2, 1, 1, 16, 0.0f)->GetTime(0), 0.0f);
}

TEST_F(ShaderUserTest, UsersOfOneShaderKeepTheirOwnClocks)
{
    ShaderUser* first = User(2, 1, 1, 10, 10.0f);
    Run(5);
    ShaderUser* second = User(2, 1, 1, 10, 10.0f);
    Run(5);
    EXPECT_EQ(first->GetShader(), second->GetShader());
    EXPECT_EQ(first->GetStage(0).frameIndex, 5u);
    EXPECT_EQ(second->GetStage(0).frameIndex, 2u);
}

TEST_F(ShaderUserTest, HugeSpeedNeitherStallsNorLeavesTheFrames)
{
    ShaderUser* sequence = User(2, 1, 1, 3, 1e30f);
    ShaderUser* grid = User(1, 2, 2, 4, 3e38f);
    Run(3);
    EXPECT_LT(sequence->GetStage(0).frameIndex, 3u);
    EXPECT_GE(sequence->GetTime(0), 0.0f);
    EXPECT_LE(sequence->GetTime(0), 3.0f);
    EXPECT_LE(grid->GetStage(0).offsetU, 1.0f);
    EXPECT_LE(grid->GetStage(0).offsetV, 1.0f);
    sequence->Apply();
}

TEST_F(ShaderUserTest, BackwardsAnimationStaysInItsFrames)
{
    ShaderUser* user = User(2, 1, 1, 4, -10.0f);
    Run(3); // -1.5 is frame 2.5 of the loop
    EXPECT_NEAR(user->GetTime(0), 2.5f, 1e-4f);
    EXPECT_EQ(user->GetStage(0).frameIndex, 2u);
}

TEST_F(ShaderUserTest, ZeroFramesOrCellsAreOneFrame)
{
    ShaderUser* user = User(2, 1, 1, 0, 10.0f);
    ShaderUser* grid = User(1, 0, 0, 0, 10.0f);
    Run(4);
    EXPECT_EQ(user->GetStage(0).frameCount, 1u);
    EXPECT_EQ(user->GetStage(0).frameIndex, 0u);
    EXPECT_FLOAT_EQ(grid->GetStage(0).scaleU, 0.99f);
    user->Apply();
    EXPECT_EQ(bed.Render().GetTexture(0), user->GetShader()->GetTexture(0, 0));
}

TEST_F(ShaderUserTest, UnknownModeKeepsTheFirstFrame)
{
    ShaderUser* user = User(7, 1, 1, 5, 10.0f);
    Run(7);
    EXPECT_EQ(user->GetStage(0).frameIndex, 0u);
    EXPECT_EQ(user->GetShader()->GetTextureCount(0), 1u);
}

TEST_F(ShaderUserTest, AUserShowsThePatchOfItsTextureItsDescriptorAsksForAndSharesTheShader)
{
    ShaderDescriptor clamped(0u);
    clamped.AddStage(0, 2, 1, 1, 3, 0.0f, "fx\\spark0.tga", "", RenderSystem::AddressClamp);
    ShaderUser* whole = bed.Shaders().AddShader(clamped);
    ShaderDescriptor patch = *whole;
    patch.SetStageTransform(0, 0.25f, 0.5f, 2.75f, -1.5f);
    patch.SetStageAddressMode(0, RenderSystem::AddressWrap);
    patch.SetStageTransform(1, 9.0f, 9.0f, 9.0f, 9.0f);
    ShaderUser* patched = bed.Shaders().AddShader(patch);
    EXPECT_EQ(patched->GetShader(), whole->GetShader());
    EXPECT_EQ(patched->GetStageCount(), 1u);
    patched->SetFrame(2.0f);
    Run(1);
    patched->Apply();
    const Vector4 transform = bed.Render().GetTextureTransform(0);
    EXPECT_EQ(transform.x, 0.25f);
    EXPECT_EQ(transform.y, 0.5f);
    EXPECT_EQ(transform.z, 2.75f);
    EXPECT_EQ(transform.w, -1.5f);
    EXPECT_EQ(bed.Render().GetTextureAddressU(0), RenderSystem::AddressWrap);
    EXPECT_EQ(bed.Render().GetTextureAddressV(0), RenderSystem::AddressWrap);
    EXPECT_EQ(bed.Render().GetTexture(0), whole->GetShader()->GetTexture(0, 2));

    whole->Apply();
    EXPECT_EQ(bed.Render().GetTextureTransform(0).x, 1.0f);
    EXPECT_EQ(bed.Render().GetTextureAddressU(0), RenderSystem::AddressClamp);
}
