// The list of listeners that receive each SDL event taken by the window layer, in the order they were added.
#include "platform/win32/SdlEventListeners.h"

#include <utility>
#include <vector>

namespace Platform
{
namespace
{
struct Entry
{
    int id = 0;
    SdlEventListener listener;
};

std::vector<Entry> g_listeners;
int g_nextId = 1;
}

int AddSdlEventListener(SdlEventListener listener)
{
    const int id = g_nextId++;
    g_listeners.push_back(Entry{id, std::move(listener)});
    return id;
}

void RemoveSdlEventListener(int id)
{
    std::erase_if(g_listeners, [id](const Entry& entry) { return entry.id == id; });
}

void NotifySdlEventListeners(const SDL_Event& event)
{
    // A listener may remove itself while being told; work on a copy.
    const std::vector<Entry> listeners = g_listeners;
    for (const Entry& entry : listeners)
        entry.listener(event);
}
}
