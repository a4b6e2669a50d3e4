// The one teardown hook, set by the drawing layer when it makes its context.
#include "platform/core/NativeWindowTeardown.h"

#include <atomic>

namespace Platform
{
namespace
{
std::atomic<NativeWindowTeardown::Hook> g_hook{nullptr};
}

void NativeWindowTeardown::SetHook(Hook hook) { g_hook = hook; }

void NativeWindowTeardown::Before(SDL_Window* window)
{
    if (const Hook hook = g_hook.load())
        hook(window);
}
}
