// Path resolution with case-insensitive component matching, and the well-known folders.
#include "platform/core/Paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <strings.h>
#include <vector>

namespace Platform
{
namespace
{
std::mutex g_installationMutex;
std::string g_installationFolder;

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::vector<std::string> SplitComponents(const std::string& path)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : path)
    {
        if (IsSeparator(c))
        {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        }
        else
            current += c;
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

bool Exists(const std::string& path)
{
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals component ignoring case, or the component itself.
std::string MatchComponent(const std::string& folder, const std::string& component)
{
    const std::string exact = folder + (folder == "/" ? "" : "/") + component;
    if (component == "." || component == ".." || Exists(exact))
        return component;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return component;
    std::string found = component;
    while (dirent* entry = ::readdir(dir))
    {
        if (::strcasecmp(entry->d_name, component.c_str()) == 0)
        {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string JoinMatched(std::string base, const std::vector<std::string>& parts)
{
    for (const std::string& part : parts)
    {
        const std::string matched = MatchComponent(base, part);
        base += (base == "/" ? "" : "/") + matched;
    }
    return base;
}
}

std::string ResolvePath(const std::string& name)
{
    if (name.empty())
        return GetInstallationFolder();
    if (IsSeparator(name[0]))
        return JoinMatched("/", SplitComponents(name));
    if (name.size() >= 2 && name[1] == ':')
        return JoinMatched("/", SplitComponents(name.substr(2)));
    return JoinMatched(GetInstallationFolder(), SplitComponents(name));
}

void SetInstallationFolder(const std::string& folder)
{
    std::string native;
    if (folder.empty())
        native.clear();
    else if (IsSeparator(folder[0]))
        native = JoinMatched("/", SplitComponents(folder));
    else if (folder.size() >= 2 && folder[1] == ':')
        native = JoinMatched("/", SplitComponents(folder.substr(2)));
    else
        native = JoinMatched(GetExecutableFolder(), SplitComponents(folder));
    std::lock_guard<std::mutex> lock(g_installationMutex);
    g_installationFolder = native;
}

std::string GetInstallationFolder()
{
    {
        std::lock_guard<std::mutex> lock(g_installationMutex);
        if (!g_installationFolder.empty())
            return g_installationFolder;
    }
    return GetExecutableFolder();
}

std::string GetExecutablePath()
{
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return std::string();
    return std::string(buffer.data(), static_cast<size_t>(length));
}

std::string GetExecutableFolder()
{
    const std::string path = GetExecutablePath();
    const std::string folder = ParentFolderOf(path);
    return folder.empty() ? std::string("/") : folder;
}

std::string GetApplicationDataFolder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return data;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share";
}

std::string GetUserConfigFolder()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return config;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

bool CreateFolders(const std::string& name)
{
    const std::string path = ResolvePath(name);
    std::string partial;
    for (const std::string& part : SplitComponents(path))
    {
        partial += "/" + part;
        if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ParentFolderOf(const std::string& name)
{
    const size_t cut = name.find_last_of("/\\");
    if (cut == std::string::npos)
        return std::string();
    return cut == 0 ? name.substr(0, 1) : name.substr(0, cut);
}
}
