// Shaders, shader users and the shader manager over the recording render system: sharing and release of
// shaders and textures, shader files and their fallback, texture names, and the states a user applies.
#include "engine/render/ShaderManager.h"

#include "engine/render/Shader.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "tests/support/ShaderTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <utility>

using namespace VelkorEngine;
using KorvaneTest::RenderUpdate;
using KorvaneTools::ShaderFile;
using KorvaneTools::ShaderFileStage;

namespace
{
ShaderDescriptor TextureDescriptor(const std::string& name, u32 mode = 0, u32 frames = 0, u32 stageFlags = 0)
{
    ShaderDescriptor descriptor(0u);
    descriptor.AddStage(stageFlags, mode, 1, 1, frames, 0.0f, name, "", 1);
    return descriptor;
}

std::vector<std::string> TextureKeys(TextureManager& textures)
{
    std::vector<Texture2D*> list;
    textures.GetTextures(list);
    std::vector<std::string> keys;
    for (Texture2D* texture : list)
        keys.push_back(texture->GetKeyName());
    std::sort(keys.begin(), keys.end());
    return keys;
}

// Errors of the shader manager itself; pictures the tests do not write give the image loader's own errors.
std::size_t ManagerErrors(const TestSupport::ShaderTestBed& bed)
{
    std::size_t count = 0;
    for (const std::string& entry : bed.Entries(MessageManager::KindError))
        count += entry.find("Shader Manager") != std::string::npos ? 1 : 0;
    return count;
}

class ShaderManagerTest : public ::testing::Test
{
protected:
    TestSupport::ShaderTestBed bed;
    ShaderManager& shaders = bed.Shaders();
};
}

TEST_F(ShaderManagerTest, EqualDescriptorsShareOneShader)
{
    ShaderUser* first = shaders.AddShader(TextureDescriptor("Wall.tga"));
    ShaderDescriptor clamped(0u);
    clamped.AddStage(0, 0, 1, 1, 0, 0.0f, "wall.tga", "", 0);
    ShaderUser* second = shaders.CreateShaderUser(clamped);
    ASSERT_NE(first, second);
    EXPECT_EQ(first->GetShader(), second->GetShader());
    EXPECT_EQ(first->GetShader()->referenceCount, 2u);
    EXPECT_EQ(shaders.GetShaderUserCount(), 2u);
    EXPECT_EQ(shaders.GetShaderCount(), 1u);
    EXPECT_EQ(bed.Textures().GetTextureCount(), 1u);
    // Each user keeps its own copy of the descriptor.
    EXPECT_EQ(second->GetStage(0).addressModeU, 0u);
    EXPECT_EQ(first->GetStage(0).addressModeU, 1u);

    ShaderUser* other = shaders.AddShader(TextureDescriptor("floor.tga"));
    EXPECT_NE(other->GetShader(), first->GetShader());
    EXPECT_EQ(shaders.GetShaderCount(), 2u);
    EXPECT_EQ(bed.Textures().GetTextureCount(), 2u);
}

TEST_F(ShaderManagerTest, LastUserReleasesTheShaderAndItsTextures)
{
    ShaderUser* first = shaders.AddShader(TextureDescriptor("wall.tga"));
    ShaderUser* second = shaders.AddShader(TextureDescriptor("wall.tga"));
    shaders.RemoveShader(first);
    EXPECT_EQ(shaders.GetShaderUserCount(), 1u);
    EXPECT_EQ(shaders.GetShaderCount(), 1u);
    EXPECT_EQ(bed.Textures().GetTextureCount(), 1u);
    EXPECT_EQ(second->GetShader()->referenceCount, 1u);
    shaders.RemoveShader(second);
    EXPECT_EQ(shaders.GetShaderUserCount(), 0u);
    EXPECT_EQ(shaders.GetShaderCount(), 0u);
    EXPECT_EQ(bed.Textures().GetTextureCount(), 0u);
    EXPECT_EQ(ManagerErrors(bed), 0u);
}

TEST_F(ShaderManagerTest, RemovingAUserItDoesNotHoldIsLoggedAndHarmless)
{
    ShaderUser* held = shaders.AddShader(TextureDescriptor("wall.tga"));
    ShaderManager otherManager(&bed.Log(), &bed.Files(), bed.Clock().Timers(), &bed.Settings(), &bed.Render());
    ShaderUser* foreign = otherManager.AddShader(TextureDescriptor("wall.tga"));
    shaders.RemoveShader(foreign);
    shaders.RemoveShader(nullptr);
    EXPECT_EQ(shaders.GetShaderUserCount(), 1u);
    EXPECT_EQ(otherManager.GetShaderUserCount(), 1u);
    EXPECT_EQ(ManagerErrors(bed), 1u);
    const std::vector<std::string> errors = bed.Entries(MessageManager::KindError);
    EXPECT_NE(errors.back().find("Shader Manager: Failed to remove shader"), std::string::npos);

    // A user removed twice is not read the second time: its address alone is looked for.
    shaders.RemoveShader(held);
    shaders.RemoveShader(held);
    EXPECT_EQ(ManagerErrors(bed), 2u);
}

TEST_F(ShaderManagerTest, ShaderFileLoadedTwiceGivesTwoUsersOfOneShader)
{
    ShaderFile file;
    ShaderFileStage stage;
    stage.firstName = "fire.tga";
    file.stages = {stage};
    bed.WriteShaderFile("models\\fx\\fire.srf", file);
    ShaderUser* first = shaders.Load("models\\fx\\fire.srf");
    ShaderUser* second = shaders.Load("models\\fx\\fire.srf");
    EXPECT_NE(first, second);
    EXPECT_EQ(first->GetShader(), second->GetShader());
    EXPECT_EQ(first->GetStage(0).firstName, "models\\fx\\fire.tga");
    EXPECT_EQ(TextureKeys(bed.Textures()), std::vector<std::string>{"diffuse_data\\models\\fx\\fire.tga"});
}

TEST_F(ShaderManagerTest, UnreadableShaderFilesGiveTheDefaultDescriptor)
{
    ShaderFile threeStages;
    threeStages.stages.resize(3);
    bed.WriteShaderFile("three.srf", threeStages);
    bed.WriteBytes("garbage.srf", "not a shader");
    // A third stage overflows the stages, a fatal error the reader does not log; the others are logged once.
    const std::pair<const char*, std::size_t> cases[] = {{"missing.srf", 1}, {"three.srf", 0}, {"garbage.srf", 1}};
    for (const auto& [name, logged] : cases)
    {
        const std::size_t before = bed.Entries(MessageManager::KindError).size();
        ShaderUser* user = shaders.Load(name);
        ASSERT_NE(user, nullptr) << name;
        EXPECT_EQ(user->GetStageCount(), 0u) << name;
        EXPECT_EQ(user->GetFlags(), 0u) << name;
        EXPECT_EQ(bed.Entries(MessageManager::KindError).size(), before + logged) << name;
    }
    EXPECT_EQ(shaders.GetShaderCount(), 1u);
    EXPECT_EQ(bed.Textures().GetTextureCount(), 0u);
}

struct SequenceNameCase
{
    const char* name;
    u32 frame;
    u32 count;
    const char* expected;
};

TEST(ShaderSequenceNames, FrameNumberReplacesTheDigits)
{
    const SequenceNameCase cases[] = {
        {"smoke00.tga", 0, 16, "smoke00.tga"},  {"smoke00.tga", 15, 16, "smoke15.tga"},
        {"smoke0.tga", 7, 8, "smoke7.tga"},     {"fx\\boom000.jpg", 42, 100, "fx\\boom042.jpg"},
        {"a.tg", 3, 100, "a.tg"},               {"x.tga", 3, 9, "3.tga"},
        {"x.tga", 3, 10, "x.tga"},              {"ab", 1, 2, "1."},
    };
    for (const SequenceNameCase& c : cases)
        EXPECT_EQ(Shader::SequenceFrameName(c.name, c.frame, c.count), c.expected) << c.name << " " << c.frame;
}

TEST_F(ShaderManagerTest, SequencesLoadATexturePerFrame)
{
    ShaderDescriptor descriptor(0u);
    descriptor.AddStage(0, 4, 1, 1, 3, 5.0f, "fx\\Smoke0.tga", "fx\\mask0.tga", 1);
    ShaderUser* user = shaders.AddShader(descriptor);
    Shader* shader = user->GetShader();
    ASSERT_EQ(shader->GetStageCount(), 1u);
    ASSERT_EQ(shader->GetTextureCount(0), 3u);
    EXPECT_EQ(shader->GetTexture(0, 2)->GetKeyName(), "diffuse_data\\fx\\smoke2.tga_plus_opacity_data\\fx\\mask2.tga");
    EXPECT_EQ(bed.Textures().GetTextureCount(), 3u);
}

TEST_F(ShaderManagerTest, SecondSequenceKeepsTheFirstName)
{
    ShaderDescriptor descriptor(0u);
    descriptor.AddStage(1, 3, 1, 1, 2, 5.0f, "fire.tga", "alpha0.tga", 1);
    Shader* shader = shaders.AddShader(descriptor)->GetShader();
    ASSERT_EQ(shader->GetTextureCount(0), 2u);
    EXPECT_EQ(shader->GetTexture(0, 1)->GetKeyName(),
              "diffuse_data\\fire.tga_plus_opacity_data\\alpha1.tga_with_mip_mapping");
}

TEST_F(ShaderManagerTest, GridAndStaticStagesLoadOneTexture)
{
    Shader* grid = shaders.AddShader(TextureDescriptor("font.tga", 1, 8))->GetShader();
    EXPECT_EQ(grid->GetTextureCount(0), 1u);
    Shader* unknownMode = shaders.AddShader(TextureDescriptor("odd.tga", 9, 8))->GetShader();
    EXPECT_EQ(unknownMode->GetTextureCount(0), 1u);
}

TEST_F(ShaderManagerTest, NoTextureStageLoadsNothing)
{
    Shader* shader = shaders.AddShader(TextureDescriptor("wall.tga", 2, 4, 4))->GetShader();
    ASSERT_EQ(shader->GetTextureCount(0), 4u);
    for (u32 frame = 0; frame < 4; ++frame)
        EXPECT_EQ(shader->GetTexture(0, frame), nullptr);
    EXPECT_EQ(bed.Textures().GetTextureCount(), 0u);
}

TEST_F(ShaderManagerTest, MissingJpegIsLookedForUnderOtherExtensions)
{
    bed.WritePicture("walls\\stone.bmp");
    bed.WritePicture("walls\\brick.jpg");
    shaders.AddShader(TextureDescriptor("walls\\stone.jpg"));
    shaders.AddShader(TextureDescriptor("walls\\brick.jpg"));
    shaders.AddShader(TextureDescriptor("walls\\none.jpg"));
    EXPECT_EQ(TextureKeys(bed.Textures()),
              (std::vector<std::string>{"diffuse_data\\walls\\brick.jpg", "diffuse_data\\walls\\none.jpg",
                                        "diffuse_data\\walls\\stone.bmp"}));
}

TEST_F(ShaderManagerTest, ApplySetsEveryStageState)
{
    ShaderDescriptor descriptor(1u);
    descriptor.SetBlendFactor(0, 4);
    descriptor.SetBlendFactor(1, 5);
    descriptor.AddStage(1, 0, 1, 1, 0, 0.0f, "a.tga", "", 0);
    ShaderUser* user = shaders.AddShader(descriptor);
    KorvaneTest::RenderRecordingSystem& render = bed.Render();
    render.ClearUpdates();
    user->Apply();
    const std::vector<RenderUpdate> expected = {{"AlphaBlend", 0}, {"Blend", 0},  {"Texture", 0},
                                                {"Filter", 0},     {"AddressU", 0}, {"AddressV", 0}};
    EXPECT_EQ(render.Updates(), expected);
    EXPECT_EQ(render.GetAlphaBlend(), 1);
    EXPECT_EQ(render.GetSourceBlend(), 4u);
    EXPECT_EQ(render.GetDestinationBlend(), 5u);
    EXPECT_EQ(render.GetTexture(0), user->GetShader()->GetTexture(0, 0));
    EXPECT_EQ(render.GetTextureFilter(0), 2u);
    EXPECT_EQ(render.GetTextureAddressU(0), 0u);
    EXPECT_EQ(render.GetTexture(1), nullptr);

    // Everything is cached now: a second application reaches nothing.
    render.ClearUpdates();
    user->Apply();
    EXPECT_TRUE(render.Updates().empty());
}

TEST_F(ShaderManagerTest, ApplyEmptiesTheStagesTheShaderDoesNotUse)
{
    ShaderDescriptor two(0u);
    two.AddStage(0, 0, 1, 1, 0, 0.0f, "a.tga", "", 1);
    two.AddStage(0, 0, 1, 1, 0, 0.0f, "b.tga", "", 1);
    shaders.AddShader(two)->Apply();
    ASSERT_NE(bed.Render().GetTexture(1), nullptr);

    ShaderUser* one = shaders.AddShader(TextureDescriptor("c.tga"));
    one->Apply();
    EXPECT_EQ(bed.Render().GetTexture(0), one->GetShader()->GetTexture(0, 0));
    EXPECT_EQ(bed.Render().GetTexture(1), nullptr);
    EXPECT_EQ(bed.Render().GetTextureFilter(0), 1u);
    EXPECT_EQ(bed.Render().GetAlphaBlend(), 0);
}

TEST_F(ShaderManagerTest, OpaqueShaderLeavesTheBlendFactors)
{
    bed.Render().SetBlend(2, 3);
    shaders.AddShader(TextureDescriptor("a.tga"))->Apply();
    EXPECT_EQ(bed.Render().GetAlphaBlend(), 0);
    EXPECT_EQ(bed.Render().GetSourceBlend(), 2u);
    EXPECT_EQ(bed.Render().GetDestinationBlend(), 3u);
}

TEST(ShaderManagerOneStage, StagesPastTheDeviceAreNeverSet)
{
    TestSupport::ShaderTestBed bed(1);
    ShaderDescriptor two(0u);
    two.AddStage(0, 0, 1, 1, 0, 0.0f, "a.tga", "", 1);
    two.AddStage(0, 0, 1, 1, 0, 0.0f, "b.tga", "", 1);
    bed.Render().ClearUpdates();
    bed.Shaders().AddShader(two)->Apply();
    for (const RenderUpdate& update : bed.Render().Updates())
        EXPECT_EQ(update.stage, 0u) << update.name;
}

TEST_F(ShaderManagerTest, DestroyingTheManagerReleasesEverything)
{
    auto local = std::make_unique<ShaderManager>(&bed.Log(), &bed.Files(), bed.Clock().Timers(), &bed.Settings(),
                                                 &bed.Render());
    local->AddShader(TextureDescriptor("a.tga"));
    local->AddShader(TextureDescriptor("a.tga"));
    local->AddShader(TextureDescriptor("b.tga", 2, 3));
    EXPECT_EQ(local->GetTextureManager()->GetTextureCount(), 4u);
    local.reset();
    EXPECT_EQ(ManagerErrors(bed), 0u);
}

TEST(ShaderManagerThreads, AddingAndRemovingFromTwoThreads)
{
    TestSupport::ShaderTestBed bed;
    ShaderManager& shaders = bed.Shaders();
    const auto work = [&](const std::string& prefix) {
        std::vector<ShaderUser*> users;
        for (int i = 0; i < 200; ++i)
        {
            users.push_back(shaders.AddShader(TextureDescriptor(prefix + std::to_string(i % 7) + ".tga")));
            users.push_back(shaders.AddShader(TextureDescriptor("shared" + std::to_string(i % 5) + ".tga")));
            if (i % 3 == 0)
            {
                shaders.RemoveShader(users.back());
                users.pop_back();
            }
        }
        for (ShaderUser* user : users)
            shaders.RemoveShader(user);
    };
    std::thread loader(work, "loader");
    work("main");
    loader.join();
    EXPECT_EQ(shaders.GetShaderUserCount(), 0u);
    EXPECT_EQ(shaders.GetShaderCount(), 0u);
    EXPECT_EQ(bed.Textures().GetTextureCount(), 0u);
    EXPECT_EQ(ManagerErrors(bed), 0u);
}

// Shaders are built outside the manager's lock; users of one descriptor asked for on two threads at once
// still share a single shader.
TEST(ShaderManagerThreads, OneDescriptorAskedForOnTwoThreadsGivesOneShader)
{
    TestSupport::ShaderTestBed bed;
    ShaderManager& shaders = bed.Shaders();
    constexpr int Rounds = 50;
    std::vector<ShaderUser*> loaded;
    std::vector<ShaderUser*> main;
    std::thread loader([&] {
        for (int i = 0; i < Rounds; ++i)
            loaded.push_back(shaders.AddShader(TextureDescriptor("same" + std::to_string(i) + ".tga")));
    });
    for (int i = 0; i < Rounds; ++i)
        main.push_back(shaders.AddShader(TextureDescriptor("same" + std::to_string(i) + ".tga")));
    loader.join();
    EXPECT_EQ(shaders.GetShaderCount(), static_cast<u32>(Rounds));
    EXPECT_EQ(bed.Textures().GetTextureCount(), static_cast<u32>(Rounds));
    for (int i = 0; i < Rounds; ++i)
    {
        ASSERT_EQ(loaded[i]->GetShader(), main[i]->GetShader()) << i;
        EXPECT_EQ(loaded[i]->GetShader()->referenceCount, 2u);
        EXPECT_EQ(loaded[i]->GetShader()->GetTexture(0, 0)->GetReferenceCount(), 1u);
    }
    for (int i = 0; i < Rounds; ++i)
    {
        shaders.RemoveShader(loaded[i]);
        shaders.RemoveShader(main[i]);
    }
    EXPECT_EQ(shaders.GetShaderCount(), 0u);
    EXPECT_EQ(bed.Textures().GetTextureCount(), 0u);
    EXPECT_EQ(ManagerErrors(bed), 0u);
}
