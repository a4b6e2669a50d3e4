// The whole game left running for a long time in one process: levels played by a player who follows the ball,
// restarted through the in-game menu's question and by losing every life, left for the main menu, whose options,
// help and high scores are visited between games. The memory the process holds and the engine's own object counts
// are taken each time the main menu settles and may not grow; the log may not hold an error line and the music
// may not go quiet. The run goes once on the engine twins and once drawn for real by OpenGL on SDL's offscreen
// driver, where the drawing layer's own surfaces and GL objects may not grow either and the last picture of a
// level must still show it. The simulated minutes come from KORVANE_LONG_RUN_MINUTES.
#include "game/app/Game.h"
#include "game/app/GUIContinueGameLogicWindow.h"
#include "game/app/GUIGameCompleteWindow.h"
#include "game/app/GUIGameLogicMenuExitWindow.h"
#include "game/app/GUIGameLogicMenuWindow.h"
#include "game/app/GUIGameLogicPauseWindow.h"
#include "game/app/GUIGameLogicRestartWindow.h"
#include "game/app/GUIGameLogicWindow.h"
#include "game/app/GUIGameOverWindow.h"
#include "game/app/GUIHelpWindow.h"
#include "game/app/GUIHighScoresWindow.h"
#include "game/app/GUILevelCompleteWindow.h"
#include "game/app/GUIMainMenuWindow.h"
#include "game/app/GUIOptionsWindow.h"
#include "game/app/GUIStartGameLogicWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/TextureManager.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroupManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/GameSoundPlayer.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileManagerBase.h"
#include "game/play/Brick.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogic.h"
#include "guitools/GUIWindowBase.h"
#include "platform/d3d7/GLContext.h"
#include "platform/d3d7/GLSurface.h"
#include "platform/d3d7/GLTextureSurface.h"
#include "tests/support/BallFollower.h"
#include "tests/support/InstalledGameBed.h"
#include "tests/support/ScreenPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's runtime answers this; its header is not installed with every compiler.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace GameFramework;
using Korvane::Game;
using TestSupport::Drawing;
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::Vector2;

namespace
{
constexpr double kFrameTime = 0.05;
constexpr int kFramesPerSecond = 20;
// The suite's runs: the twins draw nothing and are quick, the real renderer takes real time for every frame.
constexpr double kTwinsMinutes = 10.0;
constexpr double kOffscreenGLMinutes = 2.5;
// The follower takes about three minutes to clear the first level: a shorter run breaks the bricks still
// standing once the level has been played this long, so that it still goes through the level's end.
constexpr double kMinutesToClearALevel = 10.0;
constexpr int kShortRunClearFrames = 20 * kFramesPerSecond;
// A window is answered once it has been up this long, as a player reads it first.
constexpr int kSettleFrames = 2 * kFramesPerSecond;
// Simulated seconds of play before the in-game menu is opened to restart or leave a level.
constexpr int kShortPlayFrames = 20 * kFramesPerSecond;
// A level not cleared within this long is restarted: the run is about time passing, not about winning.
constexpr int kLongestPlayFrames = 300 * kFramesPerSecond;
// Levels started before the measurements start: the caches and pools have been filled by then.
constexpr int kWarmUpLevels = 2;
// Simulated time into a level at which its music must be playing.
constexpr int kMusicCheckFrames = 10 * kFramesPerSecond;
// The mixer's rate over the frame rate: the sound a device takes each frame.
constexpr std::uint32_t kAudioFramesPerFrame = 22050 / kFramesPerSecond;
// A peak sample below this counts as silence.
constexpr int kAudibleLevel = 64;
constexpr u32 MenuSlot = 0;
constexpr u32 PlaySlot = 1;
// Bytes the heap and the resident size may grow by over the measured part of the run.
constexpr long kHeapGrowthBound = 4L << 20;
#if defined(__SANITIZE_ADDRESS__)
// The sanitizer keeps freed blocks in a quarantine of up to 256 MiB before handing them out again: the resident
// size rises until it is full, so there the heap count above is the measure that matters.
constexpr long kResidentGrowthBound = 320L << 20;
#else
constexpr long kResidentGrowthBound = 32L << 20;
#endif
constexpr u32 DownState = 0x80;
constexpr u32 UpState = 0x00;

constexpr f32 kGuiWidth = 800.0f;
// The level map's start button and the level-complete window's button to the next level, in GUI units.
const Vector2 kMapStart(60.0f + 480.0f + 100.0f, 90.0f - 70.0f + 22.0f);
const Vector2 kLevelCompleteNext(150.0f + 130.0f + 120.0f, 70.0f + 28.0f + 22.0f);

double SimulatedMinutes(double suiteMinutes)
{
    const char* text = std::getenv("KORVANE_LONG_RUN_MINUTES");
    const double minutes = text ? std::atof(text) : suiteMinutes;
    return minutes > 0.0 ? minutes : suiteMinutes;
}

std::string FolderOf(const std::string& path, int levels)
{
    std::string folder = path;
    for (int i = 0; i < levels; ++i)
        folder = folder.substr(0, folder.find_last_of('/'));
    return folder;
}

long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// The bytes handed out and not yet freed; under the address sanitizer freed blocks wait in its quarantine, which
// the resident size counts but this does not.
long HeapBytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<long>(mallinfo2().uordblks);
#endif
}

struct Measurement
{
    long heap = 0;
    long resident = 0;
    std::vector<u32> counts;
    // Made when a texture is first drawn, so they grow until every texture has been seen, but never beyond one
    // for each texture and the layer's own white one.
    u32 glTextures = 0;
};

// Objects the menus may hold beyond the first measurement of a round: what the play left behind as it was left
// (a bonus on its way down, a weapon in the hand) differs from round to round, a leak keeps adding up.
u32 CountGrowthBound(u32 first) { return std::max(2u, first / 100); }

const char* const kCountNames[] = {"models",   "particle systems", "sprite groups",    "sounds",       "GUI widgets",
                                   "textures", "surfaces",         "surface textures", "framebuffers", "renderbuffers",
                                   "samplers", "GL buffers"};
constexpr std::size_t kSurfaceTextures = 7;

// The drawing layer's own counts are taken on the twins as well, where they stay at nought.
Measurement Measure(const VelkorEngine::Engine& engine)
{
    using Platform::GLContext;
    using Platform::GLObjectKind;
    Measurement measurement;
    measurement.heap = HeapBytes();
    measurement.resident = ResidentBytes();
    measurement.counts = {engine.GetModelManager()->GetModelCount(),
                          engine.GetParticleSystemManager()->GetCount(),
                          engine.GetSpriteGroupManager()->GetCount(),
                          engine.GetSoundManager()->GetSoundCount(),
                          engine.GetGUIManager()->GetWidgetCount(),
                          engine.GetShaderManager()->GetTextureManager()->GetTextureCount(),
                          Platform::GLSurface::LiveCount(),
                          Platform::GLTextureSurface::LiveCount(),
                          GLContext::LiveObjects(GLObjectKind::Framebuffer),
                          GLContext::LiveObjects(GLObjectKind::Renderbuffer),
                          GLContext::LiveObjects(GLObjectKind::Sampler),
                          GLContext::LiveObjects(GLObjectKind::Buffer)};
    measurement.glTextures = GLContext::LiveObjects(GLObjectKind::Texture);
    return measurement;
}

int Peak(const std::vector<std::int16_t>& samples)
{
    int peak = 0;
    for (std::int16_t sample : samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

// The layout a game window shows itself through, for the windows this run answers.
template <typename Window>
const GUITools::GUIWindowBase* MenuLayout(GUIFrameworkWindow* window)
{
    auto* typed = dynamic_cast<Window*>(window);
    return typed ? &typed->GetMenuWindow() : nullptr;
}

const GUITools::GUIWindowBase* Layout(GUIFrameworkWindow* window)
{
    if (auto* play = dynamic_cast<Korvane::GUIGameLogicWindow*>(window))
        return &play->GetLayout();
    using namespace Korvane;
    for (const auto* layout :
         {MenuLayout<GUIMainMenuWindow>(window), MenuLayout<GUIOptionsWindow>(window), MenuLayout<GUIHelpWindow>(window),
          MenuLayout<GUIHighScoresWindow>(window), MenuLayout<GUIContinueGameLogicWindow>(window),
          MenuLayout<GUIStartGameLogicWindow>(window), MenuLayout<GUILevelCompleteWindow>(window),
          MenuLayout<GUIGameCompleteWindow>(window), MenuLayout<GUIGameOverWindow>(window),
          MenuLayout<GUIGameLogicMenuWindow>(window), MenuLayout<GUIGameLogicRestartWindow>(window),
          MenuLayout<GUIGameLogicMenuExitWindow>(window), MenuLayout<GUIGameLogicPauseWindow>(window)})
        if (layout != nullptr)
            return layout;
    return nullptr;
}

// What a level is played for, in turn.
enum class Plan
{
    Clear,
    RestartByQuestion,
    Lose,
    LeaveForMenu
};

// The first level cleared, the second restarted by the question and then lost, which starts a new game at the first
// level, which is left for the menus and continued: the run goes round the same levels, so that what the menus
// hold after each round can be compared with the round before.
constexpr Plan kPlans[] = {Plan::Clear, Plan::RestartByQuestion, Plan::Lose, Plan::LeaveForMenu};
constexpr u32 kMenuVisits[] = {ResultCode::Options, ResultCode::Help, ResultCode::HighScores, ResultCode::Start};

class LongRun : public testing::Test
{
protected:
    LongRun(Drawing drawing, double suiteMinutes)
        : bed(FolderOf(KORVANE_DATA_PACK, 2), std::string("SOFTWARE\\") + Game::MakerName + "\\" + Game::Title,
              drawing),
          minutes(SimulatedMinutes(suiteMinutes))
    {
        game = std::make_unique<Game>();
        bed.SetFocus(game->GetEngine()->GetWindow()->GetHandle());
        ProfileManagerBase& profiles = *game->GetProfileManager();
        profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ada"), 1);
    }

    void Frame()
    {
        bed.twins.clock.AdvanceSeconds(kFrameTime);
        game->Frame();
        heardPeak = Peak(bed.GetMixer().Render(kAudioFramesPerFrame));
        // The twins note every call they see, which a test of this length must not keep.
        bed.twins.journal.Clear();
        bed.twins.display.ClearCalls();
        bed.twins.sound.ClearCalls();
        bed.twins.windows.warps.clear();
        ++m_frame;
    }

    // The window the player sees: the last shown one in the window table, the play's own window coming before
    // the dialogs over it.
    int ShownWindow() const
    {
        int shown = -1;
        for (u32 index = 0; index < WindowIndex::Count; ++index)
        {
            const GUITools::GUIWindowBase* window = Layout(game->GetWindow(index));
            if (window != nullptr && window->IsShown())
                shown = static_cast<int>(index);
        }
        return shown;
    }

    void MoveMouseTo(const Vector2& point)
    {
        const VelkorEngine::Window& window = *game->GetEngine()->GetWindow();
        POINT pixel{static_cast<LONG>(point.x * static_cast<float>(window.GetWidth()) / kGuiWidth),
                    static_cast<LONG>((600.0f - point.y) * static_cast<float>(window.GetHeight()) / 600.0f)};
        ClientToScreen(window.GetHandle(), &pixel);
        bed.SetCursor(pixel);
    }

    void Answer(u32 window, u32 result) { game->GetWindow(window)->SetResultCode(result); }

    void Step()
    {
        if (m_escapeReleasePending)
        {
            bed.twins.input.keyboard.AddRecord(DIK_ESCAPE, UpState);
            m_escapeReleasePending = false;
        }
        const int shown = ShownWindow();
        if (shown != m_shown)
        {
            m_shown = shown;
            m_shownFrames = 0;
            ++timesShown[shown];
        }
        ++m_shownFrames;
        // A new level's play may be made where the last one was.
        if (game->GetGameLogic() == nullptr)
            m_logic = nullptr;
        if (shown == WindowIndex::GameLogic)
            Play();
        else if (m_shownFrames >= kSettleFrames)
            AnswerMenu(shown);
        Frame();
    }

    void Play()
    {
        auto* logic = dynamic_cast<Korvane::GameLogic*>(game->GetGameLogic());
        if (logic == nullptr)
            return;
        if (logic != m_logic)
            BeginLevel(*logic);
        ++m_levelFrames;
        if (m_levelFrames == kMusicCheckFrames)
            quietLevels += MusicState(PlaySlot) != VelkorEngine::Sound::Playing || heardPeak < kAudibleLevel;
        if (m_plan == Plan::Clear && minutes < kMinutesToClearALevel && m_levelFrames == kShortRunClearFrames)
            BreakTheBricksLeft(*logic);
        const bool timeUp = m_levelFrames >= kLongestPlayFrames ||
                            (m_plan != Plan::Clear && m_plan != Plan::Lose && m_levelFrames >= kShortPlayFrames);
        if (timeUp && m_shownFrames % kSettleFrames == 0)
        {
            bed.twins.input.keyboard.AddRecord(DIK_ESCAPE, DownState);
            m_escapeReleasePending = true;
            return;
        }
        if (m_plan == Plan::Lose)
        {
            // The bat waits at the left wall and the ball is launched again after every loss.
            m_cursor.x = 0.0f;
            bed.twins.input.mouse.AddRecord(DIMOFS_BUTTON0, m_frame % 2 ? UpState : DownState);
        }
        else if (logic->GetState() == GameLogicBase::StatePlaying)
        {
            m_follower->Step(m_cursor);
        }
        MoveMouseTo(m_cursor);
    }

    static void BreakTheBricksLeft(Korvane::GameLogic& logic)
    {
        for (Korvane::Brick* brick : std::vector<Korvane::Brick*>(logic.GetGeometry().GetBricks()))
            if (brick->MustBeDestroyed())
                brick->Destroy(Korvane::DestroyKind::Super, false);
    }

    void BeginLevel(Korvane::GameLogic& logic)
    {
        m_logic = &logic;
        m_follower = std::make_unique<TestSupport::BallFollower>(logic);
        m_levelFrames = 0;
        m_plan = kPlans[levelsStarted++ % std::size(kPlans)];
        const int level = static_cast<int>(logic.GetLevelRecord()->stage * 100 + logic.GetLevelRecord()->level);
        m_lastRound = level * 10 + static_cast<int>(m_plan);
    }

    void AnswerMenu(int shown)
    {
        m_shownFrames = 0;
        switch (shown)
        {
        case WindowIndex::MainMenu:
            MainMenuSettled();
            Answer(WindowIndex::MainMenu, kMenuVisits[m_menuVisits++ % std::size(kMenuVisits)]);
            break;
        case WindowIndex::Options:
        case WindowIndex::Help:
        case WindowIndex::HighScores:
            Answer(static_cast<u32>(shown), ResultCode::MainMenu);
            break;
        case WindowIndex::ContinueGame:
            Answer(WindowIndex::ContinueGame, ResultCode::ContinueGame);
            break;
        case WindowIndex::StartGame:
            ClickAt(kMapStart);
            break;
        case WindowIndex::LevelComplete:
            ClickAt(kLevelCompleteNext);
            break;
        case WindowIndex::StageComplete:
            Answer(WindowIndex::StageComplete, ResultCode::LevelMap);
            break;
        case WindowIndex::GameComplete:
        case WindowIndex::GameOver:
            Answer(static_cast<u32>(shown), ResultCode::Done);
            break;
        case WindowIndex::GameLogicMenu:
            Answer(WindowIndex::GameLogicMenu,
                   m_plan == Plan::LeaveForMenu ? ResultCode::ExitToMenuQuestion : ResultCode::RestartQuestion);
            break;
        case WindowIndex::GameLogicRestart:
            Answer(WindowIndex::GameLogicRestart, ResultCode::LevelMap);
            break;
        case WindowIndex::GameLogicMenuExit:
            Answer(WindowIndex::GameLogicMenuExit, ResultCode::MainMenu);
            break;
        case WindowIndex::GameLogicPause:
            Answer(WindowIndex::GameLogicPause, ResultCode::BackToPlay);
            break;
        default:
            break;
        }
    }

    void ClickAt(const Vector2& point)
    {
        MoveMouseTo(point);
        Frame();
        bed.twins.input.mouse.AddRecord(DIMOFS_BUTTON0, DownState);
        Frame();
        bed.twins.input.mouse.AddRecord(DIMOFS_BUTTON0, UpState);
    }

    // The level data of the last level stays loaded in the menus, and the way it was left decides which windows
    // were shown last, so each measurement is compared with the first one taken after the same round.
    void MainMenuSettled()
    {
        quietMenus += MusicState(MenuSlot) != VelkorEngine::Sound::Playing || heardPeak < kAudibleLevel;
        const Measurement taken = Measure(*game->GetEngine());
        std::printf("%6.1f min  round %5d  heap %7ld KiB  resident %7ld KiB ",
                    static_cast<double>(m_frame) / kFramesPerSecond / 60.0, m_lastRound, taken.heap >> 10,
                    taken.resident >> 10);
        for (std::size_t i = 0; i < taken.counts.size(); ++i)
            std::printf(" %s %u", kCountNames[i], taken.counts[i]);
        std::printf(" GL textures %u%s\n", taken.glTextures, levelsStarted <= kWarmUpLevels ? "  (warming up)" : "");
        std::fflush(stdout);
        EXPECT_LE(taken.glTextures, taken.counts[kSurfaceTextures] + 1) << "GL textures after round " << m_lastRound;
        if (levelsStarted <= kWarmUpLevels)
            return;
        const auto [first, isFirst] = firstAfterRound.try_emplace(m_lastRound, taken);
        if (isFirst)
            return;
        ++comparisons;
        EXPECT_LE(taken.heap - first->second.heap, kHeapGrowthBound) << "heap after round " << m_lastRound;
        EXPECT_LE(taken.resident - first->second.resident, kResidentGrowthBound)
            << "resident size after round " << m_lastRound;
        for (std::size_t i = 0; i < taken.counts.size(); ++i)
            EXPECT_LE(taken.counts[i], first->second.counts[i] + CountGrowthBound(first->second.counts[i]))
                << kCountNames[i] << " after round " << m_lastRound;
    }

    // Plays on until the main menu has been measured once more.
    void RunToTheMainMenu()
    {
        for (int frame = 0; frame < 2 * kLongestPlayFrames; ++frame)
        {
            if (m_shown == static_cast<int>(WindowIndex::MainMenu) && m_shownFrames + 1 >= kSettleFrames)
                break;
            Step();
        }
        MainMenuSettled();
    }

    // Goes on from the menus into a level and plays it until its music is checked, as far into it as a player
    // sees the whole field with the ball in play.
    bool RunIntoALevel()
    {
        for (int frame = 0; frame < kLongestPlayFrames; ++frame)
        {
            if (m_shown == static_cast<int>(WindowIndex::GameLogic) && m_levelFrames >= kMusicCheckFrames)
                return true;
            Step();
        }
        return false;
    }

    // The run from start to end with every check; drawn for real, it ends with a picture of a level.
    void RunAndCheck()
    {
        const long frames = static_cast<long>(minutes * 60.0 * kFramesPerSecond);
        for (long frame = 0; frame < frames; ++frame)
            Step();
        // The run ends in the main menu, whose music must still be heard.
        RunToTheMainMenu();

        EXPECT_EQ(ShownWindow(), static_cast<int>(WindowIndex::MainMenu));
        EXPECT_EQ(MusicState(MenuSlot), VelkorEngine::Sound::Playing);
        EXPECT_GE(heardPeak, kAudibleLevel) << "the menu music is not heard";
        EXPECT_EQ(quietMenus, 0);
        EXPECT_EQ(quietLevels, 0);
        EXPECT_GE(levelsStarted, static_cast<int>(std::size(kPlans)));
        // Every way in and out of a level was taken, each plan at least once.
        for (u32 window : {WindowIndex::StartGame, WindowIndex::GameLogicRestart, WindowIndex::GameLogicMenuExit,
                           WindowIndex::GameOver, WindowIndex::LevelComplete, WindowIndex::Options,
                           WindowIndex::Help, WindowIndex::HighScores})
            EXPECT_GE(timesShown[static_cast<int>(window)], 1) << "window " << window << " was never shown";
        EXPECT_GE(comparisons, 1) << "the main menu came back too seldom to measure";
        if (bed.DrawsForReal())
            CheckTheLastPicture();
        EXPECT_EQ(bed.MessageBoxes(), std::vector<std::string>{});
        game.reset();
        EXPECT_NE(LogText().find(Game::MenusBeginMessage), std::string::npos) << "the log was not found";
        EXPECT_EQ(Problems(), std::vector<std::string>{});
    }

    // Kept beside the built data set to look at: after the whole run a level is still drawn, neither black nor one
    // colour.
    void CheckTheLastPicture()
    {
        ASSERT_TRUE(RunIntoALevel()) << "no level was reached after the run";
        const VelkorEngine::Image shot = TestSupport::TakePicture(*game->GetEngine());
        TestSupport::KeepPicture(shot, FolderOf(KORVANE_DATA_PACK, 2) + "/play_windows/long_run_last_level.tga");
        EXPECT_GT(TestSupport::Brightness(shot), 0.2);
        EXPECT_GT(TestSupport::DistinctColours(shot), 1000u);
    }

    u32 MusicState(u32 slot) const { return game->GetSoundPlayer()->GetMusicState(slot); }

    std::string LogText() const { return bed.LogText(Game::MakerName, Game::Title); }

    std::vector<std::string> Problems() const { return bed.LogProblems(Game::MakerName, Game::Title); }

    TestSupport::InstalledGameBed bed;
    const double minutes;
    std::unique_ptr<Game> game;
    std::map<int, Measurement> firstAfterRound;
    std::map<int, int> timesShown;
    int comparisons = 0;
    int levelsStarted = 0;
    int quietLevels = 0;
    int quietMenus = 0;
    // The loudest sample the mixer gave in the last frame.
    int heardPeak = 0;

private:
    long m_frame = 0;
    int m_shown = -1;
    int m_shownFrames = 0;
    int m_levelFrames = 0;
    bool m_escapeReleasePending = false;

    Plan m_plan = Plan::Clear;
    int m_menuVisits = 0;
    // The last level and how it was played: what the menus hold afterwards depends on both.
    int m_lastRound = -1;
    const Korvane::GameLogic* m_logic = nullptr;
    std::unique_ptr<TestSupport::BallFollower> m_follower;
    Vector2 m_cursor{kGuiWidth / 2.0f, 300.0f};
};

class LongRunTest : public LongRun
{
protected:
    LongRunTest() : LongRun(Drawing::Twins, kTwinsMinutes) {}
};

class LongRunOffscreenGLTest : public LongRun
{
protected:
    LongRunOffscreenGLTest() : LongRun(Drawing::OffscreenGL, kOffscreenGLMinutes) {}
};

TEST_F(LongRunTest, TheGameLeftRunningKeepsItsMemoryAndObjectsItsLogCleanAndItsMusicPlaying)
{
    RunAndCheck();
}

TEST_F(LongRunOffscreenGLTest, TheGameDrawnForRealKeepsItsMemoryAndObjectsItsLogCleanAndItsMusicPlaying)
{
    RunAndCheck();
}
}
