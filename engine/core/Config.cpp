// Settings and commands by name, the settings file, change tracking and the video-mode text.
#include "engine/core/Config.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/FileManager.h"
#include "engine/files/FileTextual.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
constexpr f32 ChangeTolerance = 0.0001f;

bool IsNameEnd(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\\';
}

// Two blanks in a row vanish together, the scan going on from where they stood.
void DeleteBlankPairs(std::string& text)
{
    for (size_t at = text.find("  "); at != std::string::npos; at = text.find("  ", at))
        text.erase(at, 2);
}
}

Config::Config(MessageManager* log, FileManager* fileManager, const std::string& settingsDirectory,
               const std::string& settingsName, u8 forceVideoMode, const std::string& defaultVideoMode,
               u8 forceFullScreen, u8 defaultFullScreen)
    : m_log(log), m_fileManager(fileManager), m_forceVideoMode(forceVideoMode), m_forceFullScreen(forceFullScreen)
{
    const std::string name = settingsName.empty() ? std::string("Velkor Engine") : settingsName;
    m_settingsPath = settingsDirectory.empty() ? name + ".ini" : settingsDirectory + "\\" + name + ".ini";
    std::string videoMode = defaultVideoMode;
    if (videoMode.empty())
    {
        videoMode = "800x600x32";
        m_forceVideoMode = 0;
    }
    RegisterOwnEntries(videoMode, defaultFullScreen);
}

Config::~Config() = default;

void Config::RegisterOwnEntries(const std::string& videoMode, u8 defaultFullScreen)
{
    AddVariable("reset_config", KindCommand, 0, 0, nullptr, "", 0);
    AddVariable("v_mode", KindString, 0, 1, &m_videoMode, videoMode, 0);
    AddVariable("v_fullscreen", KindBool, 0, 1, &m_fullScreen, defaultFullScreen ? "1" : "0", 0);
    AddVariable("v_vsync", KindBool, 0, 1, &m_verticalSync, "1", 0);
    AddVariable("v_brightness", KindFloat, 0, 1, &m_brightness, "1.0", 0);
    AddVariable("v_contrast", KindFloat, 0, 1, &m_contrast, "1.0", 0);
    AddVariable("v_gamma", KindFloat, 0, 1, &m_gamma, "1.0", 0);
    AddVariable("v_window_change_mode", KindCommand, 0, 0, nullptr, "", 0);
    AddVariable("r_use_mip_mapping", KindBool, 0, 1, &m_useMipMapping, "1", 0);
    AddVariable("r_show_octree_nodes", KindBool, 0, 1, &m_showOctreeNodes, "0", 0);
    AddVariable("r_show_faces_edges", KindBool, 0, 1, &m_showFacesEdges, "0", 0);
    AddVariable("r_show_faces_normals", KindBool, 0, 1, &m_showFacesNormals, "0", 0);
    AddVariable("r_show_mip_maps", KindBool, 0, 1, &m_showMipMaps, "0", 0);
    AddVariable("r_texture_anisotropy", KindInt, 0, 1, &m_textureAnisotropy, "1", 0);
    AddVariable("c_invert_mouse", KindBool, 0, 1, &m_invertMouse, "0", 0);
    AddVariable("sc_take_screenshot", KindCommand, 0, 0, nullptr, "", 0);
    AddVariable("sc_take_screenshot_tga", KindCommand, 0, 0, nullptr, "", 0);
    AddVariable("sc_take_screenshot_jpg", KindCommand, 0, 0, nullptr, "", 0);
    AddVariable("sc_take_screenshot_format", KindInt, 0, 1, &m_screenshotFormat, "0", 0);
    AddVariable("sc_start_movie_record", KindCommand, 0, 0, nullptr, "", 0);
    AddVariable("sc_stop_movie_record", KindCommand, 0, 0, nullptr, "", 0);
    AddVariable("exit", KindCommand, 0, 0, nullptr, "", 0);
}

void Config::AddVariable(const std::string& name, u32 kind, u8 readOnly, u8 saved, void* storage,
                         const std::string& defaultText, u8 trackChanges)
{
    const std::string lowerName = StringToLowerCopy(name);
    const auto found = m_variables.find(lowerName);
    if (found != m_variables.end())
    {
        Variable& variable = *found->second;
        if (!variable.detached)
            return;
        // Storage of another kind cannot take the first registration's conversions: the new description holds.
        if (variable.kind != kind)
        {
            Variable replacement;
            replacement.kind = kind;
            replacement.readOnly = readOnly;
            replacement.saved = saved;
            replacement.defaultText = defaultText;
            replacement.idle = kind == KindCommand ? 1 : 0;
            replacement.trackChanges = trackChanges;
            replacement.keptValue = variable.keptValue;
            variable = replacement;
        }
        Reattach(lowerName, variable, storage);
        return;
    }
    auto variable = std::make_unique<Variable>();
    variable->kind = kind;
    variable->readOnly = readOnly;
    variable->saved = saved;
    variable->storage = storage;
    variable->defaultText = defaultText;
    variable->idle = kind == KindCommand ? 1 : 0;
    variable->trackChanges = trackChanges;
    variable->changed = trackChanges;
    m_variables.emplace(lowerName, std::move(variable));
    ResetToDefault(lowerName);
    ApplyPendingLine(lowerName);
}

void Config::Reattach(const std::string& lowerName, Variable& variable, void* storage)
{
    variable.storage = storage;
    variable.detached = 0;
    variable.changed = variable.trackChanges;
    SetFromString(lowerName, variable.keptValue);
}

// A line kept from the settings file for a name registered only now; a command named there is not run.
void Config::ApplyPendingLine(const std::string& lowerName)
{
    const auto pending = m_pendingLines.find(lowerName);
    if (pending == m_pendingLines.end())
        return;
    const std::string line = pending->second;
    m_pendingLines.erase(pending);
    ExecuteLine(line, nullptr, false);
}

void Config::RemoveVariable(const std::string& name)
{
    const std::string lowerName = StringToLowerCopy(name);
    Variable* variable = FindAttached(lowerName);
    if (!variable)
        return;
    GetValueAsString(variable->keptValue, lowerName);
    variable->detached = 1;
    variable->storage = nullptr;
}

u32 Config::Execute(const std::string& line, std::string* outName)
{
    return ExecuteLine(line, outName, true);
}

u32 Config::ExecuteLine(const std::string& line, std::string* outName, bool runCommands)
{
    if (outName)
        outName->clear();
    std::string text = line;
    StringTrim(text);
    StringRemoveLeading(text, '\\');
    DeleteBlankPairs(text);
    if (text.empty())
        return StatusEmptyLine;
    size_t nameStart = 0;
    while (nameStart < text.size() && IsNameEnd(text[nameStart]))
        ++nameStart;
    size_t nameEnd = nameStart;
    while (nameEnd < text.size() && !IsNameEnd(text[nameEnd]))
        ++nameEnd;
    const std::string name = StringToLowerCopy(text.substr(nameStart, nameEnd - nameStart));
    if (outName)
        *outName = name;
    Variable* variable = FindAttached(name);
    if (!variable)
        return StatusUnknownName;
    if (variable->kind == KindCommand)
    {
        if (runCommands)
            variable->idle = 0;
        return StatusExecuted;
    }
    // The value starts right after the name and ends at a "\\" comment.
    std::string value = text.substr(nameEnd);
    const size_t comment = value.find("\\\\");
    if (comment != std::string::npos)
        value.erase(comment);
    StringTrim(value);
    if (value.empty())
        return StatusNoValue;
    if (variable->readOnly)
        return StatusReadOnly;
    SetStorage(*variable, value);
    return StatusExecuted;
}

Config::Variable* Config::FindAttached(const std::string& lowerName)
{
    const auto found = m_variables.find(lowerName);
    return found == m_variables.end() || found->second->detached ? nullptr : found->second.get();
}

const Config::Variable* Config::FindAttached(const std::string& lowerName) const
{
    const auto found = m_variables.find(lowerName);
    return found == m_variables.end() || found->second->detached ? nullptr : found->second.get();
}

void Config::SetStorage(Variable& variable, const std::string& text)
{
    if (!variable.storage)
        return;
    switch (variable.kind)
    {
    case KindInt:
        *static_cast<i32*>(variable.storage) = StringToInt(text, 10);
        break;
    case KindFloat:
        *static_cast<f32*>(variable.storage) = StringToFloat(text);
        break;
    case KindBool:
        *static_cast<u8*>(variable.storage) = StringToBool(text) ? 1 : 0;
        break;
    case KindString:
        *static_cast<std::string*>(variable.storage) = text;
        break;
    default:
        break;
    }
}

void Config::SetFromString(const std::string& name, const std::string& text)
{
    if (Variable* variable = FindAttached(StringToLowerCopy(name)))
        SetStorage(*variable, text);
}

void Config::GetValueAsString(std::string& text, const std::string& name) const
{
    text.clear();
    const auto found = m_variables.find(StringToLowerCopy(name));
    if (found == m_variables.end())
        return;
    const Variable& variable = *found->second;
    if (variable.detached)
    {
        text = variable.keptValue;
        return;
    }
    if (!variable.storage)
        return;
    switch (variable.kind)
    {
    case KindInt:
        text = IntToString(*static_cast<const i32*>(variable.storage), 0);
        break;
    case KindFloat:
        text = FloatToString(*static_cast<const f32*>(variable.storage), 6);
        break;
    case KindBool:
        text = *static_cast<const u8*>(variable.storage) ? "1" : "0";
        break;
    case KindString:
        text = *static_cast<const std::string*>(variable.storage);
        break;
    default:
        break;
    }
}

void Config::GetDefaultValue(std::string& text, const std::string& name) const
{
    const auto found = m_variables.find(StringToLowerCopy(name));
    text = found == m_variables.end() ? std::string() : found->second->defaultText;
}

void Config::ResetToDefault(const std::string& name)
{
    Variable* variable = FindAttached(StringToLowerCopy(name));
    if (!variable)
        return;
    SetStorage(*variable, variable->defaultText);
    variable->idle = variable->kind == KindCommand ? 1 : 0;
}

void Config::ResetAll()
{
    for (const auto& [name, variable] : m_variables)
    {
        if (!variable->readOnly)
            ResetToDefault(name);
    }
}

bool Config::IsCommandIdle(const std::string& name) const
{
    const Variable* variable = FindAttached(StringToLowerCopy(name));
    return variable && variable->idle;
}

void Config::SetCommandIdle(const std::string& name, u8 idle)
{
    if (Variable* variable = FindAttached(name))
        variable->idle = idle;
}

bool Config::HasChanged(const std::string& name) const
{
    const auto found = m_variables.find(StringToLowerCopy(name));
    return found != m_variables.end() && found->second->changed;
}

void Config::ListNames(std::vector<std::string>& names) const
{
    for (const auto& [name, variable] : m_variables)
    {
        if (!variable->detached)
            names.push_back(name);
    }
}

void Config::Update()
{
    if (!IsCommandIdle("reset_config"))
    {
        SetCommandIdle("reset_config", 1);
        ResetAll();
    }
    for (const auto& [name, variable] : m_variables)
    {
        if (!variable->detached && variable->trackChanges && RefreshLastValue(*variable))
            variable->changed = 1;
    }
}

// Copies the storage into the last value; true when it differed.
bool Config::RefreshLastValue(Variable& variable)
{
    if (!variable.storage)
        return false;
    switch (variable.kind)
    {
    case KindInt:
    {
        const i32 value = *static_cast<const i32*>(variable.storage);
        const bool differs = value != variable.lastInt;
        variable.lastInt = value;
        return differs;
    }
    case KindFloat:
    {
        const f32 value = *static_cast<const f32*>(variable.storage);
        if (!(std::fabs(value - variable.lastFloat) > ChangeTolerance))
            return false;
        variable.lastFloat = value;
        return true;
    }
    case KindBool:
    {
        const u8 value = *static_cast<const u8*>(variable.storage);
        const bool differs = value != variable.lastBool;
        variable.lastBool = value;
        return differs;
    }
    case KindString:
    {
        const std::string& value = *static_cast<const std::string*>(variable.storage);
        const bool differs = value != variable.lastString;
        variable.lastString = value;
        return differs;
    }
    default:
        return false;
    }
}

void Config::ClearChangedFlags()
{
    for (const auto& [name, variable] : m_variables)
        variable->changed = 0;
}

void Config::Load()
{
    ResetAll();
    m_pendingLines.clear();
    std::unique_ptr<FileTextual> file;
    try
    {
        file = m_fileManager->OpenTextual(m_settingsPath, 0, FileTextual::EncodingAnsi);
    }
    catch (const FileError&)
    {
        return;
    }
    std::string line;
    std::string name;
    // Commands named in the file are not run: a hand-edited "exit" would otherwise end the game at start.
    while (file->ReadLine(line, FileTextual::StripComments, FileTextual::WholeLines))
    {
        if (ExecuteLine(line, &name, false) == StatusUnknownName)
            m_pendingLines.emplace(name, line);
    }
    if (m_forceVideoMode)
        ResetToDefault("v_mode");
    if (m_forceFullScreen)
        ResetToDefault("v_fullscreen");
}

void Config::Save()
{
    try
    {
        WriteSettings(m_settingsPath);
    }
    catch (const FileError& error)
    {
        m_log->Error(error.GetMessage());
    }
}

void Config::WriteSettings(const std::string& path)
{
    std::unique_ptr<FileTextual> file = m_fileManager->OpenTextual(path, 1, FileTextual::EncodingAnsi);
    std::string value;
    for (const auto& [name, variable] : m_variables)
    {
        if (!variable->saved || variable->readOnly || variable->kind == KindCommand)
            continue;
        GetValueAsString(value, name);
        file->WriteString(name + " " + value);
        file->WriteNewLine();
    }
    file->Close();
}

void ParseVideoMode(const std::string& text, u32* width, u32* height, u32* bits)
{
    u32 w = 640, h = 480, b = 16;
    const size_t first = text.find_first_of("xX");
    const size_t second = first == std::string::npos ? std::string::npos : text.find_first_of("xX", first + 1);
    if (second != std::string::npos)
    {
        w = StringToUInt(text.substr(0, first), 10);
        h = StringToUInt(text.substr(first + 1, second - first - 1), 10);
        b = StringToUInt(text.substr(second + 1), 10);
    }
    if (width)
        *width = w;
    if (height)
        *height = h;
    if (bits)
        *bits = b;
}
}
