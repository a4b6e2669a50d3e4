#include "tests/support/InstalledGameBed.h"

#include "platform/d3d7/DirectDrawDriver.h"
#include "platform/win32/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace TestSupport
{
namespace
{
constexpr const char* Variables[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME"};
// A value no environment variable can have marks one that was not set.
constexpr const char* Unset = "\n";
}

InstalledGameBed::InstalledGameBed(const std::string& installFolder, const std::string& registryKey,
                                   Drawing drawing)
{
    if (drawing == Drawing::OffscreenGL)
    {
        // The twins installed themselves as they were made: the display goes back to OpenGL, and SDL's window
        // side (with the test's cursor and focus) takes the place of the window twin until the bed goes.
        Platform::SetDirectDrawDriver(nullptr);
        m_offscreen = std::make_unique<ScriptedMouse>();
    }
    for (const char* name : Variables)
    {
        const char* value = std::getenv(name);
        m_savedVariables[name] = value ? value : Unset;
    }
    setenv("XDG_DATA_HOME", (twins.folder / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (twins.folder / "config").c_str(), 1);
    std::filesystem::create_directories(twins.folder / "data");
    twins.folder.WriteFile("machine.ini", "");
    twins.folder.WriteFile("user.ini", registryKey + "|InstallPath=" + installFolder + "\n");
    Platform::SetRegistryFiles(twins.folder / "machine.ini", twins.folder / "user.ini");
}

InstalledGameBed::~InstalledGameBed()
{
    Platform::SetRegistryFiles("", "");
    for (const auto& [name, value] : m_savedVariables)
    {
        if (value == Unset)
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }
}

std::string InstalledGameBed::UserFolder(const std::string& maker, const std::string& title) const
{
    return twins.folder / ("data/" + maker + "/" + title);
}

std::string InstalledGameBed::LogText(const std::string& maker, const std::string& title) const
{
    std::ifstream file(UserFolder(maker, title) + "/" + title + ".html");
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> InstalledGameBed::LogProblems(const std::string& maker, const std::string& title) const
{
    std::vector<std::string> problems;
    const std::string log = LogText(maker, title);
    for (const char* word : {"Error", "There is no", "Incorrect", "PROGRAM ABORTING", "UNKNOWN"})
        for (std::size_t at = log.find(word); at != std::string::npos; at = log.find(word, at + 1))
            problems.push_back(log.substr(at > 60 ? at - 60 : 0, 160));
    return problems;
}

void InstalledGameBed::NextFrameTime()
{
    twins.clock.AdvanceSeconds(1.0 / 60.0);
}

void InstalledGameBed::SetCursor(POINT screenPosition)
{
    if (m_offscreen)
        m_offscreen->WarpCursor(screenPosition);
    else
        twins.windows.cursor = screenPosition;
}

void InstalledGameBed::SetFocus(HWND window)
{
    if (m_offscreen)
        m_offscreen->focus = window;
    else
        twins.windows.focus = window;
}

std::vector<std::string> InstalledGameBed::MessageBoxes() const
{
    if (m_offscreen)
        return m_offscreen->messageBoxes;
    std::vector<std::string> texts;
    for (const auto& box : twins.windows.messageBoxes)
        texts.push_back(box.caption + ": " + box.text);
    return texts;
}
}
