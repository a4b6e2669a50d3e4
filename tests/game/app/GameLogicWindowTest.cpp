// The in-game window over a generated level in play, built from the shipped description: its counters, the
// keys and buttons and which result wins in one frame, the click handed to the game logic as it was made, the window's
// input switch, the full-screen box, the statistics overlay and the hold on the menu token while it goes.
#include "game/app/GUIGameLogicWindow.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/ModelManager.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "game/app/GUIMenuWindowManager.h"
#include "game/app/GameData.h"
#include "game/play/Bat.h"
#include "game/play/GameLogic.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIToolManager.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/game/app/ScreenPoints.h"
#include "tests/support/GeneratedLevelBed.h"
#include "tests/support/RecordingSoundPlayer.h"

#include <gtest/gtest.h>

using namespace GameFramework;
using namespace Korvane;
using VelkorEngine::u32;
using VelkorEngine::Vector2;

namespace
{
using GameAppTest::kField;

constexpr DWORD kDown = 0x80;
constexpr DWORD kUp = 0x00;
// The buttons along the top right, 36 units wide: menu, minimise, full screen, close.
const Vector2 kMenu(648.0f, 574.0f);
const Vector2 kFullScreen(732.0f, 574.0f);
const Vector2 kClose(774.0f, 574.0f);

class GameLogicWindowTest : public testing::Test
{
protected:
    GameLogicWindowTest() : play(KORVANE_DATA_ROOT)
    {
        VelkorEngine::Engine& engine = play.GetEngine();
        engine.GetGUIManager()->SetSize(800.0f, 600.0f);
        tools = std::make_unique<GUITools::GUIToolManager>(&engine, "en");
        data = std::make_unique<GameData>(&engine, "en");
        menus = std::make_unique<GUIMenuWindowManager>(data.get());
        profiles = std::make_unique<FrameworkTest::TestProfileManager>(&engine, play.sounds.get(),
                                                                       play.twins->folder / "user");
        profiles->LoadProfiles();
        profiles->SetCurrentProfile(profiles->FindOrCreateProfile(L"Ada"), 1);
        profiles->GetCurrentProfile()->score = 1000;
        logic = &play.Play(0, 2, 3);
        window = std::make_unique<GUIGameLogicWindow>(&engine, profiles.get(), data.get(), tools.get(), menus.get(),
                                                      nullptr);
        window->Show(StateId::GameLogicLoading, logic);
        Frames(30);
    }

    // The first half of a frame: the engine reads the input, then the window runs.
    void Begin()
    {
        play.twins->clock.AdvanceSeconds(TestSupport::GeneratedLevelBed::FrameTime);
        play.GetEngine().Render();
        window->Update();
    }

    // The rest: the game logic, the menu transitions and the engine's frame step.
    void End()
    {
        if (logic)
            logic->Update();
        menus->Update();
        play.GetEngine().Frame(0);
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            Begin();
            End();
        }
    }

    void Key(DWORD key) { play.twins->input.keyboard.AddRecord(key, kDown); }
    void ReleaseKey(DWORD key) { play.twins->input.keyboard.AddRecord(key, kUp); }

    void MouseAt(const Vector2& point)
    {
        POINT screen{static_cast<LONG>(point.x), static_cast<LONG>(599.0f - point.y)};
        ClientToScreen(play.GetEngine().GetWindow()->GetHandle(), &screen);
        play.twins->windows.cursor = screen;
    }

    // The result of the frame in which the keys went down; they are let go in the next frame.
    u32 ResultOfKeys(std::initializer_list<DWORD> keys)
    {
        for (DWORD key : keys)
            Key(key);
        Begin();
        const u32 result = window->GetResultCode();
        End();
        for (DWORD key : keys)
            ReleaseKey(key);
        Frames(1);
        return result;
    }

    std::wstring Text(const std::string& suffix)
    {
        return window->GetLayout().GetTextControl(std::string(GUIGameLogicWindow::WindowName) + suffix)->GetText();
    }

    TestSupport::GeneratedLevelBed play;
    std::unique_ptr<GUITools::GUIToolManager> tools;
    std::unique_ptr<GameData> data;
    std::unique_ptr<GUIMenuWindowManager> menus;
    std::unique_ptr<FrameworkTest::TestProfileManager> profiles;
    GameLogic* logic = nullptr;
    std::unique_ptr<GUIGameLogicWindow> window;
};

TEST_F(GameLogicWindowTest, CountersShowLivesLeftScoreAndTheLevel)
{
    EXPECT_EQ(Text("/life/text"), L"x 2");
    EXPECT_EQ(Text("/level/text_1"), L"1-3");
    logic->SetPoints(250);
    Frames(1);
    EXPECT_EQ(Text("/score/text_1"), L"1250");
    logic->lives = 0;
    Frames(1);
    EXPECT_EQ(Text("/life/text"), L"x 0");
}

TEST_F(GameLogicWindowTest, KeysAndButtonsGiveTheirResultsTheLaterWinning)
{
    EXPECT_EQ(ResultOfKeys({DIK_SPACE}), ResultCode::Pause);
    EXPECT_EQ(ResultOfKeys({DIK_P}), ResultCode::Pause);
    EXPECT_EQ(ResultOfKeys({DIK_ESCAPE}), ResultCode::GameLogicMenu);
    EXPECT_EQ(ResultOfKeys({DIK_SPACE, DIK_ESCAPE}), ResultCode::GameLogicMenu);
    EXPECT_EQ(ResultOfKeys({}), 0u);
    // The close button clicked in the frame SPACE goes down: the pause wins.
    MouseAt(kClose);
    play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
    Frames(1);
    play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
    Key(DIK_SPACE);
    Begin();
    EXPECT_EQ(window->GetResultCode(), ResultCode::Pause);
    End();
    ReleaseKey(DIK_SPACE);
    Frames(1);
}

TEST_F(GameLogicWindowTest, TheCloseAndMenuButtonsGiveTheirResults)
{
    for (const auto& [place, result] :
         {std::pair{kClose, ResultCode::ExitQuestion}, std::pair{kMenu, ResultCode::GameLogicMenu}})
    {
        MouseAt(place);
        play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
        Frames(1);
        play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
        Begin();
        EXPECT_EQ(window->GetResultCode(), result);
        End();
    }
}

TEST_F(GameLogicWindowTest, AClickOnTheFieldReachesTheGameLogicButNotOneOnAButton)
{
    for (const auto& [place, reaches] : {std::pair{kMenu, false}, std::pair{kClose, false}, std::pair{kField, true}})
    {
        MouseAt(place);
        Frames(1);
        play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
        Begin();
        EXPECT_EQ(logic->IsClickPending(), reaches);
        End();
        play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
        Frames(1);
    }
}

// A slow frame reads a press on the field after the pointer has left the window: the press was made inside the
// screen and reaches the game logic.
TEST_F(GameLogicWindowTest, APressOnTheFieldReadAfterThePointerLeftTheScreenStillReachesTheGameLogic)
{
    MouseAt(kField);
    Frames(1);
    play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
    MouseAt(Vector2(kField.x, -100.0f));
    Begin();
    EXPECT_LT(play.GetEngine().GetGUIManager()->GetCursorPosition().y, -1.0f);
    EXPECT_TRUE(logic->IsClickPending());
    End();
    play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
    Frames(1);
}

TEST_F(GameLogicWindowTest, AnInactiveWindowTakesNoInputButKeepsCounting)
{
    window->SetActive(false);
    EXPECT_EQ(ResultOfKeys({DIK_ESCAPE}), 0u);
    MouseAt(kField);
    play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
    Begin();
    EXPECT_FALSE(logic->IsClickPending());
    End();
    play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
    logic->SetPoints(7);
    Frames(1);
    EXPECT_EQ(Text("/score/text_1"), L"1007");
}

TEST_F(GameLogicWindowTest, TheFullScreenBoxSwitchesTheModeWhileTheBallRests)
{
    VelkorEngine::Config* config = play.GetEngine().GetConfig();
    ASSERT_FALSE(logic->IsBallInPlay());
    const u8 before = window->GetFullScreen();
    MouseAt(kFullScreen);
    play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kDown);
    Frames(1);
    play.twins->input.mouse.AddRecord(DIMOFS_BUTTON0, kUp);
    Frames(1);
    EXPECT_NE(window->GetFullScreen(), before);
    EXPECT_FALSE(config->IsCommandIdle("v_window_change_mode"));
    std::string stored;
    config->GetValueAsString(stored, "v_fullscreen");
    EXPECT_EQ(stored, before ? "0" : "1");
}

TEST_F(GameLogicWindowTest, TheStatisticsOverlayListsItsLinesWhenAskedFor)
{
    EXPECT_EQ(window->GetOverlay()->GetTextCount(), 0u);
    VelkorEngine::u8 shown = 0;
    play.GetEngine().GetConfig()->AddVariable("d_show_statistics", VelkorEngine::Config::KindBool, 0, 0, &shown,
                                                  "0", 0);
    play.GetEngine().GetConfig()->SetFromString("d_show_statistics", "1");
    // A shown model far beyond any camera's reach is culled, not drawn: the counts leave it out.
    VelkorEngine::ModelManager& models = *play.GetEngine().GetModelManager();
    VelkorEngine::Model* faraway = models.CreateBoxModel(VelkorEngine::Vector3(1e7f, 1e7f, 1e7f),
                                                         VelkorEngine::Vector3(1e7f + 1.0f, 1e7f + 1.0f, 1e7f + 1.0f),
                                                         nullptr, nullptr, 0);
    Begin();
    ASSERT_GT(models.GetVisibleModelCount(), models.GetDrawnModelCount());
    ASSERT_GT(models.GetPrimitiveCount(), models.GetPrimitivesDrawn());
    const VelkorEngine::GUIWindow& overlay = *window->GetOverlay();
    ASSERT_EQ(overlay.GetTextCount(), 7u);
    EXPECT_EQ(overlay.GetText(1).text, L"Model count: " + std::to_wstring(models.GetDrawnModelCount()));
    EXPECT_EQ(overlay.GetText(2).text, L"Triangle count: " + std::to_wstring(models.GetPrimitivesDrawn()));
    EXPECT_EQ(overlay.GetText(0).text.rfind(L"FPS: ", 0), 0u);
    EXPECT_EQ(overlay.GetText(0).offset.y, 512.0f);
    EXPECT_EQ(overlay.GetText(3).text.rfind(L"Time: ", 0), 0u);
    EXPECT_EQ(overlay.GetText(6).offset.y, 3.0f);
    EXPECT_EQ(overlay.GetText(6).size, -1.0f);
    End();
    models.DeleteModel(faraway);
    play.GetEngine().GetConfig()->RemoveVariable("d_show_statistics");
}

TEST_F(GameLogicWindowTest, WhileTheWindowGoesNoMenuWindowMayAppear)
{
    window->Hide();
    EXPECT_FALSE(menus->IsTokenFree());
    EXPECT_EQ(menus->GetTokenHolder(), nullptr);
    logic = nullptr;
    play.End();
    int frames = 0;
    while (!menus->IsTokenFree() && frames < 120)
    {
        Frames(1);
        ++frames;
    }
    EXPECT_TRUE(menus->IsTokenFree());
    EXPECT_GE(frames, 1);
}
}
