// The engine object: version strings, default name, exit requests and the log it leaves.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeWindowBackend.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;

namespace
{
EngineParameters Parameters(const std::string& name, u32 version, const std::string& logFolder)
{
    EngineParameters parameters;
    parameters.applicationName = name;
    parameters.version = version;
    parameters.writeLog = logFolder.empty() ? 0 : 1;
    parameters.logDirectory = logFolder;
    parameters.defaultVideoMode = "640x480x32";
    return parameters;
}
}

TEST(Engine, VersionStrings)
{
    const struct
    {
        const char* name;
        u32 version;
        const char* expected;
    } cases[] = {{"X", 100, "X 1.00"}, {"X", 67, "X 0.67"}, {"X", 1205, "X 12.05"}, {"", 300, "Velkor Engine 0.67"}};
    for (const auto& c : cases)
    {
        Engine engine(Parameters(c.name, c.version, ""));
        EXPECT_EQ(engine.GetVersionString(), c.expected);
    }
}

TEST(Engine, LogCarriesTheDefaultTitleAndTheExitMessage)
{
    TestSupport::TempFolder folder;
    {
        Engine engine(Parameters("", 0, folder.Path()));
        engine.Render();
        EXPECT_FALSE(engine.IsExitRequested());
        engine.RequestExit();
        EXPECT_TRUE(engine.IsExitRequested());
        engine.Frame(0);
    }
    const std::string html = folder.ReadFile("Velkor Engine.html");
    EXPECT_NE(html.find("<TITLE>Velkor Engine Log</TITLE>"), std::string::npos);
    EXPECT_NE(html.find("<BR>Exiting...<BR><BR>"), std::string::npos);
    EXPECT_NE(html.find("Velkor Engine Log end: "), std::string::npos);
}

// A service that fails while the engine is being made must not leave the ones made before it behind: the log,
// made first, is closed with its closing lines.
TEST(Engine, FailedConstructionTakesDownWhatWasAlreadyMade)
{
    TestSupport::TempFolder folder;
    {
        TestSupport::FakeWindowBackend backend;
        backend.startVideoResult = false;
        EXPECT_THROW(Engine(Parameters("Broken", 100, folder.Path())), FatalError);
    }
    const std::string html = folder.ReadFile("Broken.html");
    EXPECT_NE(html.find("PROGRAM ABORTING: Failed to register the window class"), std::string::npos);
    EXPECT_NE(html.find("Broken Log end: "), std::string::npos);
}

// The seed is the tick count, milliseconds since boot, so that two runs draw different numbers.
TEST(Engine, SeedsTheRandomNumbersWithTheTickCount)
{
    TestSupport::FakeClock clock;
    clock.SetMilliseconds(123456789u);
    std::vector<u32> drawn;
    {
        Engine engine(Parameters("Seed", 100, ""));
        for (int i = 0; i < 4; ++i)
            drawn.push_back(Random());
    }
    SeedRandom(123456789u);
    for (u32 value : drawn)
        EXPECT_EQ(value, Random());
}
