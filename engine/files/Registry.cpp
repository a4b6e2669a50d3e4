// The registry reader over the platform's registry calls.
#include "engine/files/Registry.h"

#include <array>

namespace VelkorEngine
{
namespace
{
constexpr DWORD ValueBufferSize = 4096;
constexpr u32 LocalMachineIndex = 3;
constexpr u32 CurrentUserIndex = 2;
}

HKEY GetRegistryRoot(u32 rootIndex)
{
    switch (rootIndex)
    {
    case 0:
        return HKEY_CLASSES_ROOT;
    case 1:
        return HKEY_CURRENT_CONFIG;
    case 3:
        return HKEY_LOCAL_MACHINE;
    case 4:
        return HKEY_USERS;
    default:
        return HKEY_CURRENT_USER;
    }
}

bool ReadRegistryValue(u32 rootIndex, const std::string& keyPath, const std::string& valueName, std::string& text)
{
    HKEY key = nullptr;
    if (RegOpenKey(GetRegistryRoot(rootIndex), keyPath.c_str(), &key) != ERROR_SUCCESS)
        return false;
    std::array<u8, ValueBufferSize> buffer{};
    DWORD size = ValueBufferSize;
    DWORD type = 0;
    const bool found = RegQueryValueEx(key, valueName.c_str(), nullptr, &type, buffer.data(), &size) == ERROR_SUCCESS &&
                       type == REG_SZ;
    if (found)
    {
        buffer.back() = 0;
        text = reinterpret_cast<const char*>(buffer.data());
    }
    RegCloseKey(key);
    return found;
}

bool ReadRegistryString(const std::string& keyPath, const std::string& valueName, std::string& text)
{
    return ReadRegistryValue(LocalMachineIndex, keyPath, valueName, text) ||
           ReadRegistryValue(CurrentUserIndex, keyPath, valueName, text);
}
}
