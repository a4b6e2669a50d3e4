// Shader descriptors made in code: stages, keys, the sharing equality and the texture builders.
#include "engine/render/ShaderDescriptor.h"

#include "engine/core/Error.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace VelkorEngine;

namespace
{
ShaderDescriptor OneStage(u32 mode, u32 frameCount, const std::string& first, const std::string& second = "",
                          u32 stageFlags = 0)
{
    ShaderDescriptor descriptor(0u);
    descriptor.AddStage(stageFlags, mode, 1, 1, frameCount, 0.0f, first, second, 1);
    return descriptor;
}

u32 SignedByteSum(const std::string& text)
{
    u32 sum = 0;
    for (char c : text)
        sum += static_cast<u32>(static_cast<i32>(static_cast<i8>(c)));
    return sum;
}
}

TEST(ShaderDescriptor, FlagsConstructorKeepsDefaults)
{
    const ShaderDescriptor descriptor(6u);
    EXPECT_EQ(descriptor.GetFlags(), 6u);
    EXPECT_EQ(descriptor.GetStageCount(), 0u);
    EXPECT_EQ(descriptor.GetKey(), 0u);
    EXPECT_EQ(descriptor.GetSourceBlend(), 0u);
    EXPECT_EQ(descriptor.GetDestinationBlend(), 0u);
    for (u32 i = 0; i < 3; ++i)
        EXPECT_FALSE(descriptor.GetColor(i) != Color(1, 1, 1, 1)) << i;
    EXPECT_FALSE(descriptor.GetColor(3) != Color(0, 0, 0, 1));
    EXPECT_EQ(descriptor.GetValue(0), 0.0f);
    EXPECT_EQ(descriptor.GetValue(1), 0.0f);
}

TEST(ShaderDescriptor, AddStageFillsTheRecord)
{
    ShaderDescriptor descriptor(0u);
    EXPECT_EQ(descriptor.AddStage(3, 2, 4, 5, 10, 2.5f, "Textures\\Fire.TGA", "Alpha.tga", 0), 0u);
    const ShaderStage& stage = descriptor.GetStage(0);
    EXPECT_EQ(stage.flags, 3u);
    EXPECT_EQ(stage.mode, 2u);
    EXPECT_EQ(stage.columns, 4u);
    EXPECT_EQ(stage.rows, 5u);
    EXPECT_EQ(stage.frameCount, 10u);
    EXPECT_EQ(stage.speed, 2.5f);
    EXPECT_EQ(stage.firstName, "textures\\fire.tga");
    EXPECT_EQ(stage.secondName, "alpha.tga");
    EXPECT_EQ(stage.addressModeU, 0u);
    EXPECT_EQ(stage.addressModeV, 0u);
    EXPECT_EQ(stage.scaleU, 1.0f);
    EXPECT_EQ(stage.scaleV, 1.0f);
    EXPECT_EQ(stage.offsetU, 0.0f);
    EXPECT_EQ(stage.offsetV, 0.0f);
    EXPECT_EQ(stage.frameIndex, 0u);
    EXPECT_EQ(descriptor.GetKey(), SignedByteSum("textures\\fire.tga") + SignedByteSum("alpha.tga"));
}

TEST(ShaderDescriptor, StaticStageStoresNoFrames)
{
    const ShaderDescriptor descriptor = OneStage(0, 7, "a.tga");
    EXPECT_EQ(descriptor.GetStage(0).frameCount, 0u);
}

TEST(ShaderDescriptor, ThirdStageIsAFatalError)
{
    ShaderDescriptor descriptor(0u);
    descriptor.AddStage(0, 0, 1, 1, 0, 0, "a", "", 0);
    EXPECT_EQ(descriptor.AddStage(0, 0, 1, 1, 0, 0, "b", "", 0), 1u);
    try
    {
        descriptor.AddStage(0, 0, 1, 1, 0, 0, "c", "", 0);
        FAIL() << "no error";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetMessage(), "Shader Stages: buffer is overflowed");
    }
    EXPECT_EQ(descriptor.GetStageCount(), 2u);
}

TEST(ShaderDescriptor, AnimationWithoutFramesOrCellsIsClampedToOne)
{
    ShaderDescriptor descriptor(0u);
    descriptor.AddStage(0, 1, 0, 0, 0, std::numeric_limits<float>::quiet_NaN(), "a", "", 0);
    const ShaderStage& stage = descriptor.GetStage(0);
    EXPECT_EQ(stage.frameCount, 1u);
    EXPECT_EQ(stage.columns, 1u);
    EXPECT_EQ(stage.rows, 1u);
    EXPECT_EQ(stage.speed, 0.0f);
}

TEST(ShaderDescriptor, KeySumsSignedBytes)
{
    const ShaderDescriptor descriptor = OneStage(0, 0, "\xE9t\xE9.tga");
    EXPECT_EQ(descriptor.GetKey(), SignedByteSum("\xE9t\xE9.tga"));
    EXPECT_EQ(descriptor.GetKey(), static_cast<u32>(2 * -23 + 't' + '.' + 't' + 'g' + 'a'));
}

TEST(ShaderDescriptor, SettersAndBlendFactors)
{
    ShaderDescriptor descriptor(1u);
    descriptor.SetFlags(4);
    descriptor.SetBlendFactor(0, 4);
    descriptor.SetBlendFactor(1, 5);
    descriptor.SetBlendFactor(2, 9);
    descriptor.SetColor2(Color(0.1f, 0.2f, 0.3f, 0.4f));
    descriptor.SetValue2(7.0f);
    EXPECT_EQ(descriptor.GetFlags(), 5u);
    EXPECT_EQ(descriptor.GetSourceBlend(), 4u);
    EXPECT_EQ(descriptor.GetDestinationBlend(), 5u);
    EXPECT_FALSE(descriptor.GetColor(1) != Color(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(descriptor.GetValue(1), 7.0f);

    const ShaderDescriptor copy(descriptor);
    EXPECT_EQ(copy.GetFlags(), 5u);
    EXPECT_EQ(copy.GetValue(1), 7.0f);
}

struct EqualityCase
{
    const char* what;
    std::function<void(ShaderDescriptor&)> change;
    bool equal;
};

TEST(ShaderDescriptor, EqualityTable)
{
    const auto base = [] {
        ShaderDescriptor d(0u);
        d.AddStage(1, 2, 1, 1, 8, 4.0f, "fire.tga", "mask.tga", 1);
        return d;
    };
    const EqualityCase cases[] = {
        {"identical", [](ShaderDescriptor&) {}, true},
        {"colours and values", [](ShaderDescriptor& d) { d.SetColor1(Color(0, 0, 0, 0)); d.SetValue1(3); }, true},
        {"blend factors", [](ShaderDescriptor& d) { d.SetBlendFactor(0, 9); }, true},
        {"alpha-blend flag", [](ShaderDescriptor& d) { d.SetFlags(1); }, true},
        {"another flag", [](ShaderDescriptor& d) { d.SetFlags(2); }, false},
    };
    for (const EqualityCase& c : cases)
    {
        ShaderDescriptor changed = base();
        c.change(changed);
        EXPECT_EQ(changed == base(), c.equal) << c.what;
        EXPECT_EQ(base() == changed, c.equal) << c.what;
    }
}

struct StagePairCase
{
    const char* what;
    ShaderDescriptor a;
    ShaderDescriptor b;
    bool equal;
};

TEST(ShaderDescriptor, StageEqualityTable)
{
    ShaderDescriptor wrapped = OneStage(0, 0, "a.tga");
    ShaderDescriptor clamped(0u);
    clamped.AddStage(0, 0, 1, 1, 0, 0.0f, "a.tga", "", 0);
    ShaderDescriptor twoStages = OneStage(0, 0, "a.tga");
    twoStages.AddStage(0, 0, 1, 1, 0, 0.0f, "", "", 0);

    const StagePairCase cases[] = {
        {"address modes", wrapped, clamped, true},
        {"letter case", OneStage(0, 0, "A.TGA"), OneStage(0, 0, "a.tga"), true},
        {"static and grid", OneStage(0, 0, "a.tga"), OneStage(1, 4, "a.tga"), true},
        {"grids of other sizes", OneStage(1, 4, "a.tga"), OneStage(1, 9, "a.tga"), true},
        {"sequences of other lengths", OneStage(2, 4, "a.tga"), OneStage(2, 5, "a.tga"), false},
        {"sequence and static", OneStage(2, 1, "a.tga"), OneStage(0, 0, "a.tga"), false},
        {"first and second sequences", OneStage(2, 4, "a.tga"), OneStage(3, 4, "a.tga"), false},
        {"mip and random-start flags", OneStage(0, 0, "a.tga", "", 3), OneStage(0, 0, "a.tga", "", 0), true},
        {"no-texture flag", OneStage(0, 0, "a.tga", "", 4), OneStage(0, 0, "a.tga", "", 0), false},
        {"second name", OneStage(0, 0, "a.tga", "b.tga"), OneStage(0, 0, "a.tga"), false},
        {"names with equal keys", OneStage(0, 0, "ab.tga"), OneStage(0, 0, "ba.tga"), false},
        {"stage counts", twoStages, OneStage(0, 0, "a.tga"), false},
    };
    for (const StagePairCase& c : cases)
        EXPECT_EQ(c.a == c.b, c.equal) << c.what;
}

TEST(ShaderDescriptor, TextureSettingsConstructor)
{
    const ShaderDescriptor blended(true, 2, 1, 1, 6, 12.0f, "Smoke00.tga", "SmokeMask00.tga", true);
    EXPECT_EQ(blended.GetFlags(), 1u);
    EXPECT_EQ(blended.GetSourceBlend(), 4u);
    EXPECT_EQ(blended.GetDestinationBlend(), 5u);
    ASSERT_EQ(blended.GetStageCount(), 1u);
    EXPECT_EQ(blended.GetStage(0).flags, 1u);
    EXPECT_EQ(blended.GetStage(0).frameCount, 6u);
    EXPECT_EQ(blended.GetStage(0).secondName, "smokemask00.tga");
    EXPECT_EQ(blended.GetStage(0).addressModeU, 0u);

    const ShaderDescriptor ownAlpha(false, 0, 1, 1, 1, 0.0f, "logo.tga", "32BIT", false);
    EXPECT_EQ(ownAlpha.GetFlags(), 1u);
    EXPECT_EQ(ownAlpha.GetStage(0).flags, 0u);
    EXPECT_EQ(ownAlpha.GetStage(0).secondName, "");
    EXPECT_EQ(ownAlpha.GetStage(0).addressModeV, 1u);

    // Only the exact word means the diffuse image's own alpha here.
    const ShaderDescriptor named(false, 0, 1, 1, 1, 0.0f, "logo.tga", "x32bit.tga", false);
    EXPECT_EQ(named.GetStage(0).secondName, "x32bit.tga");

    const ShaderDescriptor opaque(false, 0, 1, 1, 1, 0.0f, "wall.jpg", "", false);
    EXPECT_EQ(opaque.GetFlags(), 0u);
    EXPECT_EQ(opaque.GetSourceBlend(), 0u);
}

TEST(ShaderDescriptor, BuildTextureShaderDescriptorGrid)
{
    SetTextureShaderFlag(0);
    const ShaderDescriptor grid = BuildTextureShaderDescriptor(4, 2, "Font.tga", "x32bitx", false);
    EXPECT_EQ(grid.GetFlags(), 1u);
    EXPECT_EQ(grid.GetSourceBlend(), 4u);
    EXPECT_EQ(grid.GetDestinationBlend(), 5u);
    ASSERT_EQ(grid.GetStageCount(), 1u);
    const ShaderStage& stage = grid.GetStage(0);
    EXPECT_EQ(stage.flags, 0u);
    EXPECT_EQ(stage.mode, 1u);
    EXPECT_EQ(stage.columns, 4u);
    EXPECT_EQ(stage.rows, 2u);
    EXPECT_EQ(stage.frameCount, 8u);
    EXPECT_EQ(stage.speed, 0.0f);
    EXPECT_EQ(stage.firstName, "font.tga");
    EXPECT_EQ(stage.secondName, "");
    EXPECT_EQ(stage.addressModeU, 1u);
}

TEST(ShaderDescriptor, BuildTextureShaderDescriptorUsesTheProcessFlag)
{
    SetTextureShaderFlag(1);
    const ShaderDescriptor single = BuildSingleTextureShaderDescriptor("ui\\console.jpg", "", true);
    SetTextureShaderFlag(0);
    EXPECT_EQ(single.GetFlags(), 0u);
    ASSERT_EQ(single.GetStageCount(), 1u);
    EXPECT_EQ(single.GetStage(0).flags, 1u);
    EXPECT_EQ(single.GetStage(0).mode, 0u);
    EXPECT_EQ(single.GetStage(0).frameCount, 0u);
    EXPECT_EQ(single.GetStage(0).addressModeU, 0u);

    // "32bit" is searched case-sensitively here.
    const ShaderDescriptor upper = BuildSingleTextureShaderDescriptor("a.tga", "32BIT", true);
    EXPECT_EQ(upper.GetStage(0).secondName, "32bit");
}

TEST(ShaderDescriptor, BuildWithoutDiffuseHasNoStage)
{
    const ShaderDescriptor none = BuildSingleTextureShaderDescriptor("", "mask.tga", true);
    EXPECT_EQ(none.GetStageCount(), 0u);
    EXPECT_EQ(none.GetFlags(), 1u);
}
