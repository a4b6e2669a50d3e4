// Key presses for tests on the real platform layer: the SDL events the input devices read, delivered as the
// window layer hands them on.
#pragma once

#include <SDL_scancode.h>

namespace TestSupport
{
// A press and a release within one frame.
void TapKey(SDL_Scancode scancode);
}
