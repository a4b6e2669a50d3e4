// Keys typed into the engine's window as the platform delivers them: editing keys as key-down messages with
// their virtual-key codes, characters as character messages.
#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
}

namespace TestSupport
{
struct TypedKey
{
    VelkorEngine::u16 code = 0;
    bool isCharacter = false;
};

std::vector<TypedKey> Characters(const std::wstring& text);
TypedKey EditingKey(VelkorEngine::u16 code);

// The window takes the key as the one typed in this frame.
void SendTypedKey(VelkorEngine::Engine& engine, const TypedKey& key);
}
