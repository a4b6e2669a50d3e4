// The main thread's frames beside a worker's load.
#include "tests/support/LoadingThreadDraw.h"

#include "engine/core/Engine.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelManager.h"

#include <atomic>
#include <string>
#include <thread>

namespace TestSupport
{
void DrawWhileLoading(VelkorEngine::Engine& engine, const std::function<void()>& load)
{
    engine.GetModelManager()->CreateBoxModel(VelkorEngine::Vector3(-1.0f), VelkorEngine::Vector3(1.0f), nullptr,
                                             nullptr, 0);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        load();
        done = true;
    });
    int frames = 0;
    while (!done || frames == 0)
    {
        engine.GetShaderManager()->Update();
        engine.GetModelManager()->Render();
        engine.GetMessageManager()->Message("frame " + std::to_string(frames));
        ++frames;
    }
    worker.join();
}
}
