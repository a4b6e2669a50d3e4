// Starts the engine, runs frames until "exit" is requested or the frame limit is reached, and leaves its log.
// Window messages are taken one at a time and a frame runs when none is waiting, as the game's loop does.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/input/KeyNames.h"
#include "engine/sound/Sound.h"
#include "platform/win32/WindowApi.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
struct Options
{
    unsigned frames = 0; // 0: until exit is requested
    std::string logFolder = "Logs";
    // Logs the controls pressed and the window's mode request in each frame, for the input check.
    bool logInput = false;
    unsigned frameSleep = 0;
    // An effect played once and music played in a loop from the start, to hear (or record) the sound output.
    std::string sound;
    std::string music;
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--frames") == 0)
            options.frames = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (std::strcmp(argv[i], "--log-dir") == 0)
            options.logFolder = argv[i + 1];
        else if (std::strcmp(argv[i], "--log-input") == 0)
            options.logInput = std::strcmp(argv[i + 1], "0") != 0;
        else if (std::strcmp(argv[i], "--frame-sleep") == 0)
            options.frameSleep = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (std::strcmp(argv[i], "--sound") == 0)
            options.sound = argv[i + 1];
        else if (std::strcmp(argv[i], "--music") == 0)
            options.music = argv[i + 1];
    }
    return options;
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

// Queued as the game queues its sounds; the engine's next frame starts them. Silent without a sound device.
void StartSounds(VelkorEngine::Engine& engine, const Options& options)
{
    VelkorEngine::SoundManager* sounds = engine.GetSoundManager();
    if (!sounds)
        return;
    if (!options.sound.empty())
        sounds->Play(sounds->CreateSound(options.sound), 0);
    if (!options.music.empty())
    {
        VelkorEngine::Sound* music = sounds->CreateSound(options.music);
        music->SetLooping(1);
        sounds->Play(music, 0);
    }
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
}

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    VelkorEngine::EngineParameters parameters;
    parameters.applicationName = "Velkor Engine Smoke";
    parameters.version = 100;
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
    try
    {
        VelkorEngine::Engine engine(parameters);
        StartSounds(engine, options);
        if (options.logInput)
            engine.GetMessageManager()->Message("Frames running");
        for (unsigned frame = 0; !engine.IsExitRequested();)
        {
            if (DispatchOneMessage())
                continue;
            if (options.frames != 0 && frame >= options.frames)
                engine.RequestExit();
            engine.Render();
            if (options.logInput)
                LogInput(engine);
            engine.Frame(options.frameSleep);
            ++frame;
        }
    }
    catch (const VelkorEngine::Error& error)
    {
        std::fprintf(stderr, "Fatal Error: %s\n", error.GetMessage().c_str());
        return 1;
    }
    return 0;
}
