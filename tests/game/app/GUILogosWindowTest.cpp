// The publisher pictures on the fake clock: each stays opaque for 1.5 s and fades out over 1 s, the second
// after the first, a lone second picture is shown as the first, and without pictures the window ends at once.
#include "game/app/GUILogosWindow.h"

#include "engine/gui/GUIWindow.h"
#include "tests/support/GUITestBed.h"
#include "tests/support/ImageTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

using namespace VelkorEngine;
using Korvane::GUILogosWindow;

namespace
{
// The test folder takes "/" paths.
std::string OnDisk(u32 index)
{
    std::string path = "data/" + GUILogosWindow::BigLogoPath(index);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

struct LogosCase
{
    const char* label;
    bool first;
    bool second;
    int logoCount;
};

class GUILogosWindowTest : public testing::TestWithParam<LogosCase>
{
protected:
    void WriteLogo(u32 index)
    {
        ImageTest::Picture picture;
        picture.width = 16;
        picture.height = 16;
        picture.pixels.assign(16 * 16 * 3, 200);
        const std::vector<u8> jpeg = ImageTest::MakeJpeg(picture);
        gui.engine.folder.WriteFile(OnDisk(index), std::string(jpeg.begin(), jpeg.end()));
    }

    // Frames of 1/60 s until the window reports its result; -1 when it does not within ten seconds.
    int FramesUntilDone(GUILogosWindow& window)
    {
        for (int frame = 1; frame <= 600; ++frame)
        {
            gui.RunFrame();
            window.Update();
            if (window.GetResultCode() == 1)
                return frame;
        }
        return -1;
    }

    TestSupport::GUITestBed gui;
};
}

TEST_P(GUILogosWindowTest, EachPictureLastsTwoAndAHalfSeconds)
{
    if (GetParam().first)
        WriteLogo(0);
    if (GetParam().second)
        WriteLogo(1);
    GUILogosWindow window(&gui.engine.GetEngine());
    EXPECT_EQ(window.GetLogoWindow(0) != nullptr, GetParam().logoCount >= 1);
    EXPECT_EQ(window.GetLogoWindow(1) != nullptr, GetParam().logoCount == 2);
    if (window.GetLogoWindow(0) != nullptr)
    {
        EXPECT_EQ(window.GetLogoWindow(0)->GetLayer(), 101);
    }

    gui.RunFrame();
    window.Update();
    EXPECT_EQ(window.GetResultCode(), 0u) << "nothing happens before the window is shown";

    window.Show(0);
    const int frames = FramesUntilDone(window);
    const int expected = GetParam().logoCount * 150 + 1;
    if (GetParam().logoCount == 0)
    {
        EXPECT_EQ(frames, 1);
    }
    else
    {
        EXPECT_NEAR(frames, expected, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, GUILogosWindowTest,
                         testing::Values(LogosCase{"None", false, false, 0}, LogosCase{"OnlySecond", false, true, 1},
                                         LogosCase{"OnlyFirst", true, false, 1}, LogosCase{"Both", true, true, 2}),
                         [](const testing::TestParamInfo<LogosCase>& info) { return info.param.label; });

TEST(GUILogosWindowFadeTest, ThePictureIsOpaqueForOneAndAHalfSecondsThenFadesLinearly)
{
    TestSupport::GUITestBed gui;
    ImageTest::Picture picture;
    picture.width = 8;
    picture.height = 8;
    picture.pixels.assign(8 * 8 * 3, 90);
    const std::vector<u8> jpeg = ImageTest::MakeJpeg(picture);
    gui.engine.folder.WriteFile(OnDisk(0), std::string(jpeg.begin(), jpeg.end()));
    GUILogosWindow window(&gui.engine.GetEngine());
    window.Show(0);
    GUIWindow* logo = window.GetLogoWindow(0);
    ASSERT_NE(logo, nullptr);
    auto runSeconds = [&](int frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            gui.RunFrame();
            window.Update();
        }
    };
    runSeconds(60);
    EXPECT_NEAR(logo->GetColor().a, 1.0f, 0.01f);
    runSeconds(60);
    EXPECT_NEAR(logo->GetColor().a, 0.5f, 0.03f);
    EXPECT_NE(logo->GetStateBits() & GUIWindow::StateVisible, 0u);
    runSeconds(32);
    EXPECT_EQ(logo->GetStateBits() & GUIWindow::StateVisible, 0u);

    window.Hide();
    EXPECT_EQ(window.GetLogoWindow(0), nullptr) << "hiding the window destroys its pictures";
}
