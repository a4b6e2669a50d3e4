// Typed keys through the window's message procedure.
#include "tests/support/TypedKeys.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "platform/win32/WindowApi.h"

namespace TestSupport
{
std::vector<TypedKey> Characters(const std::wstring& text)
{
    std::vector<TypedKey> keys;
    for (const wchar_t c : text)
        keys.push_back(TypedKey{static_cast<VelkorEngine::u16>(c), true});
    return keys;
}

TypedKey EditingKey(VelkorEngine::u16 code) { return TypedKey{code, false}; }

void SendTypedKey(VelkorEngine::Engine& engine, const TypedKey& key)
{
    SendMessage(engine.GetWindow()->GetHandle(), key.isCharacter ? WM_CHAR : WM_KEYDOWN, key.code, 0);
}
}
