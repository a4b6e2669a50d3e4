// The whole game on SDL's offscreen driver, drawn for real: the mouse moved and pressed as a player's, the
// level map, play and the level-complete window, each kept as a picture in the build folder for looking at;
// the in-game bar above the field and the in-game menu and its leave question below the bar; a falling bonus,
// and the names of caught bonuses whole on the screen and never over the level-complete window.
#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/Camera.h"
#include "engine/files/Image.h"
#include "engine/render/RenderSystem.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/CameraManager.h"
#include "game/app/GUIGameLogicMenuExitWindow.h"
#include "game/app/GUIGameLogicMenuWindow.h"
#include "game/app/GUIGameLogicPauseWindow.h"
#include "game/app/GUIGameLogicRestartWindow.h"
#include "game/app/GUIGameLogicText.h"
#include "game/app/GUIGameLogicTextManager.h"
#include "game/app/GUIGameLogicWindow.h"
#include "game/app/GUILevelCompleteWindow.h"
#include "game/app/GUIMapElement.h"
#include "game/app/GUIStartGameLogicWindow.h"
#include "game/play/Brick.h"
#include "game/play/Bat.h"
#include "game/play/Bonus.h"
#include "game/play/BonusManager.h"
#include "game/play/GameField.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogic.h"
#include "platform/win32/Registry.h"
#include "platform/win32/WindowApi.h"
#include "tests/game/app/ScreenPoints.h"
#include "tests/support/ScreenPictures.h"
#include "tests/support/ScriptedMouse.h"
#include "tests/support/TempFolder.h"
#include "guitools/GUIControl.h"
#include "guitools/GUIFontTool.h"
#include "guitools/GUIToolManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>

using namespace GameFramework;
using VelkorEngine::u32;
using VelkorEngine::Vector2;

namespace
{
using GameAppTest::kField;
using GameAppTest::kMapStart;

// The game's folders in a temporary folder and the installation folder at the built data set, for the
// test's length.
class OffscreenEnvironment
{
public:
    OffscreenEnvironment()
    {
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "HOME"})
        {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? value : "\n");
        }
        setenv("XDG_DATA_HOME", (folder / "appdata").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        setenv("HOME", (folder / "home").c_str(), 1);
        std::filesystem::create_directories(folder / "home");
        folder.WriteFile("machine.ini", "");
        folder.WriteFile("user.ini",
                         std::string("SOFTWARE\\Tarnwick Games\\Korvane|InstallPath=") + KORVANE_DATA_ROOT + "\n");
        Platform::SetRegistryFiles(folder / "machine.ini", folder / "user.ini");
    }

    ~OffscreenEnvironment()
    {
        Platform::SetRegistryFiles("", "");
        for (const auto& [name, value] : m_saved)
        {
            if (value == "\n")
                unsetenv(name.c_str());
            else
                setenv(name.c_str(), value.c_str(), 1);
        }
    }

    TestSupport::TempFolder folder;

private:
    std::vector<std::pair<std::string, std::string>> m_saved;
};

class WholeGameOffscreenTest : public testing::Test
{
protected:
    WholeGameOffscreenTest()
    {
        game = std::make_unique<Korvane::Game>();
        mouse.focus = game->GetEngine()->GetWindow()->GetHandle();
    }

    void Frame()
    {
        MSG message;
        while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessage(&message);
        }
        game->Frame();
        gameSeconds += game->GetEngine()->GetTimerManager()->GetFrameTime();
    }

    bool RunUntil(const std::function<bool()>& condition, int limit = 20000)
    {
        for (int i = 0; i < limit && !condition(); ++i)
            Frame();
        return condition();
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    bool IsShownWith(u32 window, u32 stateId) const
    {
        const GUIFrameworkWindow* shown = game->GetWindow(window);
        return shown != nullptr && shown->GetStateId() == stateId;
    }

    void Click(const Vector2& point)
    {
        const VelkorEngine::Window& window = *game->GetEngine()->GetWindow();
        mouse.MoveTo(window.GetHandle(), static_cast<int>(point.x * static_cast<float>(window.GetWidth()) / 800.0f),
                     static_cast<int>((600.0f - point.y) * static_cast<float>(window.GetHeight()) / 600.0f));
        Frames(3);
        mouse.PressLeft();
        Frames(2);
        mouse.ReleaseLeft();
        Frames(2);
    }

    // Kept beside the built data set as a picture to look at.
    VelkorEngine::Image Picture(const std::string& name)
    {
        VelkorEngine::Image shot = TestSupport::TakePicture(*game->GetEngine());
        TestSupport::KeepPicture(shot, std::string(KORVANE_DATA_ROOT) + "/play_windows/" + name + ".tga");
        return shot;
    }

    Korvane::GameLogic* Logic() const { return dynamic_cast<Korvane::GameLogic*>(game->GetGameLogic()); }

    // From the main menu through the level map to the first level, its bat risen with the ball on it.
    // The first level in play, its bat risen and ready for a bonus to fall on it.
    void StartWithTheBatReady()
    {
        ASSERT_NO_FATAL_FAILURE(StartFirstLevel());
        ASSERT_TRUE(RunUntil([&] { return Logic()->GetBat().IsReady(); }));
        Frames(30);
    }

    Korvane::GUIGameLogicTextManager* FloatingTexts() const
    {
        return dynamic_cast<Korvane::GUIGameLogicTextManager*>(Logic()->GetFloatingTexts());
    }

    void StartFirstLevel()
    {
        ProfileManagerBase& profiles = *game->GetProfileManager();
        profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ada"), 1);
        ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::MainMenu, StateId::GameLoading); }));
        Frames(60);
        // The main menu's start button stands in by its result: the menus are another part's work.
        game->GetWindow(WindowIndex::MainMenu)->SetResultCode(ResultCode::Start);
        ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::StartGame, StateId::MainMenu); }));
        auto& map = dynamic_cast<Korvane::GUIStartGameLogicWindow&>(*game->GetWindow(WindowIndex::StartGame));
        ASSERT_TRUE(RunUntil([&] { return map.GetElements().front()->GetFade() > 0.99f; }));
        Frames(30);
        EXPECT_GT(TestSupport::Brightness(Picture("level_map")), 0.2);
        Click(kMapStart);
        ASSERT_TRUE(RunUntil([&] { return Logic() != nullptr && Logic()->GetBat().HasRisen(); }));
    }

    // The dialog (of the class given) fully come on screen, its title sign at rest.
    template <typename Dialog> bool DialogAppears(u32 window)
    {
        auto* dialog = dynamic_cast<Dialog*>(game->GetWindow(window));
        if (dialog == nullptr || !RunUntil([&] { return dialog->GetMenuWindow().IsShown(); }, 600))
            return false;
        Frames(60);
        return true;
    }

    // The highest point of the field's box on the GUI screen, as the play camera shows it.
    float FieldTopOnGuiScreen() const
    {
        const VelkorEngine::Engine& engine = *game->GetEngine();
        const VelkorEngine::CameraManager& cameras = *engine.GetCameraManager();
        const VelkorEngine::Vector3 low = Logic()->GetField().GetBounds().GetMinimum();
        const VelkorEngine::Vector3 high = Logic()->GetField().GetBounds().GetMaximum();
        float top = -std::numeric_limits<float>::max();
        for (int corner = 0; corner < 8; ++corner)
        {
            const VelkorEngine::Vector3 point((corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y,
                                              (corner & 4) ? high.z : low.z);
            const Vector2 pixels = cameras.ProjectToScreen(cameras.GetDefaultCamera(), point);
            top = std::max(top, pixels.y / static_cast<float>(engine.GetWindow()->GetHeight()) * 600.0f);
        }
        return top;
    }

    OffscreenEnvironment environment;
    TestSupport::ScriptedMouse mouse;
    std::unique_ptr<Korvane::Game> game;
    // The game's own time over the frames run so far, as its timer gives each frame.
    double gameSeconds = 0.0;
};

TEST_F(WholeGameOffscreenTest, TheMapThePlayAndTheLevelsEndAreDrawn)
{
    ASSERT_NO_FATAL_FAILURE(StartFirstLevel());
    ProfileManagerBase& profiles = *game->GetProfileManager();
    Click(kField);
    ASSERT_TRUE(RunUntil([&] { return Logic()->IsBallInPlay(); }, 100));
    Frames(60);
    // The field is drawn through the play's perspective camera and the counters through the GUI's own.
    EXPECT_GT(TestSupport::Brightness(Picture("in_play")), 0.2);
    EXPECT_FALSE(game->GetEngine()->GetGUIManager()->GetCamera()->IsPerspective());
    EXPECT_EQ(game->GetEngine()->GetGUIManager()->GetCamera()->position.y, 0.0f);
    for (Korvane::Brick* brick : std::vector<Korvane::Brick*>(Logic()->GetGeometry().GetBricks()))
        if (brick->MustBeDestroyed())
            brick->Destroy(Korvane::DestroyKind::Super, false);
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::LevelComplete, StateId::Play); }));
    Frames(300);
    EXPECT_GT(TestSupport::Brightness(Picture("level_complete")), 0.2);
    EXPECT_EQ(profiles.GetCurrentProfile()->mapLevel, 1u);
}

TEST_F(WholeGameOffscreenTest, TheBarStaysAboveTheFieldAndTheInGameMenuComesUpBelowIt)
{
    ASSERT_NO_FATAL_FAILURE(StartFirstLevel());
    Frames(60);
    Picture("in_play_bar");
    auto& bar = dynamic_cast<Korvane::GUIGameLogicWindow&>(*game->GetWindow(WindowIndex::GameLogic));
    const GUITools::GUIControl* logo = bar.GetLayout().GetControl("window_game_logic/logo_additional_0");
    ASSERT_NE(logo, nullptr);
    ASSERT_TRUE(logo->IsShown()) << "the publisher's small logo ships with the game";
    const float logoBottom = logo->GetWidget()->GetAbsolutePosition().y;
    EXPECT_GT(logoBottom, FieldTopOnGuiScreen()) << "the publisher's logo lies over the field";

    // The in-game menu and its leave question, opened as their button and key would, kept as pictures.
    bar.SetResultCode(ResultCode::GameLogicMenu);
    ASSERT_TRUE(DialogAppears<Korvane::GUIGameLogicMenuWindow>(WindowIndex::GameLogicMenu));
    Picture("in_game_menu");
    game->GetWindow(WindowIndex::GameLogicMenu)->SetResultCode(ResultCode::ExitToMenuQuestion);
    ASSERT_TRUE(DialogAppears<Korvane::GUIGameLogicMenuExitWindow>(WindowIndex::GameLogicMenuExit));
    Picture("leave_question");
}
}

namespace
{
// Pixels of the box that are near white in the first picture and not in the second: what the first adds in white.
int NewWhitePixels(const VelkorEngine::Image& with, const VelkorEngine::Image& without, int x0, int y0, int x1, int y1)
{
    const int channels = static_cast<int>(with.GetBytesPerPixel());
    const int width = static_cast<int>(with.GetWidth());
    const auto white = [](const VelkorEngine::u8* pixel) { return std::min({pixel[0], pixel[1], pixel[2]}) >= 215; };
    int found = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, static_cast<int>(with.GetHeight())); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, width); ++x)
        {
            const size_t at = (static_cast<size_t>(y) * width + x) * channels;
            if (white(with.GetData() + at) && !white(without.GetData() + at))
                ++found;
        }
    return found;
}

// Pixels of the box whose colour differs clearly between the two pictures.
int ChangedPixels(const VelkorEngine::Image& one, const VelkorEngine::Image& other, int x0, int y0, int x1, int y1)
{
    const int channels = static_cast<int>(one.GetBytesPerPixel());
    const int width = static_cast<int>(one.GetWidth());
    int found = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, static_cast<int>(one.GetHeight())); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, width); ++x)
        {
            const size_t at = (static_cast<size_t>(y) * width + x) * channels;
            int difference = 0;
            for (int c = 0; c < 3; ++c)
                difference += std::abs(static_cast<int>(one.GetData()[at + c]) -
                                       static_cast<int>(other.GetData()[at + c]));
            if (difference > 60)
                ++found;
        }
    return found;
}

// A bonus dropped onto the bat is caught through the game logic; its name rises over the play where it was caught.
TEST_F(WholeGameOffscreenTest, ACaughtBonusShowsItsNameRisingWhereItWasCaught)
{
    ASSERT_NO_FATAL_FAILURE(StartWithTheBatReady());

    Korvane::GUIGameLogicTextManager* texts = FloatingTexts();
    ASSERT_NE(texts, nullptr);
    const VelkorEngine::Image before = TestSupport::TakePicture(*game->GetEngine());
    const VelkorEngine::Vector3 bat = Logic()->GetBat().GetHeadBounds().GetCenter();

    // A bonus falling before the blocks, on the other side of the field from the bat, so that it passes the bat
    // by: seen where the camera shows it, unlike the picture before it came.
    const Korvane::Bonus* falling = Logic()->GetBonusManager().SpawnBonus(
        Vector2(bat.x > 0.0f ? bat.x - 60.0f : bat.x + 60.0f, -35.0f), Korvane::GameLogic::BonusBarrier);
    ASSERT_NE(falling, nullptr);
    Frames(5);
    ASSERT_TRUE(falling->IsFalling());
    const VelkorEngine::Image withFalling = Picture("bonus_falling");
    const VelkorEngine::CameraManager& cameras = *game->GetEngine()->GetCameraManager();
    const Vector2 seen = cameras.ProjectToScreen(cameras.GetDefaultCamera(), falling->GetPosition());
    const int changed = ChangedPixels(withFalling, before, static_cast<int>(seen.x) - 16, static_cast<int>(seen.y) - 16,
                                      static_cast<int>(seen.x) + 16, static_cast<int>(seen.y) + 16);
    std::printf("the falling bonus at (%.0f, %.0f) of the picture changes %d pixels around it\n", seen.x, seen.y,
                changed);
    EXPECT_GE(changed, 200) << "no falling bonus to be seen";
    Logic()->GetBonusManager().SpawnBonus(Vector2(bat.x, bat.y + 6.0f), Korvane::GameLogic::BonusLife);
    ASSERT_TRUE(RunUntil([&] { return !texts->GetTexts().empty(); }, 120)) << "the bonus was not caught";
    const Korvane::GUIGameLogicText& text = *texts->GetTexts().front();
    ASSERT_FALSE(text.GetLines().empty());
    EXPECT_NE(text.GetLines().front().find(L"life"), std::wstring::npos);
    // Where the play's camera shows the caught bonus, on the screen.
    const Vector2 place = text.GetPosition();
    EXPECT_GT(place.x, 0.0f);
    EXPECT_LT(place.x, 800.0f);
    EXPECT_GT(place.y, 0.0f);
    EXPECT_LT(place.y, 600.0f);

    // Once it has grown and begun to rise (the frames run on the real clock), the white text stands where the
    // picture before the catch had none.
    ASSERT_TRUE(RunUntil([&] { return texts->GetTexts().empty() || texts->GetTexts().front()->GetAge() > 0.4f; }));
    ASSERT_FALSE(texts->GetTexts().empty()) << "the text went before it was drawn risen";
    const float rise = (texts->GetTexts().front()->GetAge() - Korvane::GUIGameLogicText::GrowTime) *
                       Korvane::GUIGameLogicText::RiseSpeed;
    Frames(1);
    const VelkorEngine::Image with = Picture("bonus_caught");
    const VelkorEngine::Window& window = *game->GetEngine()->GetWindow();
    const float toPixelsX = static_cast<float>(window.GetWidth()) / 800.0f;
    const float toPixelsY = static_cast<float>(window.GetHeight()) / 600.0f;
    const int found = NewWhitePixels(with, before, static_cast<int>((place.x - 100.0f) * toPixelsX),
                                     static_cast<int>((place.y + rise - 20.0f) * toPixelsY),
                                     static_cast<int>((place.x + 100.0f) * toPixelsX),
                                     static_cast<int>((place.y + rise + 20.0f) * toPixelsY));
    std::printf("the caught bonus's text at (%.0f, %.0f) of the GUI screen lights %d pixels\n", place.x, place.y,
                found);
    EXPECT_GE(found, 60) << "no text to be seen where the bonus was caught";
}
}

namespace
{
// The rows (from the picture's bottom) between which the first picture has near-white pixels the second has not,
// within the columns given; -1 and -1 when there are none.
std::pair<int, int> NewWhiteRows(const VelkorEngine::Image& with, const VelkorEngine::Image& without, int x0, int x1)
{
    const int height = static_cast<int>(with.GetHeight());
    std::pair<int, int> rows(-1, -1);
    for (int y = 0; y < height; ++y)
        if (NewWhitePixels(with, without, x0, y, x1, y + 1) > 0)
        {
            if (rows.first < 0)
                rows.first = y;
            rows.second = y;
        }
    return rows;
}

// A bonus caught at the very back of the bat, the lowest place on the screen where one can be caught: its name
// starts wholly inside the picture, not cut by the picture's bottom edge, and is seen whole while it rises.
TEST_F(WholeGameOffscreenTest, ABonusCaughtAtTheBatsBackStartsItsNameWhollyInThePicture)
{
    ASSERT_NO_FATAL_FAILURE(StartWithTheBatReady());
    Korvane::GUIGameLogicTextManager* texts = FloatingTexts();
    ASSERT_NE(texts, nullptr);
    const VelkorEngine::Image before = TestSupport::TakePicture(*game->GetEngine());
    const VelkorEngine::BoundingVolume bat = Logic()->GetBat().GetBounds();
    Logic()->GetBonusManager().SpawnBonus(Vector2(bat.GetCenter().x, bat.GetWorldMinimum().y),
                                          Korvane::GameLogic::BonusLife);
    ASSERT_TRUE(RunUntil([&] { return !texts->GetTexts().empty(); }, 2)) << "the bonus was not caught at once";

    // Grown to its full height about its place, the block of lines lies on the GUI screen.
    const Korvane::GUIGameLogicText& text = *texts->GetTexts().front();
    const VelkorEngine::GUIFont& font = *game->GetEngine()->GetGUIManager()->GetFontManager()->GetFont(
        static_cast<u32>(game->GetToolManager()->GetFontTool()->GetFontIndex("tip")));
    const float halfWidth =
        font.GetTextSize(text.GetLines().front(), 0.0f, Korvane::GUIGameLogicText::FullHeight).x / 2;
    const float halfHeight = static_cast<float>(text.GetLines().size()) * Korvane::GUIGameLogicText::FullHeight / 2;
    const Vector2 place = text.GetPosition();
    std::printf("the name of a bonus caught at the bat's back starts at (%.1f, %.1f), %.1f by %.1f\n", place.x,
                place.y, halfWidth * 2, halfHeight * 2);
    EXPECT_GE(place.x - halfWidth, 0.0f);
    EXPECT_LE(place.x + halfWidth, 800.0f);
    EXPECT_GE(place.y - halfHeight, 0.0f);
    EXPECT_LE(place.y + halfHeight, 600.0f);
    ASSERT_TRUE(RunUntil([&] { return texts->GetTexts().empty() || text.GetAge() > 0.3f; }));

    // Grown and not yet risen far: the white letters stand whole above the picture's bottom row, as tall as a
    // line of the text is drawn.
    ASSERT_FALSE(texts->GetTexts().empty()) << "the text went before it was drawn";
    const VelkorEngine::Image with = Picture("bonus_caught_low");
    const VelkorEngine::Window& window = *game->GetEngine()->GetWindow();
    const float toPixelsX = static_cast<float>(window.GetWidth()) / 800.0f;
    const float toPixelsY = static_cast<float>(window.GetHeight()) / 600.0f;
    const auto [lowest, highest] =
        NewWhiteRows(with, before, static_cast<int>((place.x - halfWidth) * toPixelsX),
                     static_cast<int>((place.x + halfWidth) * toPixelsX));
    std::printf("the name of a bonus caught at the bat's back is white from row %d to row %d\n", lowest, highest);
    ASSERT_GE(lowest, 0) << "no text to be seen";
    EXPECT_GT(lowest, 0) << "the letters are cut by the picture's bottom edge";
    EXPECT_GE(highest - lowest, static_cast<int>(Korvane::GUIGameLogicText::FullHeight * 0.5f * toPixelsY))
        << "only part of the letters shows";
}
}

namespace
{
// A bonus caught as the last bricks break: its name would still be rising when the level-complete window has come
// up, across its board. The board's white is compared with the same board once any text would have gone.
TEST_F(WholeGameOffscreenTest, ANameCaughtAsTheLevelEndsIsNotDrawnOverTheEndWindow)
{
    ASSERT_NO_FATAL_FAILURE(StartWithTheBatReady());
    Korvane::GUIGameLogicTextManager* texts = FloatingTexts();
    ASSERT_NE(texts, nullptr);
    const VelkorEngine::Vector3 bat = Logic()->GetBat().GetHeadBounds().GetCenter();
    Logic()->GetBonusManager().SpawnBonus(Vector2(bat.x, bat.y + 6.0f), Korvane::GameLogic::BonusLife);
    ASSERT_TRUE(RunUntil([&] { return !texts->GetTexts().empty(); }, 120)) << "the bonus was not caught";
    // Judged in the game's own time, which a busy machine slows with its frames, as it does the texts.
    const double caught = gameSeconds;
    const auto since = [&] { return gameSeconds - caught; };
    for (Korvane::Brick* brick : std::vector<Korvane::Brick*>(Logic()->GetGeometry().GetBricks()))
        if (brick->MustBeDestroyed())
            brick->Destroy(Korvane::DestroyKind::Super, false);

    // 1.2 s of the game's time after the catch the name, had it lived, would stand about 40 units above the bat,
    // fully opaque, across the board's lower edge.
    auto& end = dynamic_cast<Korvane::GUILevelCompleteWindow&>(*game->GetWindow(WindowIndex::LevelComplete));
    ASSERT_TRUE(RunUntil([&] { return end.GetMenuWindow().IsShown(); }, 600));
    std::printf("the level-complete window shown %.2f s of the game's time after the catch\n", since());
    RunUntil([&] { return since() > 1.2; }, 100000);
    ASSERT_LT(since(), 1.5) << "the window came up too late to tell";
    const VelkorEngine::Image shown = Picture("level_complete_after_bonus");
    // Once any text would have gone, the board again: it holds still but for the counted bonus's dark red digits.
    RunUntil([&] { return since() > 3.0; }, 100000);
    const VelkorEngine::Image later = TestSupport::TakePicture(*game->GetEngine());
    const VelkorEngine::GUIWindow& board =
        *end.GetMenuWindow().GetControl("window_level_complete/window")->GetWidget();
    const Vector2 low = board.GetAbsolutePosition();
    const Vector2 high(low.x + board.GetSize().x, low.y + board.GetSize().y);
    const VelkorEngine::Window& window = *game->GetEngine()->GetWindow();
    const float toPixelsX = static_cast<float>(window.GetWidth()) / 800.0f;
    const float toPixelsY = static_cast<float>(window.GetHeight()) / 600.0f;
    const int found =
        NewWhitePixels(shown, later, static_cast<int>(low.x * toPixelsX), static_cast<int>(low.y * toPixelsY),
                       static_cast<int>(high.x * toPixelsX), static_cast<int>(high.y * toPixelsY));
    std::printf("over the level-complete window's board, %d white pixels more than once any text had gone\n", found);
    EXPECT_EQ(found, 0) << "a floating text is drawn over the end window's board";
}
}
