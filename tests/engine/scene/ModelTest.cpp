// Models over the recording render system: built from files of every kind, boxes, bare buffers and copies;
// flags, animation of morph and skinned vertices, bounds, culling and depth, the draw calls, and hit tests.
#include "engine/core/Error.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "tests/support/MathTestSupport.h"
#include "tests/support/ModelTestBed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

using namespace VelkorEngine;
using namespace TestSupport;
using namespace KorvaneTools;

namespace
{
struct BufferVertex
{
    Vector3 position;
    Vector3 normal;
    f32 u;
    f32 v;
};

BufferVertex ReadVertex(const VertexBuffer& buffer, u32 index)
{
    const u8* at = buffer.GetData() + static_cast<size_t>(buffer.GetStride()) * index;
    f32 values[6];
    std::memcpy(values, at, sizeof(values));
    f32 uv[2];
    std::memcpy(uv, at + buffer.GetTextureOffset(), sizeof(uv));
    return BufferVertex{Vector3(values[0], values[1], values[2]), Vector3(values[3], values[4], values[5]), uv[0], uv[1]};
}

}

class ModelTest : public ::testing::Test
{
protected:
    std::unique_ptr<Model> Load(const std::string& name, const ModelFileDescription& description, u32 flags = 0)
    {
        bed.WriteModel(name, description);
        return std::make_unique<Model>(bed.Services(), name, nullptr, flags);
    }

    std::unique_ptr<Model> Box(u32 extraFlags = 0)
    {
        return std::make_unique<Model>(bed.Services(), Vector3(-1.0f), Vector3(1.0f), nullptr, nullptr, extraFlags);
    }

    ModelTestBed bed;
};

TEST_F(ModelTest, StaticFileFillsTheBuffersInTheirOwnLayout)
{
    std::unique_ptr<Model> model = Load("models\\quad.mlf", MakeStaticQuad(), ModelFlags::Visible);
    EXPECT_EQ(model->name, "models\\quad.mlf");
    EXPECT_EQ(model->flags, 0x9u | ModelFlags::Visible);
    ASSERT_EQ(model->vertexBuffer->GetVertexCount(), 4u);
    EXPECT_EQ(model->vertexBuffer->GetStride(), 32u);
    const BufferVertex vertex = ReadVertex(*model->vertexBuffer, 2);
    ExpectVector(vertex.position, Vector3(1.0f, 1.0f, 0.0f));
    ExpectVector(vertex.normal, Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(vertex.u, 1.0f);
    EXPECT_FLOAT_EQ(vertex.v, 1.0f);
    EXPECT_EQ(model->indexBuffer->GetIndexCount(), 6u);
    EXPECT_EQ(model->indexBuffer->Is32Bit(), 0u);
    EXPECT_EQ(model->GetPrimitiveCount(), 2u);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 0u);
    ExpectVector(model->bounds.GetWorldMaximum(), Vector3(1.0f, 1.0f, 0.0f));
    EXPECT_EQ(model->animation->GetFrameCount(), 1u);
    EXPECT_EQ(model->GetCamera(), &bed.DefaultCamera());
    ASSERT_NE(model->GetShader(), nullptr);
    EXPECT_EQ(model->GetShader()->GetStageCount(), 0u);
    EXPECT_TRUE(bed.Errors().empty());
}

TEST_F(ModelTest, VertexColourFlagGivesWhiteColouredVertices)
{
    std::unique_ptr<Model> model = Load("models\\quad.mlf", MakeStaticQuad(), ModelFlags::VertexColor);
    EXPECT_EQ(model->vertexBuffer->GetStride(), 36u);
    ExpectVector(ReadVertex(*model->vertexBuffer, 1).position, Vector3(1.0f, 0.0f, 0.0f));
    const Color white = model->GetColor();
    EXPECT_FLOAT_EQ(white.r, 1.0f);
    EXPECT_FLOAT_EQ(white.a, 1.0f);
    model->SetColor(Color(1.0f, 0.0f, 0.0f, 0.5f));
    EXPECT_FLOAT_EQ(model->GetColor().g, 0.0f);
    EXPECT_NEAR(model->GetColor().a, 0.5f, 0.003f);
}

TEST_F(ModelTest, ShaderComesFromTheFileOfTheSameName)
{
    bed.WriteModel("models\\quad.mlf", MakeStaticQuad());
    ShaderFile shader;
    shader.stages.push_back(ShaderFileStage{});
    shader.stages[0].firstName = "quad.tga";
    bed.Base().WriteShaderFile("models\\quad.srf", shader);
    bed.Base().WritePicture("models\\quad.tga");
    Model model(bed.Services(), "models\\quad.mlf", nullptr, 0);
    EXPECT_EQ(model.GetShader()->GetStageCount(), 1u);
    EXPECT_EQ(model.GetShader()->GetStage(0).firstName, "models\\quad.tga");
}

TEST_F(ModelTest, MissingShaderFileGivesTheDefaultShaderAndTheModelLoads)
{
    bed.Base().WriteBytes("models\\quad.mlf", WriteModelFile(MakeStaticQuad()));
    Model model(bed.Services(), "models\\quad.mlf", nullptr, 0);
    EXPECT_EQ(model.GetShader()->GetStageCount(), 0u);
    EXPECT_EQ(model.vertexBuffer->GetVertexCount(), 4u);
    EXPECT_EQ(bed.Errors().size(), 1u);
}

TEST_F(ModelTest, UnreadableFileIsLoggedOnceAndThrownAsError)
{
    ModelFileDescription bad = MakeStaticQuad();
    bad.indices[0] = 9;
    bed.WriteModel("models\\bad.mlf", bad);
    try
    {
        Model model(bed.Services(), "models\\bad.mlf", nullptr, 0);
        FAIL() << "no error";
    }
    catch (const FileError&)
    {
        FAIL() << "a FileError escaped";
    }
    catch (const Error& error)
    {
        EXPECT_EQ(error.GetMessage(), "Incorrect \"models\\bad.mlf\" file format");
    }
    ASSERT_EQ(bed.Errors().size(), 1u);
    EXPECT_NE(bed.Errors()[0].find("Incorrect \"models\\bad.mlf\" file format"), std::string::npos);
}

TEST_F(ModelTest, EmptyFlagsBecomeTheVertexBufferUsageBitAndDrawNothing)
{
    ModelFileDescription file = MakeStaticQuad();
    file.flags = 0;
    file.vertices.clear();
    file.vertexCountOverride = 4;
    std::unique_ptr<Model> model = Load("models\\none.mlf", file);
    EXPECT_EQ(model->flags, ModelFlags::VertexBufferUsage);
    EXPECT_EQ(model->vertexBuffer->GetUsage(), 1u);
    model->Update(Model::Cull);
    model->Render();
    EXPECT_EQ(model->GetPrimitivesToDraw(), 0u);
    EXPECT_TRUE(bed.Render().Draws().empty());
}

TEST_F(ModelTest, MorphVerticesBlendBetweenFrames)
{
    std::unique_ptr<Model> model = Load("models\\morph.mlf", MakeMorphTriangle(), ModelFlags::Visible);
    ASSERT_EQ(model->GetMorphVertices().size(), 6u);
    EXPECT_FLOAT_EQ(model->animation->speed, 10.0f);
    model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
    model->animation->time = 0.5f;
    model->Update(Model::Cull);
    EXPECT_EQ(model->animation->GetFrame(), 0u);
    EXPECT_EQ(model->animation->GetNextFrame(), 1u);
    const BufferVertex vertex = ReadVertex(*model->vertexBuffer, 1);
    ExpectVector(vertex.position, Vector3(2.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(vertex.u, 1.5f);
    EXPECT_FLOAT_EQ(vertex.v, 0.5f);
    ExpectVector(model->bounds.GetWorldMinimum(), Vector3(1.0f, 0.0f, -10.0f));
    ExpectVector(model->bounds.GetWorldMaximum(), Vector3(2.0f, 1.0f, -10.0f));
}

TEST_F(ModelTest, SkinnedFilePosesFrameZeroAndFollowsItsBone)
{
    std::unique_ptr<Model> model = Load("models\\skin.mlf", MakeSkinnedTriangle(), ModelFlags::Visible);
    ASSERT_NE(model->GetSkeleton(), nullptr);
    EXPECT_EQ(model->GetSkins().size(), 3u);
    ExpectVector(model->bounds.GetWorldMaximum(), Vector3(1.0f, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(ReadVertex(*model->vertexBuffer, 2).u, 2.0f);
    EXPECT_FLOAT_EQ(ReadVertex(*model->vertexBuffer, 2).v, 0.25f);

    model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
    model->animation->time = 0.25f;
    model->Update(Model::Cull);
    ExpectVector(ReadVertex(*model->vertexBuffer, 1).position, Vector3(1.25f, 0.0f, 0.0f));
    ExpectVector(ReadVertex(*model->vertexBuffer, 2).normal, Vector3(0.0f, 0.0f, 1.0f));
    ExpectVector(model->bounds.GetWorldMinimum(), Vector3(0.25f, 0.0f, -10.0f));

    model->animation->time = 1.0f; // the end of a range that does not loop
    model->Update(Model::Cull);
    ExpectVector(ReadVertex(*model->vertexBuffer, 0).position, Vector3(1.0f, 0.0f, 0.0f));
}

// Two bones pulling one vertex half each: bone 0 moved by (2, 0, 0), bone 1 turned a quarter about z with
// pivot (1, 0, 0). The normal takes the pivot shift too, and nothing is renormalised.
TEST_F(ModelTest, SkinnedVertexSumsItsWeightedInfluences)
{
    ModelFileDescription file = MakeSkinnedTriangle();
    file.frameCount = 1;
    file.bones.push_back({0, "arm", Vector3(1.0f, 0.0f, 0.0f), Vector3(0.0f), Vector3(1.0f), 0, 0});
    const f32 h = std::sqrt(0.5f);
    file.keyFrames = {2, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, h, h, 1, 1, 1};
    file.skinnedVertices[0].influences = {{0, 0.5f, Vector3(0.0f, 1.0f, 0.0f), Vector3(0.0f, 0.0f, 0.0f)},
                                          {1, 0.5f, Vector3(0.0f, 1.0f, 0.0f), Vector3(0.0f, 0.0f, 0.0f)}};
    std::unique_ptr<Model> model = Load("models\\two.mlf", file, ModelFlags::Visible);
    model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
    model->Update(Model::Cull);
    const BufferVertex vertex = ReadVertex(*model->vertexBuffer, 0);
    // Positions: bone 0 gives (2, 0, 0), bone 1 turns the pivot (1, 0, 0) to (0, 1, 0).
    ExpectVector(vertex.position, Vector3(1.0f, 0.5f, 0.0f));
    // Normals: bone 0 gives (0, 1, 0), bone 1 turns (1, 1, 0) to (-1, 1, 0).
    ExpectVector(vertex.normal, Vector3(-0.5f, 1.0f, 0.0f));
}

TEST_F(ModelTest, UnchangedAnimationPositionLeavesTheVertexBufferAlone)
{
    std::unique_ptr<Model> model = Load("models\\morph.mlf", MakeMorphTriangle(), ModelFlags::Visible);
    model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
    model->animation->time = 0.5f;
    model->Update(Model::Cull);
    u8* first = model->vertexBuffer->LockVertices(0, 1);
    const f32 marker = 123.0f;
    std::memcpy(first, &marker, sizeof(marker));
    model->vertexBuffer->Unlock();

    model->animation->time = 0.50001f;
    model->Update(Model::Cull);
    EXPECT_FLOAT_EQ(ReadVertex(*model->vertexBuffer, 0).position.x, 123.0f);
    model->animation->time = 0.75f;
    model->Update(Model::Cull);
    EXPECT_FLOAT_EQ(ReadVertex(*model->vertexBuffer, 0).position.x, 1.5f);
}

TEST_F(ModelTest, WithoutVertexAnimationOnlyTheBoundsMove)
{
    std::unique_ptr<Model> model = Load("models\\skin.mlf", MakeSkinnedTriangle(), ModelFlags::Visible);
    model->animateVertices = 0;
    model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
    model->animation->time = 1.0f;
    model->Update(Model::Cull);
    ExpectVector(ReadVertex(*model->vertexBuffer, 0).position, Vector3(0.0f));
    ExpectVector(model->bounds.GetWorldMinimum(), Vector3(1.0f, 0.0f, -10.0f));
}

TEST_F(ModelTest, HiddenModelStillAnimatesButDoesNothingElse)
{
    std::unique_ptr<Model> model = Load("models\\morph.mlf", MakeMorphTriangle());
    model->animation->Start();
    bed.Clock().Step(0.05);
    model->Update(Model::Cull);
    EXPECT_FLOAT_EQ(model->animation->time, 0.5f);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 0u);
    EXPECT_FLOAT_EQ(ReadVertex(*model->vertexBuffer, 1).position.x, 0.0f);
}

TEST_F(ModelTest, DepthIsTheDistanceInFrontOfTheCameraAndACulledModelKeepsIt)
{
    std::unique_ptr<Model> model = Box(ModelFlags::Visible);
    model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
    model->bounds.SetTransform(model->worldMatrix);
    model->Update(Model::Cull);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 12u);
    EXPECT_FLOAT_EQ(model->depth, 10.0f);

    bed.DefaultCamera().position = Vector3(0.0f, 0.0f, -4.0f);
    bed.UpdateCamera();
    model->Update(Model::Cull);
    EXPECT_FLOAT_EQ(model->depth, 6.0f);

    model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, 50.0f));
    model->bounds.SetTransform(model->worldMatrix);
    model->Update(Model::Cull);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 0u);
    EXPECT_FLOAT_EQ(model->depth, 6.0f);

    model->Update(Model::NoCull);
    EXPECT_EQ(model->GetPrimitivesToDraw(), 12u);
    EXPECT_FLOAT_EQ(model->depth, -54.0f);
}

TEST_F(ModelTest, KeptDepthIsNotRecomputed)
{
    std::unique_ptr<Model> model = Box(ModelFlags::Visible | ModelFlags::KeepDepth);
    model->depth = 7.5f;
    model->Update(Model::NoCull);
    EXPECT_FLOAT_EQ(model->depth, 7.5f);
}

TEST_F(ModelTest, BoundsFromVerticesFollowTheWorldMatrix)
{
    std::unique_ptr<Model> model = Box(ModelFlags::BoundsFromVertices);
    model->worldMatrix = TranslationMatrix(Vector3(3.0f, 0.0f, 0.0f));
    model->Update(Model::NoCull);
    ExpectVector(model->bounds.GetWorldMinimum(), Vector3(2.0f, -1.0f, -1.0f));
    ExpectVector(model->bounds.GetWorldMaximum(), Vector3(4.0f, 1.0f, 1.0f));
}

// The box over the vertices is made again only after a lock of the vertices or the indices: data changed
// behind the buffers' backs (as no caller may) shows that unchanged buffers are not walked again.
TEST_F(ModelTest, BoundsFromVerticesAreRecomputedOnlyAfterTheBuffersChange)
{
    std::unique_ptr<Model> model = Box(ModelFlags::BoundsFromVertices);
    model->Update(Model::NoCull);
    const auto moveFirstVertex = [&](f32 x) {
        f32 position[3] = {x, 0.0f, 0.0f};
        std::memcpy(const_cast<u8*>(model->vertexBuffer->GetData()), position, sizeof(position));
    };
    moveFirstVertex(5.0f);
    model->worldMatrix = TranslationMatrix(Vector3(1.0f, 0.0f, 0.0f));
    model->Update(Model::NoCull);
    ExpectVector(model->bounds.GetWorldMaximum(), Vector3(2.0f, 1.0f, 1.0f));

    model->vertexBuffer->Lock(0, 1);
    model->vertexBuffer->Unlock();
    model->Update(Model::NoCull);
    ExpectVector(model->bounds.GetWorldMaximum(), Vector3(6.0f, 1.0f, 1.0f));

    moveFirstVertex(-7.0f);
    model->indexBuffer->SetIndexCount(model->indexBuffer->GetIndexCount());
    model->Update(Model::NoCull);
    ExpectVector(model->bounds.GetWorldMinimum(), Vector3(-6.0f, -1.0f, -1.0f));
}

TEST_F(ModelTest, ComputeBoundsTransformsOnlyTheTwoCorners)
{
    std::unique_ptr<Model> model = Box();
    MakeRotationZMatrix(model->worldMatrix, 1.5707964f);
    BoundingVolume volume;
    model->ComputeBounds(volume, Model::InWorldSpace);
    ExpectVector(volume.GetMinimum(), Vector3(1.0f, -1.0f, -1.0f));
    ExpectVector(volume.GetMaximum(), Vector3(-1.0f, 1.0f, 1.0f));
}

struct FlagCase
{
    u32 start;
    u32 set;
    u32 clear;
    u32 expected;
};

class ModelFlagsTable : public ModelTest, public ::testing::WithParamInterface<FlagCase>
{
};

TEST_P(ModelFlagsTable, SetAndClearKeepThePairsExclusive)
{
    std::unique_ptr<Model> model = Box();
    model->flags = GetParam().start;
    if (GetParam().set != 0)
        model->SetFlags(GetParam().set);
    if (GetParam().clear != 0)
        model->ClearFlags(GetParam().clear);
    EXPECT_EQ(model->flags, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelFlagsTable,
    ::testing::Values(FlagCase{0x2000, 0x4000, 0, 0x4000}, FlagCase{0, 0x2000 | 0x4000, 0, 0x2000},
                      FlagCase{0x2000, 0x400000, 0, 0x400000}, FlagCase{0x4000 | 0x400000, 0x2000, 0, 0x2000},
                      FlagCase{0x400, 0x200, 0, 0x200}, FlagCase{0x200, 0x400, 0, 0x400},
                      FlagCase{0, 0x200 | 0x400, 0, 0x200}, FlagCase{0x200, 0, 0x200, 0x400},
                      FlagCase{0x400 | 0x1, 0, 0x400, 0x201}, FlagCase{0x40000 | 0x8, 0, 0x40000, 0x8}));

TEST_F(ModelTest, BoxHasTwelveTrianglesAndTheFaceTable)
{
    std::unique_ptr<Model> model = std::make_unique<Model>(bed.Services(), Vector3(-1.0f, -2.0f, -3.0f),
                                                           Vector3(1.0f, 2.0f, 3.0f), nullptr, nullptr, 0x20);
    EXPECT_EQ(model->name, "box");
    EXPECT_EQ(model->flags, ModelFlags::BoxDefaults | 0x20);
    EXPECT_EQ(model->vertexBuffer->GetVertexCount(), 24u);
    EXPECT_EQ(model->indexBuffer->GetIndexCount(), 36u);
    EXPECT_EQ(model->GetPrimitiveCount(), 12u);
    ExpectVector(model->bounds.GetWorldMinimum(), Vector3(-1.0f, -2.0f, -3.0f));
    ExpectVector(model->bounds.GetWorldMaximum(), Vector3(1.0f, 2.0f, 3.0f));

    const BufferVertex first = ReadVertex(*model->vertexBuffer, 0);
    ExpectVector(first.position, Vector3(-1.0f, -2.0f, -3.0f));
    ExpectVector(first.normal, Vector3(0.0f, 0.0f, -1.0f));
    EXPECT_FLOAT_EQ(first.u, 1.0f);
    EXPECT_FLOAT_EQ(first.v, 0.0f);
    const BufferVertex top = ReadVertex(*model->vertexBuffer, 17); // face 4, second vertex
    ExpectVector(top.position, Vector3(-1.0f, 2.0f, -3.0f));
    ExpectVector(top.normal, Vector3(0.0f, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(top.u, 1.0f);
    const BufferVertex last = ReadVertex(*model->vertexBuffer, 23);
    ExpectVector(last.position, Vector3(-1.0f, 2.0f, 3.0f));
    ExpectVector(last.normal, Vector3(-1.0f, 0.0f, 0.0f));

    u16 indices[6];
    std::memcpy(indices, model->indexBuffer->GetData() + 2 * 12, sizeof(indices));
    EXPECT_EQ(indices[0], 8);
    EXPECT_EQ(indices[2], 10);
    EXPECT_EQ(indices[3], 10);
    EXPECT_EQ(indices[5], 8);
}

// Every face's outside turns counter-clockwise when seen from outside, the winding that cull mode 1 keeps.
TEST_F(ModelTest, BoxFacesWindOutwards)
{
    std::unique_ptr<Model> model = Box();
    const u8* indexData = model->indexBuffer->GetData();
    for (u32 triangle = 0; triangle < 12; ++triangle)
    {
        u16 corner[3];
        std::memcpy(corner, indexData + 6 * triangle, sizeof(corner));
        const BufferVertex a = ReadVertex(*model->vertexBuffer, corner[0]);
        const Vector3 b = ReadVertex(*model->vertexBuffer, corner[1]).position;
        const Vector3 c = ReadVertex(*model->vertexBuffer, corner[2]).position;
        const Vector3 facing = (b - a.position).Cross(c - a.position);
        EXPECT_GT(facing.Dot(a.normal), 0.0f) << triangle;
    }
}

TEST_F(ModelTest, HitTestOfTheBox)
{
    std::unique_ptr<Model> model = Box();
    f32 distance = 0.0f;
    EXPECT_TRUE(model->HitTest(Ray(Vector3(0.0f, 0.0f, -5.0f), Vector3(0.0f, 0.0f, 10.0f)), &distance));
    EXPECT_FLOAT_EQ(distance, 4.0f);
    EXPECT_TRUE(model->HitTest(Ray(Vector3(0.0f, 0.0f, -5.0f), Vector3(0.0f, 0.0f, 10.0f)), nullptr));
    // The segment ends at z = -4, before the box.
    EXPECT_FALSE(model->HitTest(Ray(Vector3(0.0f, 0.0f, -5.0f), Vector3(0.0f, 0.0f, 1.0f)), &distance));
    EXPECT_FALSE(model->HitTest(Ray(Vector3(3.0f, 0.0f, -5.0f), Vector3(0.0f, 0.0f, 10.0f)), &distance));
}

TEST_F(ModelTest, HitTestMeasuresInTheModelsOwnSpace)
{
    std::unique_ptr<Model> model = Box();
    Matrix4 scale;
    MakeScalingMatrix(scale, Vector3(2.0f));
    model->worldMatrix = TranslationMatrix(Vector3(10.0f, 0.0f, 0.0f)) * scale;
    model->bounds.SetTransform(model->worldMatrix);
    f32 distance = 0.0f;
    EXPECT_TRUE(model->HitTest(Ray(Vector3(10.0f, 0.0f, -10.0f), Vector3(0.0f, 0.0f, 20.0f)), &distance));
    EXPECT_FLOAT_EQ(distance, 4.0f); // from z = -5 to z = -1 in the box's space
}

// A box turned 45 degrees about z: its world bounds hold the ray, its triangles do not.
TEST_F(ModelTest, HitTestPastTheBoundsPreTestCanStillMiss)
{
    std::unique_ptr<Model> model = Box();
    MakeRotationZMatrix(model->worldMatrix, 0.7853982f);
    model->bounds.SetTransform(model->worldMatrix);
    f32 distance = 0.0f;
    EXPECT_FALSE(model->HitTest(Ray(Vector3(1.3f, 1.0f, -10.0f), Vector3(0.0f, 0.0f, 20.0f)), &distance));
    EXPECT_FLOAT_EQ(distance, 100000.0f);
    EXPECT_TRUE(model->HitTest(Ray(Vector3(0.5f, 0.5f, -10.0f), Vector3(0.0f, 0.0f, 20.0f)), &distance));
    EXPECT_FLOAT_EQ(distance, 9.0f);
}

TEST_F(ModelTest, HitTestOfAStripWalksOverlappingTriangles)
{
    std::unique_ptr<Model> model =
        std::make_unique<Model>(bed.Services(), ModelFlags::Visible, 4, 4, 1, nullptr, nullptr);
    const f32 corners[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    u8* vertex = model->vertexBuffer->LockVertices(0, 4);
    for (const auto& corner : corners)
    {
        std::memcpy(vertex, corner, sizeof(corner));
        vertex += model->vertexBuffer->GetStride();
    }
    model->vertexBuffer->Unlock();
    const u32 indices[4] = {0, 1, 2, 3};
    model->indexBuffer->SetIndices(0, 4, indices);
    model->UpdatePrimitiveCount();
    model->bounds.SetBox(Vector3(0.0f), Vector3(1.0f, 1.0f, 0.0f));
    f32 distance = 0.0f;
    EXPECT_TRUE(model->HitTest(Ray(Vector3(0.9f, 0.9f, 2.0f), Vector3(0.0f, 0.0f, -4.0f)), &distance));
    EXPECT_FLOAT_EQ(distance, 2.0f);
}

struct PrimitiveCase
{
    u32 flags;
    u32 indices;
    u32 expected;
};

class ModelPrimitiveCounts : public ModelTest, public ::testing::WithParamInterface<PrimitiveCase>
{
};

TEST_P(ModelPrimitiveCounts, FollowTheIndicesInUse)
{
    Model model(bed.Services(), GetParam().flags, 8, 8, 1, nullptr, nullptr);
    model.indexBuffer->SetIndexCount(GetParam().indices);
    model.UpdatePrimitiveCount();
    EXPECT_EQ(model.GetPrimitiveCount(), GetParam().expected);
}

// Fault: a strip of fewer than two indices counted about four billion triangles.
INSTANTIATE_TEST_SUITE_P(Cases, ModelPrimitiveCounts,
                         ::testing::Values(PrimitiveCase{0x1, 4, 2}, PrimitiveCase{0x9, 6, 2}, PrimitiveCase{0x9, 8, 2},
                                           PrimitiveCase{0x1, 2, 0}, PrimitiveCase{0x1, 1, 0},
                                           PrimitiveCase{0x1, 0, 0}, PrimitiveCase{0x9, 2, 0}));

TEST_F(ModelTest, SelfMadeModelStartsEmpty)
{
    const ShaderDescriptor descriptor(1);
    Model model(bed.Services(), 0, 10, 12, 3, &descriptor, nullptr);
    EXPECT_EQ(model.name, "self_made");
    EXPECT_EQ(model.flags, ModelFlags::WhenEmpty);
    EXPECT_EQ(model.vertexBuffer->GetVertexCount(), 10u);
    EXPECT_EQ(model.indexBuffer->GetCapacity(), 12u);
    EXPECT_EQ(model.animation->GetFrameCount(), 3u);
    EXPECT_EQ(model.GetShader()->GetFlags(), 1u);
    ExpectVector(model.bounds.GetWorldMaximum(), Vector3(0.0001f), 1e-9f);
    EXPECT_EQ(model.GetPrimitiveCount(), 10u);
}

// Fault: animation bits without the data behind them (a caller's flags) made the model read arrays it lacks.
TEST_F(ModelTest, AnimationFlagsWithoutAnimationDataAreHarmless)
{
    Model selfMade(bed.Services(), ModelFlags::Visible | ModelFlags::Morph | ModelFlags::Skeletal, 4, 6, 5, nullptr,
                   nullptr);
    selfMade.animation->time = 2.5f;
    selfMade.Update(Model::NoCull);

    std::unique_ptr<Model> box = Box(ModelFlags::Visible);
    Model copy(*box, nullptr, ModelFlags::Morph | ModelFlags::Skeletal);
    copy.Update(Model::NoCull);
    EXPECT_EQ(copy.GetSkeleton(), nullptr);
    EXPECT_EQ(copy.GetPrimitivesToDraw(), 12u);
}

TEST_F(ModelTest, CopyConvertsTheLayoutAndSharesTheShader)
{
    std::unique_ptr<Model> source = Load("models\\skin.mlf", MakeSkinnedTriangle(), ModelFlags::Visible);
    source->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
    source->depthOffset = 2.5f;
    source->animation->speed = 3.0f;
    source->animation->time = 0.5f;
    source->Update(Model::Cull);

    Model copy(*source, nullptr, ModelFlags::VertexColor);
    EXPECT_EQ(copy.name, source->name);
    EXPECT_EQ(copy.flags, source->flags | ModelFlags::VertexColor);
    EXPECT_EQ(copy.vertexBuffer->GetStride(), 36u);
    ExpectVector(ReadVertex(*copy.vertexBuffer, 1).position, ReadVertex(*source->vertexBuffer, 1).position);
    EXPECT_FLOAT_EQ(copy.GetColor().g, 1.0f);
    EXPECT_NE(copy.GetShader(), source->GetShader());
    EXPECT_EQ(copy.GetShader()->GetShader(), source->GetShader()->GetShader());
    EXPECT_EQ(copy.GetCamera(), source->GetCamera());
    EXPECT_FLOAT_EQ(copy.depthOffset, 2.5f);
    EXPECT_FLOAT_EQ(copy.animation->speed, 3.0f);
    EXPECT_FLOAT_EQ(copy.animation->time, 0.5f);
    ASSERT_NE(copy.GetSkeleton(), nullptr);
    EXPECT_NE(copy.GetSkeleton(), source->GetSkeleton());
    EXPECT_EQ(copy.GetKeyFrames(), source->GetKeyFrames());
    EXPECT_EQ(copy.GetPrimitivesToDraw(), 0u);
    ExpectVector(copy.bounds.GetWorldMinimum(), source->bounds.GetWorldMinimum());

    copy.animation->time = 1.0f;
    copy.Update(Model::Cull);
    ExpectVector(ReadVertex(*copy.vertexBuffer, 0).position, Vector3(1.0f, 0.0f, 0.0f));
    ExpectVector(ReadVertex(*source->vertexBuffer, 0).position, Vector3(0.5f, 0.0f, 0.0f));
}

TEST_F(ModelTest, CopyTakesItsOwnCameraWhenGiven)
{
    std::unique_ptr<Model> source = Box();
    Camera* other = bed.Cameras().CreateCamera(Camera::KindOrthographic);
    Model copy(*source, other, 0);
    EXPECT_EQ(copy.GetCamera(), other);
    copy.SetCamera(nullptr);
    EXPECT_EQ(copy.GetCamera(), &bed.DefaultCamera());
    bed.Cameras().DeleteCamera(other);
}

TEST_F(ModelTest, NewShaderIsTakenBeforeTheOldOneIsGivenBack)
{
    std::unique_ptr<Model> model = Box();
    const u32 shaders = bed.Shaders().GetShaderCount();
    ShaderUser* before = model->GetShader();
    model->SetShader(ShaderDescriptor(0));
    EXPECT_NE(model->GetShader(), before);
    EXPECT_EQ(bed.Shaders().GetShaderCount(), shaders);

    model->SetPrivateShader(1);
    ShaderUser* kept = model->GetShader();
    model->SetShaderDescriptor(ShaderDescriptor(1));
    EXPECT_EQ(model->GetShader(), kept);
    ASSERT_NE(model->GetPrivateDescriptor(), nullptr);
    EXPECT_EQ(model->GetPrivateDescriptor()->GetFlags(), 1u);
    EXPECT_TRUE(bed.Errors().empty());
}

class ModelRenderTest : public ModelTest
{
protected:
    std::unique_ptr<Model> VisibleBox(u32 extraFlags = 0)
    {
        std::unique_ptr<Model> model = Box(extraFlags);
        model->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, -10.0f));
        model->bounds.SetTransform(model->worldMatrix);
        model->Update(Model::Cull);
        return model;
    }
};

TEST_F(ModelRenderTest, DrawsWithItsStates)
{
    std::unique_ptr<Model> model = VisibleBox(ModelFlags::NoDepthWrite);
    bed.Render().ClearUpdates();
    model->Render();
    ASSERT_EQ(bed.Render().Draws().size(), 1u);
    const auto& draw = bed.Render().Draws()[0];
    EXPECT_EQ(draw.kind, 0u);
    EXPECT_EQ(draw.primitiveCount, 12u);
    EXPECT_EQ(draw.vertexBuffer, model->vertexBuffer.get());
    EXPECT_FLOAT_EQ(draw.world.m[11], -10.0f);
    EXPECT_EQ(draw.cullMode, 1u);
    EXPECT_EQ(bed.Render().GetLighting(), 1);
    EXPECT_EQ(bed.Render().GetNormalizeNormals(), 1);
    EXPECT_EQ(bed.Render().GetZ(), 1);
    EXPECT_EQ(bed.Render().GetZWrite(), 0);
    EXPECT_EQ(bed.Render().GetStencil(), 0);
}

TEST_F(ModelRenderTest, UnlitModelSwitchesLightingOff)
{
    std::unique_ptr<Model> model = VisibleBox();
    model->ClearFlags(ModelFlags::Lit | ModelFlags::DepthTest);
    model->Render();
    EXPECT_EQ(bed.Render().GetLighting(), 0);
    EXPECT_EQ(bed.Render().GetNormalizeNormals(), 0);
    EXPECT_EQ(bed.Render().GetZ(), 0);
    EXPECT_EQ(bed.Render().GetZWrite(), 1);
}

TEST_F(ModelRenderTest, TwoPassesDrawTheBackFacesFirst)
{
    std::unique_ptr<Model> model = VisibleBox(ModelFlags::TwoPasses);
    model->Render();
    ASSERT_EQ(bed.Render().Draws().size(), 2u);
    EXPECT_EQ(bed.Render().Draws()[0].cullMode, 2u);
    EXPECT_EQ(bed.Render().Draws()[1].cullMode, 1u);
}

TEST_F(ModelRenderTest, CullModesByFlag)
{
    std::unique_ptr<Model> model = VisibleBox(ModelFlags::CullCounterClockwise);
    model->Render();
    model->ClearFlags(ModelFlags::CullCounterClockwise);
    model->Render();
    ASSERT_EQ(bed.Render().Draws().size(), 2u);
    EXPECT_EQ(bed.Render().Draws()[0].cullMode, 2u);
    EXPECT_EQ(bed.Render().Draws()[1].cullMode, 0u);
}

TEST_F(ModelRenderTest, TheModelsCameraBecomesTheCurrentOne)
{
    std::unique_ptr<Model> first = VisibleBox();
    Camera* other = bed.Cameras().CreateCamera(Camera::KindPerspective);
    other->Update();
    std::unique_ptr<Model> second = VisibleBox();
    second->SetCamera(other);
    first->Render();
    EXPECT_EQ(bed.Cameras().GetCurrentCamera(), &bed.DefaultCamera());
    second->Render();
    EXPECT_EQ(bed.Cameras().GetCurrentCamera(), other);
    EXPECT_EQ(bed.Render().Draws().size(), 2u);
    second.reset();
    bed.Cameras().DeleteCamera(other);
}

TEST_F(ModelRenderTest, WhatIsNotDrawn)
{
    std::unique_ptr<Model> hidden = VisibleBox();
    hidden->ClearFlags(ModelFlags::Visible);
    hidden->Render();

    std::unique_ptr<Model> culled = Box();
    culled->worldMatrix = TranslationMatrix(Vector3(0.0f, 0.0f, 20.0f)); // behind the camera
    culled->bounds.SetTransform(culled->worldMatrix);
    culled->Update(Model::Cull);
    culled->Render();

    std::unique_ptr<Model> stencil = VisibleBox(ModelFlags::Stencil); // the recording device has no stencil
    stencil->Render();

    ShaderDescriptor twoStages(0);
    twoStages.AddStage(4, 0, 1, 1, 0, 0.0f, "", "", 1);
    twoStages.AddStage(4, 0, 1, 1, 0, 0.0f, "", "", 1);
    std::unique_ptr<Model> tooManyStages = VisibleBox();
    tooManyStages->SetShader(twoStages);
    bed.Render().ChangeStageCount(1);
    tooManyStages->Render();

    EXPECT_TRUE(bed.Render().Draws().empty());
    EXPECT_EQ(culled->GetPrimitivesToDraw(), 0u);
}
