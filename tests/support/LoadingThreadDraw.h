// A load on a worker thread while the main thread keeps drawing, as a loading screen does: the threaded
// loader tests run it under ThreadSanitizer.
#pragma once

#include <functional>

namespace VelkorEngine
{
class Engine;
}

namespace TestSupport
{
// Puts a box in the scene, runs load on a worker, and meanwhile animates shaders, draws the models and logs a
// line per frame (at least one frame); returns once the worker has joined.
void DrawWhileLoading(VelkorEngine::Engine& engine, const std::function<void()>& load);
}
