// Shaders drawn for real through OpenGL on an offscreen window: an opacity image blends a texture over what
// is behind it, two stages modulate each other, and a grid animation shows one cell at a time.
#include "engine/core/TimerManager.h"
#include "engine/files/FileManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "tests/support/AnimationClock.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/RenderTestBed.h"
#include "tests/support/SceneGeometry.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace VelkorEngine;
using KorvaneTest::RenderPixel;
using KorvaneTest::RenderRgbNear;

namespace
{
// A picture of one colour, or of two colours side by side.
ImageTest::Picture Solid(u32 width, u32 height, std::initializer_list<u8> left, std::initializer_list<u8> right)
{
    const u32 channels = static_cast<u32>(left.size());
    ImageTest::Picture picture{width, height, channels, {}};
    for (u32 y = 0; y < height; ++y)
        for (u32 x = 0; x < width; ++x)
            for (u8 value : (x < width / 2 ? left : right))
                picture.pixels.push_back(value);
    return picture;
}

class ShaderPixels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        render = &bed.Start();
        files = std::make_unique<FileManager>(&bed.Log(), folder.Path(), "data");
        shaders = std::make_unique<ShaderManager>(&bed.Log(), files.get(), clock.Timers(), &bed.Settings(), render);
    }

    void Picture(const std::string& name, const ImageTest::Picture& picture)
    {
        const std::vector<u8> bytes = ImageTest::MakeTga(picture);
        folder.WriteFile("data/" + name, std::string(bytes.begin(), bytes.end()));
    }

    // A frame with the user's shader on a quad over the middle of the screen, on a blue background.
    Image Frame(ShaderUser* user)
    {
        bed.UseScreenSpace();
        render->SetClearColor(Color(0.0f, 0.0f, 1.0f, 1.0f));
        render->BeginScene();
        user->Apply();
        KorvaneTest::DrawSceneQuad(*render, KorvaneTest::SceneQuad(Vector3(0, 0, 0.5f), Vector3(1, 0, 0),
                                                                   Vector3(0, 1, 0), 0.5f));
        render->EndScene();
        return bed.Screenshot();
    }

    KorvaneTest::RenderTestBed bed;
    TestSupport::TempFolder folder;
    TestSupport::AnimationClock clock;
    RenderSystem_D3D7* render = nullptr;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<ShaderManager> shaders;
};
}

// One texture stage over the blue background: opaque, with an opacity image, or with the image's own alpha.
TEST_F(ShaderPixels, OneStageBlendsByItsOpacity)
{
    Picture("red.tga", Solid(4, 4, {255, 0, 0}, {255, 0, 0}));
    Picture("half.tga", Solid(4, 4, {128, 128, 128}, {128, 128, 128}));
    Picture("glass.tga", Solid(4, 4, {0, 255, 0, 64}, {0, 255, 0, 64}));
    const struct
    {
        const char* diffuse;
        const char* opacity;
        u8 red, green, blue;
        int tolerance;
    } cases[] = {
        {"red.tga", "", 255, 0, 0, 1},
        {"red.tga", "half.tga", 128, 0, 127, 3},
        {"glass.tga", "32bit", 0, 64, 191, 3},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.diffuse) + " " + c.opacity);
        ShaderUser* user = shaders->AddShader(BuildSingleTextureShaderDescriptor(c.diffuse, c.opacity, false));
        const Image frame = Frame(user);
        EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320, 240), c.red, c.green, c.blue, c.tolerance));
        EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 10, 10), 0, 0, 255, 0));
    }
}

TEST_F(ShaderPixels, TwoStagesModulate)
{
    Picture("magenta.tga", Solid(4, 4, {255, 128, 255}, {255, 128, 255}));
    Picture("yellow.tga", Solid(4, 4, {128, 255, 0}, {128, 255, 0}));
    ShaderDescriptor descriptor(0u);
    descriptor.AddStage(0, 0, 1, 1, 0, 0.0f, "magenta.tga", "", 1);
    descriptor.AddStage(0, 0, 1, 1, 0, 0.0f, "yellow.tga", "", 1);
    ShaderUser* user = shaders->AddShader(descriptor);
    EXPECT_TRUE(RenderRgbNear(RenderPixel(Frame(user), 320, 240), 128, 128, 0, 3));
}

TEST_F(ShaderPixels, GridAnimationShowsOneCellAtATime)
{
    Picture("cells.tga", Solid(8, 4, {255, 0, 0}, {0, 255, 0}));
    ShaderUser* user = shaders->AddShader(BuildTextureShaderDescriptor(2, 1, "cells.tga", "", false));
    ShaderDescriptor animated(0u);
    animated.AddStage(0, 1, 2, 1, 2, 10.0f, "cells.tga", "", 1);
    ShaderUser* running = shaders->AddShader(animated);
    shaders->Update();
    EXPECT_EQ(user->GetShader(), running->GetShader());

    const Image first = Frame(running);
    EXPECT_TRUE(RenderRgbNear(RenderPixel(first, 300, 240), 255, 0, 0, 3));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(first, 340, 240), 255, 0, 0, 3));

    clock.Run(2, 0.05, [&] { shaders->Update(); }); // one frame on at ten frames a second
    const Image second = Frame(running);
    EXPECT_TRUE(RenderRgbNear(RenderPixel(second, 300, 240), 0, 255, 0, 3));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(second, 340, 240), 0, 255, 0, 3));
}

TEST_F(ShaderPixels, SequenceShowsTheTextureOfItsFrame)
{
    Picture("fx/flash0.tga", Solid(4, 4, {255, 255, 255}, {255, 255, 255}));
    Picture("fx/flash1.tga", Solid(4, 4, {255, 0, 0}, {255, 0, 0}));
    ShaderDescriptor descriptor(0u);
    descriptor.AddStage(0, 2, 1, 1, 2, 10.0f, "fx\\flash0.tga", "", 1);
    ShaderUser* user = shaders->AddShader(descriptor);
    shaders->Update();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(Frame(user), 320, 240), 255, 255, 255, 1));
    clock.Run(2, 0.05, [&] { shaders->Update(); });
    EXPECT_TRUE(RenderRgbNear(RenderPixel(Frame(user), 320, 240), 255, 0, 0, 1));
}
