// Other platform layers (the input devices) see every SDL event that the window layer takes from SDL.
#pragma once

#include <SDL.h>

#include <functional>

namespace Platform
{
using SdlEventListener = std::function<void(const SDL_Event&)>;

// Returns an id for RemoveSdlEventListener.
int AddSdlEventListener(SdlEventListener listener);
void RemoveSdlEventListener(int id);
void NotifySdlEventListeners(const SDL_Event& event);
}
