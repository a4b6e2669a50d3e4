// Menu windows take turns through the manager's token: one window on screen at
// a time, the hidden window handing over in the frame its hide animation ends,
// the in-game window's hold, the window sounds and the optional publisher
// logos.
#include "game/app/GUIMenuWindow.h"

#include "engine/gui/GUIWindow.h"
#include "framework/GameSoundPlayer.h"
#include "game/app/GUIMenuWindowManager.h"
#include "game/app/GameData.h"
#include "game/app/SoundTable.h"
#include "guitools/GUIWindowControl.h"
#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestSignals.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using Korvane::GUIMenuWindow;
using Korvane::SoundTable;

namespace
{
// A hide of half a second: 30 frames of the bed.
// A title comes in a moment after its window.
constexpr const char* Faders = "<fader name=\"slide\" show_speed=\"100\" hide_speed=\"2\"/>"
                               "<fader name=\"title\" type=\"timed\" show_speed=\"3\" hide_speed=\"5\" "
                               "show_offset=\"0.1\"/>";
constexpr int HideFrames = 30;

std::string PanelWindow(const std::string& name)
{
    return "<window name=\"" + name +
           "\" fader=\"slide\"><window name=\"window\" shader=\"panel\" "
           "fader=\"slide\"><text_label name=\"text\"/>"
           "</window><button name=\"back\"/></window>";
}

class GUIMenuWindowTest : public testing::Test
{
protected:
    GUIMenuWindowTest()
    {
        bed.WriteFaders(Faders);
        for (const char* name : {"a", "b", "c"})
            bed.WriteDescription(std::string(name) + ".xml", PanelWindow(name));
        bed.WriteDescription("untitled.xml", "<window name=\"untitled\" fader=\"slide\"><text_label name=\"title\" "
                                             "font=\"titlf\" text=\"'menu'\" printing_mode=\"1\" fader=\"title\"/>"
                                             "</window>");
        bed.WriteDescription("bare.xml", "<window name=\"bare\"><button name=\"back\"/></window>");
        // A button that comes in after its window, as the menus' buttons do.
        bed.WriteDescription("late.xml", "<window name=\"late\" fader=\"slide\"><button name=\"back\" "
                                         "fader=\"title\"/></window>");
        bed.WriteDescription("logos.xml", "<window name=\"logos\"><window name=\"logo_additional_0\"/>"
                                          "<window name=\"logo_additional_1\"/><button name=\"back\"/></window>");
        const TestSupport::SoundWavFormat format;
        bed.gui.engine.folder.WriteFile(
            "Data/effect.wav",
            TestSupport::MakeSoundWav(format, TestSupport::MakeSoundTone(441, 2, 440.0, 22050, 8000.0)));
        Engine* engine = &bed.gui.engine.GetEngine();
        data = std::make_unique<Korvane::GameData>(engine, "en");
        manager = std::make_unique<Korvane::GUIMenuWindowManager>(data.get());
        player = std::make_unique<GameFramework::GameSoundPlayer>(engine, 0.5f, 0.5f);
        player->AddSound(SoundTable::WindowAppear, "effect.wav", 0, 1);
        player->AddSound(SoundTable::WindowDisappear, "effect.wav", 0, 1);
        // Past the sound player's guard against starts at time 0.
        RunFrames(3);
    }

    std::unique_ptr<GUIMenuWindow> Make(const std::string& name)
    {
        return std::make_unique<GUIMenuWindow>(&bed.gui.engine.GetEngine(), player.get(), data.get(), &bed.Tools(),
                                               manager.get(), name, nullptr);
    }

    void RunFrames(int frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            bed.gui.RunFrame();
            manager->PreUpdate();
            manager->Update();
        }
    }

    f32 LastStart(u32 effect) const
    {
        for (const auto& instance : player->GetEffectInstances())
            if (instance->effectId == effect)
                return instance->lastStartTime;
        return -1.0f;
    }

    // The log's lines that say the window took input.
    std::size_t InputLines(const std::string& name) const
    {
        const std::string text = bed.gui.engine.LogText();
        const std::string line = "Window " + name + " takes input";
        std::size_t count = 0;
        for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + line.size()))
            ++count;
        return count;
    }

    static bool OnScreen(const GUIMenuWindow& window)
    {
        return (window.GetWindow()->GetStateBits() & GUIWindow::StateVisible) != 0;
    }

    TestSupport::WindowDescriptionBed bed;
    std::unique_ptr<Korvane::GameData> data;
    std::unique_ptr<Korvane::GUIMenuWindowManager> manager;
    std::unique_ptr<GameFramework::GameSoundPlayer> player;
};
} // namespace

TEST_F(GUIMenuWindowTest, AShownWindowTakesTheTokenAndPlaysTheAppearSoundOnce)
{
    auto a = Make("a");
    a->Show(true);
    EXPECT_TRUE(a->IsShowPending());
    EXPECT_FALSE(a->IsShown());
    RunFrames(1);
    EXPECT_TRUE(a->IsShown());
    EXPECT_EQ(manager->GetTokenHolder(), a.get());
    const f32 appeared = LastStart(SoundTable::WindowAppear);
    EXPECT_GT(appeared, 0.0f);
    RunFrames(5);
    EXPECT_EQ(LastStart(SoundTable::WindowAppear), appeared);
    EXPECT_LT(LastStart(SoundTable::WindowDisappear), 0.02f);
}

TEST_F(GUIMenuWindowTest, TheNextWindowWaitsForTheHideAndTakesTheTokenInTheFrameItIsReleased)
{
    auto a = Make("a");
    auto b = Make("b");
    a->Show(true);
    RunFrames(2);
    const f32 aAppeared = LastStart(SoundTable::WindowAppear);
    a->Show(false);
    b->Show(true);
    int frames = 0;
    while (manager->GetTokenHolder() == a.get() && frames < 2 * HideFrames)
    {
        EXPECT_TRUE(OnScreen(*a));
        EXPECT_FALSE(b->IsShown());
        EXPECT_EQ(LastStart(SoundTable::WindowAppear), aAppeared);
        RunFrames(1);
        ++frames;
    }
    EXPECT_GE(frames, HideFrames - 2);
    EXPECT_LT(frames, 2 * HideFrames);
    // In the frame A went off screen, B came on.
    EXPECT_FALSE(OnScreen(*a));
    EXPECT_EQ(manager->GetTokenHolder(), b.get());
    EXPECT_TRUE(b->IsShown());
    RunFrames(1);
    const f32 disappeared = LastStart(SoundTable::WindowDisappear);
    EXPECT_GT(disappeared, 0.1f);
    EXPECT_GE(LastStart(SoundTable::WindowAppear), disappeared);
}

TEST_F(GUIMenuWindowTest, AWindowShownAgainWhileItDisappearsComesBackAtOnce)
{
    auto a = Make("a");
    a->Show(true);
    RunFrames(2);
    a->Show(false);
    RunFrames(5);
    ASSERT_EQ(manager->GetTokenHolder(), a.get());
    a->Show(true);
    RunFrames(1);
    EXPECT_TRUE(a->IsShown());
    EXPECT_FALSE(a->IsShowPending());
    EXPECT_EQ(manager->GetTokenHolder(), a.get());
}

TEST_F(GUIMenuWindowTest, AWindowHiddenBeforeItGotTheTokenLeavesNoPendingShow)
{
    auto a = Make("a");
    auto b = Make("b");
    auto c = Make("c");
    a->Show(true);
    RunFrames(2);
    b->Show(true);
    b->Show(false);
    EXPECT_FALSE(b->IsShowPending());
    a->Show(false);
    RunFrames(HideFrames + 5);
    EXPECT_TRUE(manager->IsTokenFree());
    EXPECT_FALSE(OnScreen(*b));
    // The token is not stuck: the next window still comes on screen.
    c->Show(true);
    RunFrames(1);
    EXPECT_TRUE(c->IsShown());
    EXPECT_EQ(manager->GetTokenHolder(), c.get());
}

TEST_F(GUIMenuWindowTest, AWindowOnScreenShownAgainAndHiddenBeforeTheNextFrameStillGoes)
{
    auto a = Make("a");
    a->Show(true);
    RunFrames(2);
    a->Show(true);
    a->Show(false);
    RunFrames(HideFrames + 5);
    EXPECT_FALSE(OnScreen(*a));
    EXPECT_TRUE(manager->IsTokenFree());
}

TEST_F(GUIMenuWindowTest, AWindowShownAgainWhileItDisappearsAndHiddenAgainKeepsFadingOut)
{
    auto a = Make("a");
    a->Show(true);
    RunFrames(2);
    a->Show(false);
    RunFrames(HideFrames / 2);
    const f32 fade = a->GetWindowControl("a/window")->GetFadeValue();
    a->Show(true);
    a->Show(false);
    RunFrames(1);
    EXPECT_LT(a->GetWindowControl("a/window")->GetFadeValue(), fade) << "the hide goes on, it does not start over";
    RunFrames(HideFrames);
    EXPECT_FALSE(OnScreen(*a));
    EXPECT_TRUE(manager->IsTokenFree());
}

TEST_F(GUIMenuWindowTest, TheInGameHoldLetsHiddenWindowsLeaveButNoneAppear)
{
    auto a = Make("a");
    auto b = Make("b");
    a->Show(true);
    RunFrames(2);
    manager->ReleaseToken();
    manager->TakeToken(nullptr);
    a->Show(false);
    b->Show(true);
    RunFrames(HideFrames + 5);
    EXPECT_FALSE(OnScreen(*a));
    EXPECT_FALSE(manager->IsTokenFree());
    EXPECT_EQ(manager->GetTokenHolder(), nullptr);
    EXPECT_FALSE(b->IsShown());
    EXPECT_TRUE(b->IsShowPending());

    manager->ReleaseToken();
    RunFrames(1);
    EXPECT_TRUE(b->IsShown());
    EXPECT_EQ(manager->GetTokenHolder(), b.get());
}

// A title in a font the font list does not hold can never print nor take itself back: the window's hide must
// not wait on it.
TEST_F(GUIMenuWindowTest, AWindowWhoseTitleCannotPrintStillHandsOverTheToken)
{
    auto untitled = Make("untitled");
    auto b = Make("b");
    RunFrames(3);
    untitled->Show(true);
    RunFrames(5);
    ASSERT_EQ(manager->GetTokenHolder(), untitled.get());
    untitled->Show(false);
    b->Show(true);
    RunFrames(2 * HideFrames);
    EXPECT_FALSE(OnScreen(*untitled));
    EXPECT_EQ(manager->GetTokenHolder(), b.get());
}

TEST_F(GUIMenuWindowTest, ATakenTokenIsNotTakenAgain)
{
    auto a = Make("a");
    manager->TakeToken(a.get());
    manager->TakeToken(nullptr);
    EXPECT_EQ(manager->GetTokenHolder(), a.get());
    manager->ReleaseToken();
    EXPECT_TRUE(manager->IsTokenFree());
    EXPECT_EQ(manager->GetTokenHolder(), nullptr);
}

TEST_F(GUIMenuWindowTest, AWindowWithoutAPanelPlaysNoWindowSound)
{
    auto bare = Make("bare");
    bare->Show(true);
    RunFrames(3);
    EXPECT_TRUE(bare->IsShown());
    bare->Show(false);
    RunFrames(3);
    EXPECT_FALSE(OnScreen(*bare));
    EXPECT_TRUE(manager->IsTokenFree());
    EXPECT_LT(LastStart(SoundTable::WindowAppear), 0.02f);
    EXPECT_LT(LastStart(SoundTable::WindowDisappear), 0.02f);
}

TEST_F(GUIMenuWindowTest, LogoControlsAreDisabledWithoutTheSmallLogoFiles)
{
    EXPECT_EQ(data->GetSmallLogo(0), nullptr);
    EXPECT_EQ(data->GetSmallLogo(1), nullptr);
    auto logos = Make("logos");
    logos->Show(true);
    RunFrames(2);
    EXPECT_TRUE(logos->IsShown());
    EXPECT_TRUE(logos->GetButton("logos/back")->IsVisible());
    EXPECT_FALSE(logos->GetWindowControl("logos/logo_additional_0")->GetWidget()->IsVisible());
    EXPECT_FALSE(logos->GetWindowControl("logos/logo_additional_1")->GetWidget()->IsVisible());
}

// The title fader brings the button in 0.1 s after its window and takes a third of a second to fade it in.
TEST_F(GUIMenuWindowTest, EachEntranceTellsTheLogOnceWhenItHasEnded)
{
    auto late = Make("late");
    late->Show(true);
    RunFrames(20);
    EXPECT_TRUE(late->GetButton("late/back")->IsVisible());
    EXPECT_EQ(InputLines("late"), 0u) << "the button is still fading in";
    RunFrames(10);
    EXPECT_EQ(InputLines("late"), 1u);
    RunFrames(30);
    EXPECT_EQ(InputLines("late"), 1u);

    late->Show(false);
    RunFrames(HideFrames + 5);
    ASSERT_TRUE(manager->IsTokenFree());
    late->Show(true);
    RunFrames(40);
    EXPECT_EQ(InputLines("late"), 2u) << "a new entrance, a new line";
}

TEST_F(GUIMenuWindowTest, AWindowHiddenDuringItsEntranceNeverSaysItTakesInput)
{
    auto late = Make("late");
    late->Show(true);
    RunFrames(10);
    late->Show(false);
    RunFrames(HideFrames + 30);
    EXPECT_FALSE(OnScreen(*late));
    EXPECT_EQ(InputLines("late"), 0u);
}
