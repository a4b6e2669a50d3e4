// Models built on a loading thread while the main thread draws, logs and presents: the same models as the
// main thread builds, sharing shaders and textures, and registrations from the loading thread drawn safely.
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "tests/support/ModelTestBed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace VelkorEngine;
using namespace TestSupport;
using namespace KorvaneTools;

namespace
{
const char* const kFiles[] = {"models\\quad.mlf", "models\\morph.mlf", "models\\skin.mlf", "models\\missing.mlf"};

bool SameBytes(const u8* a, const u8* b, size_t count)
{
    return std::memcmp(a, b, count) == 0;
}

void ExpectSameModel(const Model& built, const Model& reference)
{
    EXPECT_EQ(built.name, reference.name);
    EXPECT_EQ(built.flags, reference.flags);
    const VertexBuffer& vertices = *built.vertexBuffer;
    ASSERT_EQ(vertices.GetVertexCount(), reference.vertexBuffer->GetVertexCount());
    EXPECT_TRUE(SameBytes(vertices.GetData(), reference.vertexBuffer->GetData(),
                          static_cast<size_t>(vertices.GetStride()) * vertices.GetVertexCount()));
    const IndexBuffer& indices = *built.indexBuffer;
    ASSERT_EQ(indices.GetIndexCount(), reference.indexBuffer->GetIndexCount());
    EXPECT_TRUE(SameBytes(indices.GetData(), reference.indexBuffer->GetData(),
                          static_cast<size_t>(indices.GetIndexSize()) * indices.GetIndexCount()));
    EXPECT_EQ(built.animation->GetFrameCount(), reference.animation->GetFrameCount());
    EXPECT_EQ(built.GetShader()->GetShader(), reference.GetShader()->GetShader());
    EXPECT_FLOAT_EQ(built.bounds.GetWorldMaximum().x, reference.bounds.GetWorldMaximum().x);
}
}

TEST(ModelManagerThreads, FiftyModelsBuiltOnAWorkerWhileTheMainThreadDraws)
{
    ModelTestBed bed;
    bed.Base().WritePicture("models\\shared.tga");
    ShaderFile shader;
    shader.stages.push_back(ShaderFileStage{});
    shader.stages[0].firstName = "shared.tga";
    shader.stages[0].flags = 2; // a random start time, drawn from the shared generator
    const ModelFileDescription kinds[] = {MakeStaticQuad(), MakeMorphTriangle(), MakeSkinnedTriangle()};
    for (int i = 0; i < 3; ++i)
    {
        bed.WriteModel(kFiles[i], kinds[i]);
        std::string shaderName = kFiles[i];
        ChangePathExtension(shaderName, "srf");
        bed.Base().WriteShaderFile(shaderName, shader);
    }
    // A model already drawn every frame while the worker loads.
    bed.Models().CreateBoxModel(Vector3(-1.0f), Vector3(1.0f), nullptr, nullptr, 0);

    constexpr int kModels = 50;
    std::vector<std::unique_ptr<Model>> built(kModels);
    std::vector<Model*> registered;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < kModels; ++i)
        {
            built[i].reset(bed.Models().NewModelFromFile(kFiles[i % 4], nullptr, ModelFlags::Visible));
            if (i % 10 == 0)
                registered.push_back(bed.Models().CreateModelCopy(*built[i], nullptr, 0));
        }
        done = true;
    });
    int frames = 0;
    while (!done || frames == 0)
    {
        bed.Shaders().Update();
        bed.Models().Render();
        bed.Log().Message("frame " + std::to_string(frames));
        bed.Models().SwapBuffers();
        ++frames;
    }
    worker.join();

    for (int i = 0; i < kModels; ++i)
    {
        ASSERT_NE(built[i], nullptr) << i;
        std::unique_ptr<Model> reference(bed.Models().NewModelFromFile(kFiles[i % 4], nullptr, ModelFlags::Visible));
        ExpectSameModel(*built[i], *reference);
    }
    bed.Models().Render();
    EXPECT_EQ(bed.Models().GetVisibleModelCount(), 1u + registered.size());
    // The missing file was logged once for each of its loads: 12 on the worker, 12 on the main thread.
    EXPECT_EQ(bed.Errors().size(), 24u);
    for (Model* model : registered)
        bed.Models().DeleteModel(model);
}
