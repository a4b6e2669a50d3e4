// Registry keys read from the machine-wide and the user's registry files.
#include "platform/win32/Registry.h"

#include "platform/core/Paths.h"

#include <cstring>
#include <fstream>
#include <mutex>
#include <utility>
#include <vector>

struct RegistryKey
{
    std::vector<std::pair<std::string, std::string>> values; // value name, text
};

namespace
{
RegistryKey g_classesRoot, g_currentUser, g_localMachine, g_users, g_currentConfig;

std::mutex g_filesMutex;
std::string g_machineFile;
std::string g_userFile;

std::string RegistryFileOf(HKEY root)
{
    std::lock_guard<std::mutex> lock(g_filesMutex);
    if (root == &g_localMachine)
        return g_machineFile.empty() ? Platform::GetExecutableFolder() + "/registry.ini" : g_machineFile;
    if (root == &g_currentUser)
        return g_userFile.empty() ? Platform::GetUserConfigFolder() + "/korvane/registry.ini" : g_userFile;
    return std::string();
}

// Key paths compare without their outer backslashes and ignoring case.
std::string TrimBackslashes(const std::string& text)
{
    const size_t first = text.find_first_not_of('\\');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of('\\') - first + 1);
}

void ReadValuesUnder(const std::string& file, const std::string& keyPath, RegistryKey& key)
{
    std::ifstream in(Platform::ResolvePath(file), std::ios::binary);
    const std::string wanted = TrimBackslashes(keyPath);
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t bar = line.find('|');
        const size_t equals = bar == std::string::npos ? std::string::npos : line.find('=', bar);
        if (equals == std::string::npos)
            continue;
        if (Platform::NamesEqualIgnoringCase(TrimBackslashes(line.substr(0, bar)), wanted))
            key.values.emplace_back(line.substr(bar + 1, equals - bar - 1), line.substr(equals + 1));
    }
}
}

const HKEY HKEY_CLASSES_ROOT = &g_classesRoot;
const HKEY HKEY_CURRENT_USER = &g_currentUser;
const HKEY HKEY_LOCAL_MACHINE = &g_localMachine;
const HKEY HKEY_USERS = &g_users;
const HKEY HKEY_CURRENT_CONFIG = &g_currentConfig;

LONG RegOpenKey(HKEY root, const char* keyPath, HKEY* result)
{
    const std::string file = RegistryFileOf(root);
    if (file.empty() || !keyPath || !result)
        return ERROR_FILE_NOT_FOUND;
    auto key = new RegistryKey;
    ReadValuesUnder(file, keyPath, *key);
    if (key->values.empty())
    {
        delete key;
        return ERROR_FILE_NOT_FOUND;
    }
    *result = key;
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, std::uint8_t* data, DWORD* size)
{
    if (!key || !valueName)
        return ERROR_FILE_NOT_FOUND;
    for (const auto& [name, text] : key->values)
    {
        if (!Platform::NamesEqualIgnoringCase(name, valueName))
            continue;
        if (type)
            *type = REG_SZ;
        const DWORD needed = static_cast<DWORD>(text.size() + 1);
        if (!size)
            return ERROR_SUCCESS;
        const DWORD room = *size;
        *size = needed;
        if (!data)
            return ERROR_SUCCESS;
        if (needed > room)
            return ERROR_MORE_DATA;
        std::memcpy(data, text.c_str(), needed);
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

LONG RegCloseKey(HKEY key)
{
    const bool isRoot = key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE ||
                        key == HKEY_USERS || key == HKEY_CURRENT_CONFIG;
    if (!isRoot)
        delete key;
    return ERROR_SUCCESS;
}

namespace Platform
{
void SetRegistryFiles(const std::string& machineFile, const std::string& userFile)
{
    std::lock_guard<std::mutex> lock(g_filesMutex);
    g_machineFile = machineFile;
    g_userFile = userFile;
}
}
