// The root of the engine: creates and owns every service in a fixed order and runs the two per-frame steps.
// The window and the device-backed services are only declared here, so code above the engine reaches them
// through their abstract interfaces and never sees the platform layer's headers.
#pragma once

#include "engine/core/Config.h"
#include "engine/core/Console.h"
#include "engine/core/EngineParameters.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Types.h"
#include "engine/files/FileManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroupManager.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class Controls_DI7;
class RenderSystem_D3D7;
class SoundSystem_DS7;
class Window;

class Engine
{
public:
    explicit Engine(const EngineParameters& parameters);
    virtual ~Engine();

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    void Render();
    void Frame(u32 sleepMs);

    bool IsExitRequested() const;
    void RequestExit();
    std::string GetVersionString() const;
    // The console on request, drawn with the given GUI font and background; it replaces an earlier one.
    void CreateConsole(const std::string& versionText, const ShaderDescriptor& background, i32 fontIndex, u16 caret,
                       u16 prompt, u16 scrollMark, const std::string& defaultKey, f32 defaultAlpha,
                       f32 defaultSize, f32 defaultSpeed);

    const EngineParameters& GetParameters() const { return *m_parameters; }
    MessageManager* GetMessageManager() const { return m_messageManager.get(); }
    FileManager* GetFileManager() const { return m_fileManager.get(); }
    TimerManager* GetTimerManager() const { return m_timerManager.get(); }
    Config* GetConfig() const { return m_config.get(); }
    Window* GetWindow() const { return m_window.get(); }
    RenderSystem* GetRenderSystem() const;
    CameraManager* GetCameraManager() const { return m_cameraManager.get(); }
    LightManager* GetLightManager() const { return m_lightManager.get(); }
    ShaderManager* GetShaderManager() const { return m_shaderManager.get(); }
    ModelManager* GetModelManager() const { return m_modelManager.get(); }
    SpriteGroupManager* GetSpriteGroupManager() const { return m_spriteGroupManager.get(); }
    ParticleSystemManager* GetParticleSystemManager() const { return m_particleSystemManager.get(); }
    Controls* GetControls() const;
    // Both null when the game runs without sound.
    SoundSystem* GetSoundSystem() const;
    SoundManager* GetSoundManager() const { return m_soundManager.get(); }
    GUIManager* GetGUIManager() const { return m_guiManager.get(); }
    // Null until CreateConsole.
    Console* GetConsole() const { return m_console.get(); }

    // The picture of the program's icon resource in the data set (the engine's window shows it).
    static constexpr const char* IconPicture = "data\\ui\\icon.bmp";

private:
    void CreateApplicationWindow();
    void RegisterIconPicture();
    void CreateSound();

    // Declared in creation order: if a constructor throws part-way, the members built so far are destroyed in
    // reverse order, exactly as the destructor would.
    std::unique_ptr<EngineParameters> m_parameters;
    std::unique_ptr<MessageManager> m_messageManager;
    std::unique_ptr<FileManager> m_fileManager;
    std::unique_ptr<TimerManager> m_timerManager;
    std::unique_ptr<Config> m_config;
    std::unique_ptr<Window> m_window;
    std::unique_ptr<RenderSystem_D3D7> m_renderSystem;
    std::unique_ptr<CameraManager> m_cameraManager;
    std::unique_ptr<LightManager> m_lightManager;
    std::unique_ptr<ShaderManager> m_shaderManager;
    std::unique_ptr<ModelManager> m_modelManager;
    std::unique_ptr<SpriteGroupManager> m_spriteGroupManager;
    std::unique_ptr<ParticleSystemManager> m_particleSystemManager;
    std::unique_ptr<Controls_DI7> m_controls;
    std::unique_ptr<SoundSystem_DS7> m_soundSystem;
    std::unique_ptr<SoundManager> m_soundManager;
    std::unique_ptr<GUIManager> m_guiManager;
    std::unique_ptr<Console> m_console;
};
}
