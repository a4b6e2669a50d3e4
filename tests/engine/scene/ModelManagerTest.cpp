// The model manager over the recording render system: creation and registration, the fallback box, deletion,
// the per-frame pass with its counters, the drawing order and its stability.
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "tests/support/MathTestSupport.h"
#include "tests/support/ModelTestBed.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace VelkorEngine;
using namespace TestSupport;
using namespace KorvaneTools;

class ModelManagerTest : public ::testing::Test
{
protected:
    // A registered box in front of the camera whose depth key is set by hand.
    Model* KeyedBox(f32 depth, u32 extraFlags, f32 offset = 0.0f)
    {
        Model* model = bed.Models().CreateBoxModel(Vector3(-1.0f), Vector3(1.0f), nullptr, nullptr,
                                                   extraFlags | ModelFlags::KeepDepth);
        model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
        model->bounds.SetTransform(model->worldMatrix);
        model->depth = depth;
        model->depthOffset = offset;
        return model;
    }

    // The models drawn in the last frame, in drawing order.
    std::vector<const Model*> DrawOrder(const std::vector<const Model*>& candidates)
    {
        std::vector<const Model*> order;
        for (const auto& draw : bed.Render().Draws())
            for (const Model* model : candidates)
                if (model->vertexBuffer.get() == draw.vertexBuffer)
                    order.push_back(model);
        return order;
    }

    ModelTestBed bed;
};

TEST_F(ModelManagerTest, InactiveRenderSystemUpdatesNothing)
{
    Model* model = KeyedBox(1.0f, ModelFlags::Morph);
    model->animation->speed = 10.0f;
    model->animation->Start();
    bed.Clock().Step(0.1);
    bed.Render().SetActive(0);
    bed.Models().Render();
    bed.Models().SwapBuffers();
    EXPECT_EQ(bed.Models().GetPrimitiveCount(), 0u);
    EXPECT_EQ(bed.Models().GetVisibleModelCount(), 0u);
    EXPECT_FLOAT_EQ(model->animation->time, 0.0f);
    EXPECT_TRUE(bed.Render().FrameEvents().empty());

    bed.Render().SetActive(1);
    bed.Models().Render();
    bed.Models().SwapBuffers();
    EXPECT_EQ(bed.Render().FrameEvents(), (std::vector<std::string>{"BeginScene", "EndScene", "SwapBuffers"}));
    EXPECT_EQ(bed.Models().GetVisibleModelCount(), 1u);
}

// A long test clears what the recording render system holds, so each frame is looked at alone.
TEST_F(ModelManagerTest, RecordsClearedBetweenFramesHoldOneFrame)
{
    KeyedBox(1.0f, ModelFlags::Morph);
    for (int frame = 0; frame < 3; ++frame)
    {
        bed.Render().ClearRecords();
        bed.Models().Render();
        bed.Models().SwapBuffers();
        EXPECT_EQ(bed.Render().FrameEvents(), (std::vector<std::string>{"BeginScene", "EndScene", "SwapBuffers"}));
        EXPECT_EQ(bed.Render().Draws().size(), 1u);
    }
    bed.Render().ClearRecords();
    EXPECT_TRUE(bed.Render().FrameEvents().empty());
    EXPECT_TRUE(bed.Render().Draws().empty());
    EXPECT_TRUE(bed.Render().Updates().empty());
}

TEST_F(ModelManagerTest, FirstListNearToFarThenTheRestFarToNear)
{
    Model* farSecond = KeyedBox(5.0f, ModelFlags::SecondList);
    Model* farFirst = KeyedBox(5.0f, ModelFlags::FirstList);
    Model* nearSecond = KeyedBox(2.0f, ModelFlags::SecondList);
    Model* nearFirst = KeyedBox(2.0f, ModelFlags::FirstList);
    bed.Models().Render();
    EXPECT_EQ(DrawOrder({farSecond, farFirst, nearSecond, nearFirst}),
              (std::vector<const Model*>{nearFirst, farFirst, farSecond, nearSecond}));
}

TEST_F(ModelManagerTest, DepthOffsetJoinsTheSortKey)
{
    Model* three = KeyedBox(3.0f, ModelFlags::FirstList, -2.0f); // key 1
    Model* two = KeyedBox(2.0f, ModelFlags::FirstList);
    bed.Models().Render();
    EXPECT_EQ(DrawOrder({three, two}), (std::vector<const Model*>{three, two}));
}

// Fault: an unstable sort let models of equal keys swap places from one frame to the next.
TEST_F(ModelManagerTest, EqualKeysKeepTheirRegistrationOrderEveryFrame)
{
    std::vector<const Model*> first;
    std::vector<const Model*> second;
    for (int i = 0; i < 40; ++i)
    {
        first.push_back(KeyedBox(static_cast<f32>(i % 3), ModelFlags::FirstList));
        second.push_back(KeyedBox(static_cast<f32>(i % 3), ModelFlags::SecondList));
    }
    std::vector<const Model*> expected;
    for (int key = 0; key < 3; ++key)
        for (int i = key; i < 40; i += 3)
            expected.push_back(first[i]);
    for (int key = 2; key >= 0; --key)
        for (int i = key; i < 40; i += 3)
            expected.push_back(second[i]);
    std::vector<const Model*> all = first;
    all.insert(all.end(), second.begin(), second.end());
    for (int frame = 0; frame < 3; ++frame)
    {
        bed.Render().ClearDraws();
        bed.Models().Render();
        EXPECT_EQ(DrawOrder(all), expected) << frame;
    }
}

TEST_F(ModelManagerTest, CountersOfVisibleCulledAndHiddenModels)
{
    KeyedBox(1.0f, 0);
    Model* culled = bed.Models().CreateBoxModel(Vector3(-1.0f), Vector3(1.0f), nullptr, nullptr, 0);
    culled->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, 30.0f));
    culled->bounds.SetTransform(culled->worldMatrix);
    Model* hidden = KeyedBox(1.0f, 0);
    hidden->ClearFlags(ModelFlags::Visible);
    bed.Models().Render();
    EXPECT_EQ(bed.Models().GetPrimitiveCount(), 24u);
    EXPECT_EQ(bed.Models().GetPrimitivesDrawn(), 12u);
    EXPECT_EQ(bed.Models().GetVisibleModelCount(), 2u);
    EXPECT_EQ(bed.Models().GetDrawnModelCount(), 1u);
    EXPECT_EQ(bed.Render().Draws().size(), 1u);
}

TEST_F(ModelManagerTest, HiddenRegisteredModelsStillAnimate)
{
    bed.WriteModel("models\\morph.mlf", MakeMorphTriangle());
    Model* model = bed.Models().CreateModelFromFile("models\\morph.mlf", nullptr, 0);
    model->animation->Start();
    bed.Clock().Step(0.05);
    bed.Models().Render();
    EXPECT_FLOAT_EQ(model->animation->time, 0.5f);
    EXPECT_EQ(bed.Models().GetVisibleModelCount(), 0u);
}

TEST_F(ModelManagerTest, UnreadableFileBecomesABoxNamedAfterIt)
{
    Model* model = bed.Models().CreateModelFromFile("models\\missing.mlf", nullptr, ModelFlags::VertexColor);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->name, "models\\missing.mlf");
    EXPECT_EQ(model->flags, ModelFlags::BoxDefaults | ModelFlags::VertexColor);
    EXPECT_EQ(model->vertexBuffer->GetVertexCount(), 24u);
    EXPECT_EQ(model->GetShader()->GetStageCount(), 0u);
    EXPECT_FLOAT_EQ(model->bounds.GetWorldMinimum().x, -1.0f);
    EXPECT_FLOAT_EQ(model->bounds.GetWorldMaximum().z, 1.0f);
    ASSERT_EQ(bed.Errors().size(), 1u);
    EXPECT_NE(bed.Errors()[0].find("Failed to open"), std::string::npos);

    model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
    model->bounds.SetTransform(model->worldMatrix);
    bed.Models().Render();
    EXPECT_EQ(bed.Models().GetDrawnModelCount(), 1u);
}

TEST_F(ModelManagerTest, MalformedFilesBecomeBoxesWithOneErrorEach)
{
    ModelFileDescription fiveInfluences = MakeSkinnedTriangle();
    fiveInfluences.skinnedVertices[0].influences.assign(5, {0, 0.2f, Vector3(0.0f), Vector3(0.0f)});
    ModelFileDescription indexPastVertices = MakeStaticQuad();
    indexPastVertices.indices[1] = 4;
    ModelFileDescription bonePastBones = MakeSkinnedTriangle();
    bonePastBones.skinnedVertices[2].influences[0].bone = 7;
    ModelFileDescription noFrames = MakeMorphTriangle();
    noFrames.frameCount = 0;
    noFrames.vertexCountOverride = 3;
    ModelFileDescription hugeCounts = MakeMorphTriangle();
    hugeCounts.frameCount = 0xFFFFFFFF;
    hugeCounts.vertexCountOverride = 0xFFFFFFFF;
    hugeCounts.indices.clear();
    const ModelFileDescription files[] = {fiveInfluences, indexPastVertices, bonePastBones, noFrames, hugeCounts};
    u32 expectedErrors = 0;
    for (const ModelFileDescription& file : files)
    {
        bed.Base().WriteBytes("models\\bad.mlf", WriteModelFile(file));
        std::unique_ptr<Model> model(bed.Models().NewModelFromFile("models\\bad.mlf", nullptr, 0));
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(model->name, "models\\bad.mlf");
        EXPECT_EQ(model->vertexBuffer->GetVertexCount(), 24u);
        EXPECT_EQ(model->flags, ModelFlags::BoxDefaults);
        EXPECT_EQ(bed.Errors().size(), ++expectedErrors);
    }
}

TEST_F(ModelManagerTest, NewModelsAreNeverDrawnAndNotDeletedByTheManager)
{
    Model* registered = KeyedBox(1.0f, 0);
    std::unique_ptr<Model> copy(bed.Models().NewModelCopy(*registered, nullptr, 0));
    std::unique_ptr<Model> box(bed.Models().NewBoxModel(Vector3(-1.0f), Vector3(1.0f), nullptr, nullptr, 0));
    bed.Models().Render();
    EXPECT_EQ(bed.Models().GetVisibleModelCount(), 1u);
    bed.Models().DeleteModel(copy.get());
    bed.Models().DeleteModel(nullptr);
    EXPECT_EQ(copy->vertexBuffer->GetVertexCount(), 24u);

    Model* registeredCopy = bed.Models().CreateModelCopy(*copy, nullptr, 0);
    bed.Models().Render();
    EXPECT_EQ(bed.Models().GetVisibleModelCount(), 2u);
    bed.Models().DeleteModel(registeredCopy);
    bed.Models().DeleteModel(registered);
    bed.Models().Render();
    EXPECT_EQ(bed.Models().GetVisibleModelCount(), 0u);
}

TEST_F(ModelManagerTest, SelfMadeModelsAreRegistered)
{
    Model* model = bed.Models().CreateSelfMadeModel(ModelFlags::Visible | ModelFlags::TriangleList, 3, 3, 1, nullptr,
                                                    nullptr);
    const f32 corners[3][3] = {{0, 0, -5}, {1, 0, -5}, {0, 1, -5}};
    u8* vertex = model->vertexBuffer->LockVertices(0, 3);
    for (const auto& corner : corners)
    {
        std::memcpy(vertex, corner, sizeof(corner));
        vertex += model->vertexBuffer->GetStride();
    }
    model->vertexBuffer->Unlock();
    const u32 indices[3] = {0, 1, 2};
    model->indexBuffer->SetIndices(0, 3, indices);
    model->bounds.SetBox(Vector3(0.0f, 0.0f, -5.0f), Vector3(1.0f, 1.0f, -5.0f));
    bed.Models().Render();
    EXPECT_EQ(bed.Models().GetPrimitivesDrawn(), 1u);
    ASSERT_EQ(bed.Render().Draws().size(), 1u);
    EXPECT_EQ(bed.Render().Draws()[0].kind, 0u);
}
