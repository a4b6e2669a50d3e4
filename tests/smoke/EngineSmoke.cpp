// Starts the engine, runs frames until "exit" is requested or the frame limit is reached, and leaves its log.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"

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
    }
    return options;
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
        for (unsigned frame = 0; !engine.IsExitRequested(); ++frame)
        {
            if (options.frames != 0 && frame >= options.frames)
                engine.RequestExit();
            engine.Render();
            engine.Frame(0);
        }
    }
    catch (const VelkorEngine::Error& error)
    {
        std::fprintf(stderr, "Fatal Error: %s\n", error.GetMessage().c_str());
        return 1;
    }
    return 0;
}
