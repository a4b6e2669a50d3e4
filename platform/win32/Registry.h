// The registry calls the registry reader makes, over two text files: machine-wide values in "registry.ini"
// beside the executable and the user's in "<config folder>/korvane/registry.ini". Each line is
// "key path|value name=text"; key paths and value names are compared ignoring case; every value is text.
#pragma once

#include "platform/win32/Win32Types.h"

#include <cstdint>
#include <string>

struct RegistryKey;
using HKEY = RegistryKey*;

extern const HKEY HKEY_CLASSES_ROOT;
extern const HKEY HKEY_CURRENT_USER;
extern const HKEY HKEY_LOCAL_MACHINE;
extern const HKEY HKEY_USERS;
extern const HKEY HKEY_CURRENT_CONFIG;

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr DWORD REG_SZ = 1;

// Opens a key under a root; fails with ERROR_FILE_NOT_FOUND when no value lies under that key path.
LONG RegOpenKey(HKEY root, const char* keyPath, HKEY* result);
// Copies a value's text and its terminating zero into data; ERROR_MORE_DATA when it does not fit in *size.
LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, std::uint8_t* data, DWORD* size);
LONG RegCloseKey(HKEY key);

namespace Platform
{
// Tests point the two registry files elsewhere; an empty path restores the standard place.
void SetRegistryFiles(const std::string& machineFile, const std::string& userFile);
}
