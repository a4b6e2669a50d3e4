// Path resolution with case-insensitive component matching, folder listing and deletion, and the well-known folders.
#include "platform/core/Paths.h"

#include "platform/core/Utf8.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <unordered_map>

namespace Platform
{
namespace
{
std::mutex g_installationMutex;
std::string g_installationFolder;

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Only "/" starts a name at the root here: data files written for another system hold names such as
// "\common\smoke00.tga" that mean "inside the data folder", never the file system's root.
bool StartsAtRoot(const std::string& name) { return !name.empty() && name[0] == '/'; }

bool HasDriveLetter(const std::string& name) { return name.size() >= 2 && name[1] == ':'; }

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

// Decodes one UTF-8 sequence at text[pos]; a byte that starts no valid sequence stands for itself.
char32_t NextCodePointOrByte(const std::string& text, size_t& pos)
{
    char32_t code = 0;
    const size_t length = DecodeUtf8(text.data() + pos, text.size() - pos, code);
    if (length == 0)
        return static_cast<unsigned char>(text[pos++]);
    pos += length;
    return code;
}

// Lower case for the letters the game's languages use: ASCII, Latin-1 and Cyrillic.
char32_t FoldCase(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

std::u32string FoldedCodePoints(const std::string& text)
{
    std::u32string result;
    for (size_t pos = 0; pos < text.size();)
        result += FoldCase(NextCodePointOrByte(text, pos));
    return result;
}

// Wildcard match of folded code points: "*" any run, "?" any one character.
bool MatchesMask(const std::u32string& name, const std::u32string& mask)
{
    size_t n = 0, m = 0, starMask = std::u32string::npos, starName = 0;
    while (n < name.size())
    {
        if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n]))
        {
            ++n;
            ++m;
        }
        else if (m < mask.size() && mask[m] == U'*')
        {
            starMask = m++;
            starName = n;
        }
        else if (starMask != std::u32string::npos)
        {
            m = starMask + 1;
            n = ++starName;
        }
        else
            return false;
    }
    while (m < mask.size() && mask[m] == U'*')
        ++m;
    return m == mask.size();
}

// Names found by searching a folder, so that a name written in another case costs one stat next time, not a
// folder scan; an entry is used only while the name it points to still exists.
class MatchCache
{
public:
    bool Find(const std::string& key, std::string& matched)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_names.find(key);
        if (found == m_names.end())
            return false;
        matched = found->second;
        return true;
    }

    void Keep(const std::string& key, const std::string& matched)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_names.size() >= MaxEntries)
            m_names.clear();
        m_names[key] = matched;
    }

private:
    static constexpr size_t MaxEntries = 4096;
    std::mutex m_mutex;
    std::unordered_map<std::string, std::string> m_names;
};

MatchCache g_matchCache;

// Counts the program's own changes to the disk, so that what was learnt of a folder can be learnt again.
std::atomic<unsigned long long> g_diskChanges{0};

void NoteDiskChange() { ++g_diskChanges; }

// The entry of folder whose name equals component ignoring case; false when the folder holds none.
bool MatchComponent(const std::string& folder, const std::string& component, std::string& matched)
{
    matched = component;
    const std::string separator = folder == "/" ? "" : "/";
    if (component == "." || component == ".." || Exists(folder + separator + component))
        return true;
    const std::string key = folder + '\0' + component;
    if (g_matchCache.Find(key, matched) && Exists(folder + separator + matched))
        return true;
    matched = component;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return false;
    bool found = false;
    while (dirent* entry = ::readdir(dir))
    {
        if (NamesEqualIgnoringCase(entry->d_name, component))
        {
            matched = entry->d_name;
            found = true;
            break;
        }
    }
    ::closedir(dir);
    if (found)
        g_matchCache.Keep(key, matched);
    return found;
}

// Below a component that does not exist nothing can, so the rest of the name is taken as written.
std::string JoinMatched(std::string base, const std::vector<std::string>& parts)
{
    bool searching = true;
    std::string matched;
    for (const std::string& part : parts)
    {
        if (searching)
            searching = MatchComponent(base, part, matched);
        else
            matched = part;
        base += (base == "/" ? "" : "/") + matched;
    }
    return base;
}

// The folder a name starts from and the rest of the name after a drive letter.
std::string BaseOf(const std::string& folder, const std::string& name, std::string& rest)
{
    if (HasDriveLetter(name))
    {
        rest = name.substr(2);
        return "/";
    }
    rest = name;
    return StartsAtRoot(name) ? std::string("/") : folder;
}

// Resolves a name against a folder that is already a native path.
std::string ResolveFrom(const std::string& folder, const std::string& name)
{
    std::string rest;
    const std::string base = BaseOf(folder, name, rest);
    return JoinMatched(base, SplitComponents(rest));
}

// The native path of a name written exactly as on disk: no folder is searched, so it costs nothing.
std::string AsWritten(const std::string& folder, const std::string& name)
{
    std::string rest;
    std::string path = BaseOf(folder, name, rest);
    for (const std::string& part : SplitComponents(rest))
        path += (path == "/" ? "" : "/") + part;
    return path;
}

std::FILE* OpenRegularFile(const std::string& path, const char* mode)
{
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file)
        return nullptr;
    struct stat info{};
    if (::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode))
    {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

// The path with "." and ".." and links worked out, so that comparisons see the real folders.
std::string Canonical(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

// Native paths compared after resolution: "/a/b" lies inside "/a" and inside "/".
bool IsSameOrInside(const std::string& inner, const std::string& outer)
{
    if (outer == "/")
        return true;
    return inner == outer || (inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
                              inner[outer.size()] == '/');
}
}

std::string ResolvePath(const std::string& name)
{
    if (name.empty())
        return GetInstallationFolder();
    return ResolveFrom(GetInstallationFolder(), name);
}

bool IsAbsolutePath(const std::string& name)
{
    return StartsAtRoot(name) || HasDriveLetter(name);
}

void SetInstallationFolder(const std::string& folder)
{
    const std::string native = folder.empty() ? std::string() : ResolveFrom(GetExecutableFolder(), folder);
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
    // The running program does not move: one readlink for the process's life.
    static const std::string path = [] {
        std::vector<char> buffer(4096);
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
        return length <= 0 ? std::string() : std::string(buffer.data(), static_cast<size_t>(length));
    }();
    return path;
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

// A name written as it stands on disk needs one stat; only a miss searches folders for another case.
bool PathExists(const std::string& name)
{
    if (!name.empty() && Exists(AsWritten(GetInstallationFolder(), name)))
        return true;
    return Exists(ResolvePath(name));
}

bool PathExistsAsWritten(const std::string& name)
{
    return !name.empty() && Exists(AsWritten(GetInstallationFolder(), name));
}

unsigned long long DiskChangeCount() { return g_diskChanges.load(); }

bool FolderExists(const std::string& name)
{
    struct stat info{};
    if (!name.empty() && ::stat(AsWritten(GetInstallationFolder(), name).c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return true;
    return ::stat(ResolvePath(name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::FILE* OpenFile(const std::string& name, bool write)
{
    // Nearly every name is written as it stands on disk: try that before searching folders for another case.
    // Writing always searches, so that a file written in another case is replaced, not doubled.
    if (!write)
    {
        const std::string folder = name.empty() ? std::string() : GetInstallationFolder();
        if (std::FILE* file = OpenRegularFile(name.empty() ? folder : AsWritten(folder, name), "rb"))
            return file;
    }
    const std::string path = ResolvePath(name);
    struct stat info{};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return nullptr;
    if (write)
        NoteDiskChange();
    return std::fopen(path.c_str(), write ? "wb" : "rb");
}

bool CreateFolders(const std::string& name)
{
    NoteDiskChange();
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

bool CreateFolder(const std::string& name)
{
    NoteDiskChange();
    return ::mkdir(ResolvePath(name).c_str(), 0755) == 0;
}

bool DeleteTree(const std::string& name)
{
    const std::string path = ResolvePath(name);
    NoteDiskChange();
    const std::string target = Canonical(path);
    if (IsSameOrInside(Canonical(GetInstallationFolder()), target) ||
        IsSameOrInside(Canonical(GetExecutableFolder()), target))
        return false;
    std::error_code error;
    std::filesystem::remove_all(path, error);
    return !error && !Exists(path);
}

bool DeleteRegularFile(const std::string& name)
{
    const std::string path = ResolvePath(name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error)))
        return false;
    NoteDiskChange();
    return std::filesystem::remove(path, error) && !error;
}

bool ReplaceFile(const std::string& from, const std::string& to)
{
    NoteDiskChange();
    return std::rename(ResolvePath(from).c_str(), ResolvePath(to).c_str()) == 0;
}

std::string CanonicalPath(const std::string& name) { return Canonical(ResolvePath(name)); }

std::string ParentFolderOf(const std::string& name)
{
    const size_t cut = name.find_last_of("/\\");
    if (cut == std::string::npos)
        return std::string();
    return cut == 0 ? name.substr(0, 1) : name.substr(0, cut);
}

std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& mask)
{
    std::vector<FolderEntry> entries;
    const std::string path = ResolvePath(folder);
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return entries;
    // "*.*" matches every name, dotted or not, as the wildcard search of the original platform does.
    const std::u32string pattern = FoldedCodePoints(mask == "*.*" ? std::string("*") : mask);
    while (dirent* entry = ::readdir(dir))
    {
        const std::string entryName = entry->d_name;
        if (entryName == "." || entryName == ".." || !MatchesMask(FoldedCodePoints(entryName), pattern))
            continue;
        struct stat info{};
        const bool isFolder = ::stat((path + "/" + entryName).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries.push_back({entryName, isFolder});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        const std::u32string foldedA = FoldedCodePoints(a.name), foldedB = FoldedCodePoints(b.name);
        return foldedA != foldedB ? foldedA < foldedB : a.name < b.name;
    });
    return entries;
}

bool NamesEqualIgnoringCase(const std::string& a, const std::string& b)
{
    return a == b || FoldedCodePoints(a) == FoldedCodePoints(b);
}
}
