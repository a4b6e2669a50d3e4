// The start-up record the framework fills and hands to the engine, which keeps its own copy.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
struct EngineParameters
{
    std::string applicationName;
    u32 version = 0;
    std::string basePath;
    u8 saveSettingsOnExit = 0;
    std::string settingsName;
    u8 writeLog = 0;
    u8 reopenLogPerEntry = 0;
    std::string logDirectory;
    std::string logName;
    std::string settingsDirectory;
    std::string dataFolder;
    u32 parentWindow = 0;
    u32 iconId = 0;
    u8 minimizeOnFocusLoss = 0;
    u8 forceVideoMode = 0;
    std::string defaultVideoMode;
    u8 forceFullScreen = 0;
    u8 defaultFullScreen = 0;
    u8 allowOversizedWindow = 0;
    u8 useStencilBuffer = 0;
    u8 centreWindow = 0;
    i32 windowPosition[2] = {0, 0};
    u8 use3DSound = 0;
};
}
