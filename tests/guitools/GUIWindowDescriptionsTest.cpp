// Every window description of the data set, built and shown as the game would: a description the program
// would die on, or a fader it names but does not define, fails here instead. Fonts and resources are the
// test bed's, so only the descriptions themselves are checked.
#include "engine/core/Error.h"
#include "engine/files/XMLNode.h"
#include "guitools/GUIWindowBase.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
using TestSupport::ReadWhole;

TEST(GUIWindowDescriptionsTest, EveryDescribedWindowOfTheDataSetBuildsShowsAndHides)
{
    const std::filesystem::path folder = std::filesystem::path(KORVANE_DATA_SOURCE) / "ui" / "windows";
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP() << "the data set has no window descriptions yet";
    TestSupport::WindowDescriptionBed bed;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        if (entry.path().extension() == ".xml")
            bed.WriteDescription(entry.path().filename().string(), ReadWhole(entry.path()));
    }
    std::vector<GameTools::XMLNode*> tops;
    bed.Tools().GetWindowsRoot()->GetChildren(tops);
    int windows = 0;
    for (GameTools::XMLNode* top : tops)
    {
        // Templates and faders are built only as parts of the windows that use them.
        GameTools::XMLValue* name = top->GetAttributeValue("name");
        if (top->GetName() != "window" || name == nullptr || name->GetString().rfind("window_", 0) != 0)
            continue;
        SCOPED_TRACE(name->GetString());
        try
        {
            auto window = bed.Build(name->GetString());
            window->Show(true);
            bed.RunFrames(*window, 120);
            EXPECT_TRUE(window->IsShown());
            window->Show(false);
            bed.RunFrames(*window, 600);
            EXPECT_FALSE(window->IsShown());
        }
        catch (const VelkorEngine::Error& error)
        {
            ADD_FAILURE() << error.GetMessage();
        }
        ++windows;
    }
    EXPECT_GT(windows, 0);
}
}
