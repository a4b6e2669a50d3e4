// Models drawn for real through OpenGL on an offscreen window by the model manager: a skinned square seen at
// two times of its animation has moved, a box file that cannot be read still shows as a box, and a box's new
// colour shows whether its vertices come from memory or from the device's buffer, also after a device reset.
#include "engine/files/FileManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "tests/support/AnimationClock.h"
#include "tools/formats/ModelFileWriter.h"
#include "tests/support/RenderTestBed.h"
#include "tools/formats/ShaderFileWriter.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using KorvaneTest::RenderPixel;
using KorvaneTest::RenderRgbNear;

namespace
{
// A square of half size 0.6 bound to one bone, at x = -1 in frame 0 and x = +1 in frame 1.
KorvaneTools::ModelFileDescription SlidingSquare()
{
    KorvaneTools::ModelFileDescription d;
    d.flags = ModelFlags::Skeletal | ModelFlags::TriangleList;
    d.frameCount = 2;
    d.speed = 1.0f;
    const Vector3 half(0.6f, 0.6f, 0.0f);
    d.bones = {{0, "slide", Vector3(0.0f), half * -1.0f, half, 0, 0}};
    d.keyFrames = {-1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1};
    d.indices = {0, 1, 2, 0, 2, 3};
    const f32 corners[4][2] = {{-0.6f, -0.6f}, {0.6f, -0.6f}, {0.6f, 0.6f}, {-0.6f, 0.6f}};
    for (const auto& corner : corners)
        d.skinnedVertices.push_back({0.0f, 0.0f, {{0, 1.0f, Vector3(0, 0, 1), Vector3(corner[0], corner[1], 0)}}});
    d.boxes = {{half * -1.0f, half}};
    return d;
}

class ModelPixels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        render = &bed.Start();
        files = std::make_unique<FileManager>(&bed.Log(), folder.Path(), "data");
        cameras = std::make_unique<CameraManager>(&bed.Log(), &bed.GetWindow(), render);
        lights = std::make_unique<LightManager>(&bed.Log(), render);
        shaders = std::make_unique<ShaderManager>(&bed.Log(), files.get(), clock.Timers(), &bed.Settings(), render);
        models = std::make_unique<ModelManager>(&bed.Log(), files.get(), clock.Timers(), render, cameras.get(),
                                                lights.get(), shaders.get());
        render->SetClearColor(Color(0.0f, 0.0f, 1.0f, 1.0f));
    }

    void TearDown() override
    {
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
    }

    // One frame of the engine's drawing steps, read back before it is presented.
    Image Frame()
    {
        cameras->Update();
        lights->Update();
        shaders->Update();
        models->Render();
        return bed.Screenshot();
    }

    Model* PlaceModel(Model* model, const Color& color)
    {
        model->SetColor(color);
        MakeTranslationMatrix(model->worldMatrix, Vector3(0.0f, 0.0f, -6.0f));
        model->bounds.SetTransform(model->worldMatrix);
        return model;
    }

    KorvaneTest::RenderTestBed bed;
    TestSupport::TempFolder folder;
    TestSupport::AnimationClock clock;
    RenderSystem_D3D7* render = nullptr;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> shaders;
    std::unique_ptr<ModelManager> models;
};
}

// At six units the default camera sees 4.62 units each side of the middle of a 640-pixel frame, so x = -1
// and x = +1 land on columns 251 and 389.
TEST_F(ModelPixels, AnimatedModelMovesBetweenTwoTimes)
{
    folder.WriteFile("data/slide.mlf", KorvaneTools::WriteModelFile(SlidingSquare()));
    folder.WriteFile("data/slide.srf", KorvaneTools::BuildShaderFile(KorvaneTools::ShaderFile{}));
    Model* model = PlaceModel(
        models->CreateModelFromFile("slide.mlf", nullptr, ModelFlags::Visible | ModelFlags::VertexColor),
        Color(1.0f, 0.0f, 0.0f, 1.0f));
    model->animation->Start();

    const Image before = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(before, 251, 240), 255, 0, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(before, 389, 240), 0, 0, 255));

    for (int step = 0; step < 10; ++step)
    {
        clock.Step(0.1);
        models->Render();
    }
    const Image after = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(after, 251, 240), 0, 0, 255));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(after, 389, 240), 255, 0, 0));
    EXPECT_TRUE(bed.Entries(MessageManager::KindError).empty());
}

TEST_F(ModelPixels, UnreadableFileShowsTheBox)
{
    Model* box = models->CreateModelFromFile("missing.mlf", nullptr, ModelFlags::VertexColor);
    PlaceModel(box, Color(0, 1, 0, 1))->ClearFlags(ModelFlags::Lit);
    const Image frame = Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 320, 240), 0, 255, 0));
    EXPECT_TRUE(RenderRgbNear(RenderPixel(frame, 10, 10), 0, 0, 255));
    EXPECT_EQ(bed.Entries(MessageManager::KindError).size(), 1u);
}

// Vertices that held still are drawn from the device's buffer: after a change, the frame that draws from memory
// and the next, drawn from the buffer again, both show the new colour, not what the buffer received first.
TEST_F(ModelPixels, AModelRecolouredAfterItsVerticesWentToTheDeviceShowsTheNewColour)
{
    Model* box = models->CreateModelFromFile("missing.mlf", nullptr, ModelFlags::VertexColor);
    PlaceModel(box, Color(0, 1, 0, 1))->ClearFlags(ModelFlags::Lit);
    Frame();
    EXPECT_TRUE(RenderRgbNear(RenderPixel(Frame(), 320, 240), 0, 255, 0));
    box->SetColor(Color(1, 0, 0, 1));
    for (int drawn = 0; drawn < 3; ++drawn)
        EXPECT_TRUE(RenderRgbNear(RenderPixel(Frame(), 320, 240), 255, 0, 0)) << "frame " << drawn;
}

// A device reset takes the device's vertex buffers with it: the vertices are sent to the new device's buffers.
TEST_F(ModelPixels, AModelIsDrawnFromNewDeviceBuffersAfterADeviceReset)
{
    Model* box = models->CreateModelFromFile("missing.mlf", nullptr, ModelFlags::VertexColor);
    PlaceModel(box, Color(0, 1, 0, 1))->ClearFlags(ModelFlags::Lit);
    Frame();
    Frame();
    render->Reset(RenderSystem::ResetDevice);
    for (int drawn = 0; drawn < 2; ++drawn)
        EXPECT_TRUE(RenderRgbNear(RenderPixel(Frame(), 320, 240), 0, 255, 0)) << "frame " << drawn;
    box->SetColor(Color(1, 0, 0, 1));
    for (int drawn = 0; drawn < 2; ++drawn)
        EXPECT_TRUE(RenderRgbNear(RenderPixel(Frame(), 320, 240), 255, 0, 0)) << "frame " << drawn;
}
