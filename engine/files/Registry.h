// Reads one text value from the registry: machine-wide values first, then the user's.
#pragma once

#include "engine/core/Types.h"
#include "platform/win32/Registry.h"

#include <string>

namespace VelkorEngine
{
// 0 classes root, 1 current configuration, 2 current user, 3 local machine, 4 users; any other: current user.
HKEY GetRegistryRoot(u32 rootIndex);
// True and the value's text when the key holds a text value of that name; the text is untouched otherwise.
bool ReadRegistryValue(u32 rootIndex, const std::string& keyPath, const std::string& valueName, std::string& text);
// The value under the local machine, else under the current user.
bool ReadRegistryString(const std::string& keyPath, const std::string& valueName, std::string& text);
}
