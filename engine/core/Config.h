// The registry of named settings and commands. A variable binds a name to storage its owner reads; lines of a
// name and a value (from the console, the settings file or code) set it. A command has no storage: running it
// clears its idle byte and its owner, polling the byte, carries it out and re-arms it. The registry keeps the
// settings file, tracks changes of chosen variables per frame and holds lines for names not registered yet.
#pragma once

#include "engine/core/Types.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileManager;
class MessageManager;

class Config
{
public:
    enum Kind : u32
    {
        KindInt = 0,    // i32 storage
        KindFloat = 1,  // f32 storage
        KindBool = 2,   // u8 storage
        KindString = 3, // std::string storage
        KindCommand = 4 // no storage
    };

    enum Status : u32
    {
        StatusExecuted = 0,
        StatusReadOnly = 2,
        StatusNoValue = 3,
        StatusUnknownName = 4,
        StatusEmptyLine = 5
    };

    Config(MessageManager* log, FileManager* fileManager, const std::string& settingsDirectory,
           const std::string& settingsName, u8 forceVideoMode, const std::string& defaultVideoMode,
           u8 forceFullScreen, u8 defaultFullScreen);
    virtual ~Config();

    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    void AddVariable(const std::string& name, u32 kind, u8 readOnly, u8 saved, void* storage,
                     const std::string& defaultText, u8 trackChanges);
    // Detaches: the value is kept as text, still saved, and handed to the next registration of the name.
    void RemoveVariable(const std::string& name);
    u32 Execute(const std::string& line, std::string* outName = nullptr);
    void SetFromString(const std::string& name, const std::string& text);
    void GetValueAsString(std::string& text, const std::string& name) const;
    void GetDefaultValue(std::string& text, const std::string& name) const;
    void ResetToDefault(const std::string& name);
    void ResetAll();
    bool IsCommandIdle(const std::string& name) const;
    // Looks the name up as given: callers pass lower-case names.
    void SetCommandIdle(const std::string& name, u8 idle);
    bool HasChanged(const std::string& name) const;
    void ListNames(std::vector<std::string>& names) const;

    void Update();
    void ClearChangedFlags();

    void Load();
    void Save();

    const std::string& GetSettingsPath() const { return m_settingsPath; }

    // The registry's own storage of the settings the renderer reads every frame (and writes back when it has
    // to choose another mode or clamp a value): bound storage, valid while the registry lives.
    struct RenderSettings
    {
        std::string* videoMode = nullptr;
        u8* fullScreen = nullptr;
        u8* verticalSync = nullptr;
        i32* textureAnisotropy = nullptr;
        u8* useMipMapping = nullptr;
        u8* showMipMaps = nullptr;
    };
    RenderSettings GetRenderSettings()
    {
        return RenderSettings{&m_videoMode,       &m_fullScreen,    &m_verticalSync,
                              &m_textureAnisotropy, &m_useMipMapping, &m_showMipMaps};
    }

private:
    struct Variable
    {
        u32 kind = KindInt;
        u8 readOnly = 0;
        u8 saved = 0;
        void* storage = nullptr;
        std::string defaultText;
        u8 idle = 0;
        u8 trackChanges = 0;
        i32 lastInt = 0;
        f32 lastFloat = 0.0f;
        u8 lastBool = 0;
        std::string lastString;
        u8 changed = 0;
        u8 detached = 0;
        std::string keptValue;
    };

    void RegisterOwnEntries(const std::string& videoMode, u8 defaultFullScreen);
    u32 ExecuteLine(const std::string& line, std::string* outName, bool runCommands);
    Variable* FindAttached(const std::string& lowerName);
    const Variable* FindAttached(const std::string& lowerName) const;
    void ApplyPendingLine(const std::string& lowerName);
    void Reattach(const std::string& lowerName, Variable& variable, void* storage);
    static void SetStorage(Variable& variable, const std::string& text);
    static bool RefreshLastValue(Variable& variable);
    void WriteSettings(const std::string& path);

    MessageManager* m_log = nullptr;
    FileManager* m_fileManager = nullptr;
    std::string m_settingsPath;
    std::map<std::string, std::unique_ptr<Variable>> m_variables;
    std::map<std::string, std::string> m_pendingLines;
    u8 m_forceVideoMode = 0;
    u8 m_forceFullScreen = 0;

    std::string m_videoMode;
    u8 m_fullScreen = 0;
    u8 m_verticalSync = 0;
    f32 m_brightness = 0.0f;
    f32 m_contrast = 0.0f;
    f32 m_gamma = 0.0f;
    u8 m_useMipMapping = 0;
    u8 m_showOctreeNodes = 0;
    u8 m_showFacesEdges = 0;
    u8 m_showFacesNormals = 0;
    u8 m_showMipMaps = 0;
    i32 m_textureAnisotropy = 0;
    u8 m_invertMouse = 0;
    i32 m_screenshotFormat = 0;
};

// Width, height and bits of a video mode text such as "1024x768x32"; 640, 480, 16 without two separators.
// Each result is stored only when its pointer is not null.
void ParseVideoMode(const std::string& text, u32* width, u32* height, u32* bits);
}
