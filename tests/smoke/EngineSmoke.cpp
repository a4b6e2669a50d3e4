// Starts the engine on an installation folder holding the smoke data (loose or packed), shows the smoke scene
// with a GUI button over it (each click is logged) and a line of Latin and Cyrillic text, opens the console on
// its key ("~"), and runs frames until "exit" is requested: by closing the window, by typing "exit" into the
// console, or by the program itself after a given number of frames. Window messages are taken one at a time and a frame runs when none is waiting, as the
// game's loop does. The log and the settings file go to the log folder.
//   engine_smoke [--data <installation folder>] [--log-dir <folder>] [--frames <n>] [--frame-sleep <ms>]
//                [--log-input 1]
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/input/KeyNames.h"
#include "platform/win32/WindowApi.h"
#include "engine/gui/GUIFont.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/EngineSmokeData.h"
#include "tests/support/EngineSmokeScene.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

namespace
{
struct Options
{
    // Absolute: the engine resolves a relative installation folder against the program's own folder.
    std::string installation = std::filesystem::current_path().string();
    // Inside the installation folder unless the command line names one, which is taken from the current folder
    // as any command's file names are (the engine would resolve it against the installation folder).
    std::string logFolder = "Logs";
    unsigned frames = 0; // 0: until exit is requested
    unsigned frameSleep = 0;
    // Logs the controls pressed and the window's mode request in each frame, for the input check.
    bool logInput = false;
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--data") == 0)
            options.installation = std::filesystem::absolute(argv[i + 1]).string();
        else if (std::strcmp(argv[i], "--log-dir") == 0)
            options.logFolder = std::filesystem::absolute(argv[i + 1]).string();
        else if (std::strcmp(argv[i], "--frames") == 0)
            options.frames = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (std::strcmp(argv[i], "--frame-sleep") == 0)
            options.frameSleep = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (std::strcmp(argv[i], "--log-input") == 0)
            options.logInput = std::strcmp(argv[i + 1], "0") != 0;
    }
    return options;
}

VelkorEngine::EngineParameters SmokeParameters(const Options& options)
{
    VelkorEngine::EngineParameters parameters;
    parameters.applicationName = "Velkor Engine Smoke";
    parameters.version = 100;
    parameters.basePath = options.installation;
    parameters.saveSettingsOnExit = 1;
    parameters.settingsName = "smoke";
    parameters.writeLog = 1;
    parameters.logDirectory = options.logFolder;
    parameters.logName = "smoke";
    parameters.settingsDirectory = options.logFolder;
    parameters.dataFolder = "Data";
    parameters.minimizeOnFocusLoss = 0;
    parameters.defaultVideoMode = "800x600x32";
    parameters.defaultFullScreen = 0;
    parameters.centreWindow = 1;
    return parameters;
}

// Stands in for the game's handler of the mode request, which it acknowledges.
void LogInput(VelkorEngine::Engine& engine)
{
    VelkorEngine::MessageManager& log = *engine.GetMessageManager();
    for (const VelkorEngine::KeyName& key : VelkorEngine::kKeyNames)
        if (engine.GetControls()->IsPressed(key.name))
            log.Message(std::string("Pressed: ") + key.name);
    VelkorEngine::Config& config = *engine.GetConfig();
    if (!config.IsCommandIdle("v_window_change_mode"))
    {
        log.Message("Requested: v_window_change_mode");
        config.SetCommandIdle("v_window_change_mode", 1);
    }
}

// A button in the lower left corner of the 800 x 600 virtual screen; its colour shows its state.
VelkorEngine::GUIButton* CreateSmokeButton(VelkorEngine::Engine& engine)
{
    VelkorEngine::GUIManager& gui = *engine.GetGUIManager();
    gui.SetSize(800.0f, 600.0f);
    return gui.CreateButton(VelkorEngine::GUIWindow::StateVisible | VelkorEngine::GUIWindow::StateColored,
                            VelkorEngine::Vector2(20.0f, 20.0f), VelkorEngine::Vector2(160.0f, 48.0f), nullptr, nullptr,
                            VelkorEngine::Vector2(1.0f, 1.0f));
}

void UpdateSmokeButton(VelkorEngine::Engine& engine, VelkorEngine::GUIButton& button)
{
    static const VelkorEngine::Color kLooks[] = {{0.2f, 0.4f, 0.8f, 0.8f},
                                                 {0.3f, 0.6f, 1.0f, 0.9f},
                                                 {0.1f, 0.2f, 0.5f, 1.0f},
                                                 {0.4f, 0.4f, 0.4f, 0.6f}};
    button.SetColor(kLooks[button.GetState() % 4]);
    if (button.IsClicked())
        engine.GetMessageManager()->Message("GUI button clicked");
}

constexpr VelkorEngine::u32 kTitleFont = 0;
constexpr VelkorEngine::u32 kConsoleFont = 1;
// The face's blank, in font sizes: the glyph file holds no blank of its own.
constexpr VelkorEngine::f32 kSpace = 0.27f;

// Two sizes of one glyph file: a title line and the console's text.
void CreateSmokeFonts(VelkorEngine::Engine& engine)
{
    VelkorEngine::GUIFontManager& fonts = *engine.GetGUIManager()->GetFontManager();
    const VelkorEngine::ShaderDescriptor glyphs = VelkorEngine::BuildTextureShaderDescriptor(
        1, 1, TestSupport::EngineSmokeFiles::FontAtlas, "32bit", false);
    for (const auto& [id, size] : {std::pair(kTitleFont, 32.0f), std::pair(kConsoleFont, 16.0f)})
    {
        VelkorEngine::GUIFont* font = fonts.CreateFont(id, &glyphs, TestSupport::EngineSmokeFiles::FontGlyphs);
        font->SetSize(size);
        font->SetSpace(kSpace);
    }
    engine.CreateConsole(engine.GetVersionString(),
                         VelkorEngine::BuildTextureShaderDescriptor(
                             1, 1, TestSupport::EngineSmokeFiles::ConsoleBackground, "32bit", false),
                         static_cast<VelkorEngine::i32>(kConsoleFont), '_', ']', '^', "~", 0.95f, 308.0f, 1000.0f);
}

// A strip along the top of the screen with no picture of its own; its text is queued every frame.
VelkorEngine::GUIWindow* CreateTitleStrip(VelkorEngine::Engine& engine)
{
    return engine.GetGUIManager()->CreateWindow(VelkorEngine::GUIWindow::StateVisible,
                                                VelkorEngine::Vector2(0.0f, 540.0f),
                                                VelkorEngine::Vector2(800.0f, 60.0f), nullptr, nullptr);
}

void ShowTitle(VelkorEngine::GUIWindow& strip)
{
    strip.AddText(1 | 2, static_cast<VelkorEngine::i32>(kTitleFont), VelkorEngine::Vector2(0.0f, 0.0f),
                  VelkorEngine::Color(1.0f, 0.9f, 0.6f, 1.0f), L"Velkor Engine Smoke - Привет, мир!", 0.0f, -1.0f);
}

// The console's slide, told once per change in the log.
void LogConsoleState(VelkorEngine::Engine& engine, VelkorEngine::u32& lastState)
{
    const VelkorEngine::u32 state = engine.GetConsole()->GetState();
    if (state == lastState)
        return;
    if (state == VelkorEngine::Console::StateOpen)
        engine.GetMessageManager()->Message("Console opened");
    else if (state == VelkorEngine::Console::StateClosed)
        engine.GetMessageManager()->Message("Console closed");
    lastState = state;
}

bool DispatchOneMessage()
{
    MSG message;
    if (!PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    TranslateMessage(&message);
    DispatchMessage(&message);
    return true;
}

void Run(VelkorEngine::Engine& engine, const Options& options)
{
    TestSupport::EngineSmokeScene scene(engine);
    VelkorEngine::GUIButton* button = CreateSmokeButton(engine);
    CreateSmokeFonts(engine);
    VelkorEngine::GUIWindow* title = CreateTitleStrip(engine);
    VelkorEngine::u32 consoleState = VelkorEngine::Console::StateClosed;
    if (options.logInput)
        engine.GetMessageManager()->Message("Frames running");
    for (unsigned frame = 0; !engine.IsExitRequested();)
    {
        if (DispatchOneMessage())
            continue;
        if (options.frames != 0 && frame >= options.frames)
            engine.GetConfig()->Execute("exit");
        engine.Render();
        if (options.logInput)
        {
            LogInput(engine);
            LogConsoleState(engine, consoleState);
        }
        scene.Update();
        if (title != nullptr)
            ShowTitle(*title);
        if (button != nullptr)
            UpdateSmokeButton(engine, *button);
        engine.Frame(options.frameSleep);
        ++frame;
    }
}
}

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    try
    {
        VelkorEngine::Engine engine(SmokeParameters(options));
        Run(engine, options);
    }
    catch (const VelkorEngine::Error& error)
    {
        std::fprintf(stderr, "Fatal Error: %s\n", error.GetMessage().c_str());
        return 1;
    }
    return 0;
}
