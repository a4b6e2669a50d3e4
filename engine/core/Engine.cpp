// Construction order, the two frame steps and teardown of the engine's services.
#include "engine/core/Engine.h"

#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Window.h"
#include "engine/files/Image.h"
#include "engine/input/Controls_DI7.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/win32/Time.h"
#include "platform/win32/WindowApi.h"

namespace VelkorEngine
{
namespace
{
EngineParameters WithDefaults(const EngineParameters& given)
{
    EngineParameters parameters = given;
    if (parameters.applicationName.empty())
    {
        parameters.applicationName = "Velkor Engine";
        parameters.version = 67;
    }
    return parameters;
}
}

Engine::Engine(const EngineParameters& parameters)
    : m_parameters(std::make_unique<EngineParameters>(WithDefaults(parameters)))
{
    const EngineParameters& p = *m_parameters;
    m_messageManager = std::make_unique<MessageManager>(p.applicationName, p.writeLog, p.reopenLogPerEntry,
                                                        p.logDirectory, p.logName);
    m_fileManager = std::make_unique<FileManager>(m_messageManager.get(), p.basePath, p.dataFolder);
    m_timerManager = std::make_unique<TimerManager>();
    m_config = std::make_unique<Config>(m_messageManager.get(), m_fileManager.get(), p.settingsDirectory, p.settingsName,
                                        p.forceVideoMode, p.defaultVideoMode, p.forceFullScreen, p.defaultFullScreen);
    m_config->Load();
    CreateApplicationWindow();
    m_renderSystem = std::make_unique<RenderSystem_D3D7>(m_messageManager.get(), m_config.get(), m_window.get(),
                                                         p.useStencilBuffer, p.allowOversizedWindow);
    m_cameraManager = std::make_unique<CameraManager>(m_messageManager.get(), m_window.get(), m_renderSystem.get());
    m_lightManager = std::make_unique<LightManager>(m_messageManager.get(), m_renderSystem.get());
    m_shaderManager = std::make_unique<ShaderManager>(m_messageManager.get(), m_fileManager.get(), m_timerManager.get(),
                                                      m_config.get(), m_renderSystem.get());
    m_modelManager = std::make_unique<ModelManager>(m_messageManager.get(), m_fileManager.get(), m_timerManager.get(),
                                                    m_renderSystem.get(), m_cameraManager.get(), m_lightManager.get(),
                                                    m_shaderManager.get());
    m_spriteGroupManager = std::make_unique<SpriteGroupManager>(m_messageManager.get(), m_cameraManager.get(),
                                                                m_shaderManager.get(), m_modelManager.get());
    m_particleSystemManager =
        std::make_unique<ParticleSystemManager>(m_messageManager.get(), m_fileManager.get(), m_timerManager.get(),
                                                m_shaderManager.get(), m_spriteGroupManager.get());
    m_controls = std::make_unique<Controls_DI7>(m_messageManager.get(), m_timerManager.get(), m_window.get(), true);
    CreateSound();
    m_guiManager = std::make_unique<GUIManager>(m_messageManager.get(), m_fileManager.get(), m_window.get(),
                                                m_timerManager.get(), m_cameraManager.get(), m_shaderManager.get(),
                                                m_modelManager.get(), m_controls.get(), m_soundManager.get());
    // Milliseconds since boot, so that two runs draw different sequences.
    SeedRandom(GetTickCount());
}

// The window takes the size of the current "v_mode". A host program's window cannot be named by a number here,
// so the engine always has a window of its own.
void Engine::CreateApplicationWindow()
{
    const EngineParameters& p = *m_parameters;
    RegisterIconPicture();
    std::string videoMode;
    m_config->GetValueAsString(videoMode, "v_mode");
    u32 width = 0;
    u32 height = 0;
    ParseVideoMode(videoMode, &width, &height, nullptr);
    std::string fullScreen;
    m_config->GetValueAsString(fullScreen, "v_fullscreen");
    m_window = std::make_unique<Window>(m_messageManager.get(), m_config.get(), GetVersionString(), nullptr, p.iconId,
                                        p.minimizeOnFocusLoss, width, height, StringToBool(fullScreen) ? 1 : 0,
                                        p.centreWindow, p.windowPosition[0], p.windowPosition[1]);
}

// A program here carries its icon in the data set rather than in its file: the picture becomes the icon
// resource the window class names. Without the picture the window has the default icon.
void Engine::RegisterIconPicture()
{
    const u32 iconId = m_parameters->iconId;
    if (iconId == 0 || !m_fileManager->Exists(IconPicture))
        return;
    Image picture;
    if (!picture.Load(m_messageManager.get(), m_fileManager.get(), IconPicture) || picture.IsEmpty())
        return;
    picture.ConvertBitsPerPixel(32);
    picture.FlipVertical();
    const u8* pixels = picture.GetPixels();
    RegisterIconResource(iconId, picture.GetWidth(), picture.GetHeight(),
                         std::vector<u8>(pixels, pixels + picture.GetDataSize()));
}

// Without a sound device the game runs silent: the failing constructor has logged why, and a sound manager
// that failed leaves the sound system in place.
void Engine::CreateSound()
{
    try
    {
        m_soundSystem = std::make_unique<SoundSystem_DS7>(m_messageManager.get(), m_fileManager.get(), m_timerManager.get(),
                                                          m_config.get(), m_window.get(), m_parameters->use3DSound);
        m_soundManager = std::make_unique<SoundManager>(m_messageManager.get(), m_fileManager.get(), m_soundSystem.get());
    }
    catch (const Error&)
    {
    }
}

Engine::~Engine()
{
    if (m_parameters->saveSettingsOnExit)
        m_config->Save();
    m_console.reset();
    m_guiManager.reset();
    m_soundManager.reset();
    m_soundSystem.reset();
    m_controls.reset();
    m_particleSystemManager.reset();
    m_spriteGroupManager.reset();
    m_modelManager.reset();
    m_shaderManager.reset();
    m_lightManager.reset();
    m_cameraManager.reset();
    m_renderSystem.reset();
    m_window.reset();
    m_config.reset();
    m_timerManager.reset();
    m_fileManager.reset();
    m_messageManager.reset();
    m_parameters.reset();
}

void Engine::Render()
{
    m_config->Update();
    m_timerManager->Update();
    m_window->Update();
    m_controls->Update();
    m_guiManager->ProcessMouse();
    if (m_console)
        m_console->Update();
    m_messageManager->ClearRecords();
}

void Engine::CreateConsole(const std::string& versionText, const ShaderDescriptor& background, i32 fontIndex,
                           u16 caret, u16 prompt, u16 scrollMark, const std::string& defaultKey, f32 defaultAlpha,
                           f32 defaultSize, f32 defaultSpeed)
{
    m_console.reset();
    const Console::Look look{fontIndex, caret, prompt, scrollMark};
    const Console::Defaults defaults{defaultKey, defaultAlpha, defaultSize, defaultSpeed};
    m_console = std::make_unique<Console>(m_messageManager.get(), m_timerManager.get(), m_config.get(),
                                          m_controls.get(), m_shaderManager.get(), m_guiManager.get(), versionText,
                                          background, look, defaults);
}

void Engine::Frame(u32 sleepMs)
{
    m_renderSystem->Refresh();
    m_cameraManager->Update();
    m_particleSystemManager->Update();
    m_spriteGroupManager->Update();
    m_guiManager->Render();
    m_lightManager->Update();
    m_shaderManager->Update();
    m_modelManager->Render();
    if (m_soundSystem)
        m_soundSystem->Refresh();
    if (m_soundManager)
        m_soundManager->Update(SoundManager::ProcessQueue);
    if (sleepMs != 0)
        Sleep(sleepMs);
    const bool screenshot = m_controls->IsPressed("PRINTSCRN");
    if (screenshot)
        m_renderSystem->KeepFrameForScreenshot();
    m_modelManager->SwapBuffers();
    if (screenshot)
        m_config->SetCommandIdle("sc_take_screenshot", 0);
    m_controls->ClearPressed();
    m_config->ClearChangedFlags();
    if (IsExitRequested())
        m_messageManager->Message("\nExiting...\n");
}

RenderSystem* Engine::GetRenderSystem() const { return m_renderSystem.get(); }

Controls* Engine::GetControls() const { return m_controls.get(); }

SoundSystem* Engine::GetSoundSystem() const { return m_soundSystem.get(); }

bool Engine::IsExitRequested() const { return !m_config->IsCommandIdle("exit"); }

void Engine::RequestExit() { m_config->SetCommandIdle("exit", 0); }

std::string Engine::GetVersionString() const
{
    const u32 version = m_parameters->version;
    return m_parameters->applicationName + " " + UIntToString(version / 100, 0) + "." + UIntToString(version % 100, 2);
}
}
