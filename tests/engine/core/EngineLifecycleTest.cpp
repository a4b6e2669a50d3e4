// The engine's services come up in a fixed order and go in the reverse one, as the log shows; a service that
// fails to start takes down the ones made before it; without a sound device the engine runs silent.
#include "tests/support/EngineTestBed.h"

#include "engine/core/Error.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>

using namespace VelkorEngine;
using TestSupport::EngineTestBed;

namespace
{
// Each text appears in the log after the one before it.
::testing::AssertionResult InOrder(const std::string& log, const std::vector<std::string>& texts)
{
    size_t from = 0;
    for (const std::string& text : texts)
    {
        const size_t at = log.find(text, from);
        if (at == std::string::npos)
            return ::testing::AssertionFailure() << "\"" << text << "\" is missing or out of order in:\n" << log;
        from = at + text.size();
    }
    return ::testing::AssertionSuccess();
}

// The section titles the services log as they start and stop, in the engine's order.
std::vector<std::string> ServiceOrder(const std::string& title)
{
    return {title + " Log: ",
            "Initialization of File Manager",
            "Window creation:",
            "Initialization of Direct3D subsystem",
            "Initialization of DirectInput devices",
            "Initialization of DirectSound Subsystem:",
            "DirectSound system destroying:",
            "DirectInput devices destroying:",
            "Direct3D Subsystem destroying:",
            "Window destroying:",
            title + " Log end: "};
}

bool Contains(const std::string& log, const std::string& text) { return log.find(text) != std::string::npos; }
}

TEST(EngineLifecycle, ServicesStartInOrderAndStopInReverse)
{
    EngineTestBed bed;
    bed.Start();
    bed.RunFrame();
    bed.Stop();
    EXPECT_TRUE(InOrder(bed.LogText(), ServiceOrder("Engine Test")));
    EXPECT_EQ(bed.display.liveObjects, 0);
}

TEST(EngineLifecycle, ServicesStartInOrderAndStopInReverseOnTheRealDrivers)
{
    TestSupport::TempFolder folder;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EngineParameters parameters;
    parameters.applicationName = "Real Drivers";
    parameters.version = 100;
    parameters.writeLog = 1;
    parameters.logDirectory = folder.Path();
    parameters.logName = "engine";
    parameters.defaultVideoMode = "640x480x32";
    {
        Engine engine(parameters);
        ASSERT_NE(engine.GetSoundSystem(), nullptr) << "the dummy audio driver opens";
        engine.Render();
        engine.Frame(0);
    }
    const std::string log = std::regex_replace(folder.ReadFile("engine.html"), std::regex("<[^>]*>"), "");
    EXPECT_TRUE(InOrder(log, ServiceOrder("Real Drivers")));
}

TEST(EngineLifecycle, SettingsAreSavedBeforeAnyServiceGoes)
{
    EngineTestBed bed;
    // A file where the settings folder should be: the save fails and says so in the log.
    bed.folder.WriteFile("blocked", "");
    bed.parameters.settingsDirectory = bed.folder / "blocked";
    bed.parameters.saveSettingsOnExit = 1;
    bed.Start();
    bed.Stop();
    const std::string log = bed.LogText();
    const size_t saveError = log.find("Error: ");
    ASSERT_NE(saveError, std::string::npos) << log;
    EXPECT_LT(saveError, log.find("DirectSound system destroying:"));
}

TEST(EngineLifecycle, SettingsAreSavedOnlyWhenAsked)
{
    for (const u8 save : {0, 1})
    {
        EngineTestBed bed;
        bed.parameters.saveSettingsOnExit = save;
        bed.Start();
        bed.Stop();
        EXPECT_EQ(std::filesystem::exists(bed.folder / "engine.ini"), save == 1);
    }
}

TEST(EngineLifecycle, AFailingServiceTakesDownTheServicesMadeBeforeIt)
{
    const struct
    {
        const char* service;
        std::function<void(EngineTestBed&)> breakIt;
        const char* fatal;
        std::vector<std::string> teardown;
    } cases[] = {
        {"window", [](EngineTestBed& bed) { bed.windows.createResult = false; }, "Failed to create window", {}},
        {"render system", [](EngineTestBed& bed) { bed.display.Fail("CreateDevice", DDERR_GENERIC); },
         "Failed to create Direct3D device", {"Window destroying:"}},
        {"controls", [](EngineTestBed& bed) { bed.input.keyboardResult = DIERR_DEVICENOTREG; },
         "Failed to obtain an interface to the system keyboard device",
         {"Direct3D Subsystem destroying:", "Window destroying:"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.service);
        EngineTestBed bed;
        bed.parameters.saveSettingsOnExit = 1;
        c.breakIt(bed);
        EXPECT_THROW(bed.Start(), FatalError);
        std::vector<std::string> expected = {std::string("PROGRAM ABORTING: ")};
        expected.insert(expected.end(), c.teardown.begin(), c.teardown.end());
        expected.push_back("Engine Test Log end: ");
        const std::string log = bed.LogText();
        EXPECT_TRUE(InOrder(log, expected));
        EXPECT_TRUE(Contains(log, c.fatal)) << log;
        EXPECT_EQ(bed.display.liveObjects, 0);
        for (const auto& window : bed.windows.windows)
            EXPECT_TRUE(window.second.destroyed);
        EXPECT_EQ(bed.input.releaseCalls, bed.input.createResult == DI_OK && bed.input.keyboardResult != DI_OK ? 1 : 0);
        EXPECT_TRUE(bed.sound.Calls().empty()) << "nothing after the failing service was made";
        EXPECT_FALSE(std::filesystem::exists(bed.folder / "engine.ini")) << "a failed start keeps the settings file";
    }
}

TEST(EngineLifecycle, WithoutASoundDeviceTheEngineRunsSilentAfterOneLogLine)
{
    EngineTestBed bed;
    bed.sound.Script().create = DSERR_NODRIVER;
    Engine& engine = bed.Start();
    EXPECT_EQ(engine.GetSoundSystem(), nullptr);
    EXPECT_EQ(engine.GetSoundManager(), nullptr);
    const std::vector<std::string> errors = bed.Records(MessageManager::KindError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(Contains(errors[0], "Failed to create a device"));
    bed.sound.ClearCalls();
    bed.RunFrame();
    bed.RunFrame();
    EXPECT_TRUE(bed.sound.Calls().empty());
    EXPECT_TRUE(bed.Records(MessageManager::KindError).empty());
}
