// The whole game in one process on the engine twins with the generated data set: from the main menu to the
// level map, the first level started there with the mouse, played to its end, the level-complete window and
// the player's progress on disk, then on to the next level.
#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/GameWindowIds.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileManagerBase.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/Sprite.h"
#include "engine/scene/SpriteGroup.h"
#include "game/app/GUIGameCursor.h"
#include "game/app/GUIMainMenuWindow.h"
#include "game/app/Profile.h"
#include "game/play/Bat.h"
#include "game/play/Brick.h"
#include "game/play/Effects.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogic.h"
#include "tests/game/app/ScreenPoints.h"
#include "tests/game/app/WholeGameBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

using namespace GameFramework;
using VelkorEngine::u32;
using VelkorEngine::Vector2;

namespace
{
using GameAppTest::kField;
using GameAppTest::kLevelCompleteNext;
using GameAppTest::kMainMenuOptions;
using GameAppTest::kMainMenuPlayers;
using GameAppTest::kMapStart;
// A click's sparks fly 60 units a second at first, slowing down, for 0.4 s.
constexpr float kClickSparkReach = 30.0f;

class WholeGameTest : public testing::Test, protected GameAppTest::WholeGameBed
{
protected:
    // From the start of the program to the first level in play with its ball held on the risen bat.
    void StartFirstLevel()
    {
        StartLevel([](Korvane::Profile&) {});
    }

    // The live particles of a system within the reach of a click's sparks from a place of the GUI screen.
    static u32 SparksNear(const VelkorEngine::ParticleSystem& system, const Vector2& place)
    {
        u32 near = 0;
        for (u32 i = 0; i < system.GetCapacity(); ++i)
        {
            const VelkorEngine::Particle& particle = system.GetParticle(i);
            if (particle.free)
                continue;
            const VelkorEngine::Vector3& at = system.GetSpriteGroup()->GetSprite(particle.sprite)->position;
            if (std::hypot(at.x - place.x, at.y - place.y) < kClickSparkReach)
                ++near;
        }
        return near;
    }

    // As above, with the player's profile prepared first (progress, map position, flags).
    void StartLevel(const std::function<void(Korvane::Profile&)>& prepare)
    {
        ProfileManagerBase& profiles = *game->GetProfileManager();
        profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ada"), 1);
        prepare(dynamic_cast<Korvane::Profile&>(*profiles.GetCurrentProfile()));
        ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::MainMenu, StateId::GameLoading); }));
        Frames(60);
        // The main menu's start button stands in by its result: the menus are another part's work.
        game->GetWindow(WindowIndex::MainMenu)->SetResultCode(ResultCode::Start);
        ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::StartGame, StateId::MainMenu); }));
        Frames(90);
        Click(kMapStart);
        ASSERT_TRUE(RunUntil([&] { return Logic() != nullptr; })) << "the level never started";
        ASSERT_TRUE(RunUntil([&] { return Logic()->GetBat().HasRisen(); }));
    }
};

TEST_F(WholeGameTest, TheFirstLevelStartedFromTheMapIsPlayedToItsEndAndTheNextOneFollows)
{
    StartFirstLevel();
    ProfileManagerBase& profiles = *game->GetProfileManager();
    Korvane::GameLogic& logic = *Logic();
    EXPECT_EQ(logic.GetLevelRecord()->stage, 0u);
    EXPECT_EQ(logic.GetLevelRecord()->level, 0u);
    Click(kField);
    ASSERT_TRUE(RunUntil([&] { return logic.IsBallInPlay(); }, 60)) << "the click never reached the game logic";
    Frames(120);
    const u32 pointsBefore = logic.GetPoints();
    for (Korvane::Brick* brick : std::vector<Korvane::Brick*>(logic.GetGeometry().GetBricks()))
        if (brick->MustBeDestroyed())
            brick->Destroy(Korvane::DestroyKind::Super, false);
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::LevelComplete, StateId::Play); }, 600));
    Frames(240);

    Korvane::Profile saved(game->GetEngine(), game->GetUserDataFolder());
    saved.Load(profiles.GetCurrentProfile()->GetFileName());
    EXPECT_EQ(saved.mapStage, 0u);
    EXPECT_EQ(saved.mapLevel, 1u);
    EXPECT_EQ(saved.furthestLevel, 1u);
    EXPECT_EQ(saved.gameInProgress, 1u);
    EXPECT_GT(saved.score, pointsBefore);
    EXPECT_EQ(saved.GetBestTimes().size(), 1u);

    // A level of a few seconds against an ace time of a minute: the counted bonus is saved as the window goes.
    Click(kLevelCompleteNext);
    ASSERT_TRUE(RunUntil([&] { return Logic() != nullptr && Logic()->GetLevelRecord()->level == 1; }))
        << "the next level never started";
    Korvane::Profile afterBonus(game->GetEngine(), game->GetUserDataFolder());
    afterBonus.Load(profiles.GetCurrentProfile()->GetFileName());
    EXPECT_GT(afterBonus.score, saved.score);
    EXPECT_EQ(afterBonus.score, profiles.GetCurrentProfile()->score);
}

// A slow frame reads a quick click only after the pointer has gone on to another button: the button the click
// was made on acts, not the one under the pointer when the frame runs.
TEST_F(WholeGameTest, AMenuClickReadLateOpensTheWindowOfTheButtonItWasMadeOn)
{
    using Menu = Korvane::GUIMainMenuWindow;
    ProfileManagerBase& profiles = *game->GetProfileManager();
    profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ada"), 1);
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::MainMenu, StateId::GameLoading); }));
    const auto* menu = dynamic_cast<const Menu*>(game->GetWindow(WindowIndex::MainMenu));
    ASSERT_NE(menu, nullptr);
    // The players button takes input once it has come to its place under the pointer.
    MoveMouseTo(kMainMenuPlayers);
    const VelkorEngine::GUIButton* players = menu->GetButton(Menu::ChangePlayer);
    ASSERT_TRUE(RunUntil([&] { return players->IsEnabled() && players->GetState() == VelkorEngine::GUIButton::Hover; }));
    environment.bed.input.mouse.AddRecord(DIMOFS_BUTTON0, 0x80);
    environment.bed.input.mouse.AddRecord(DIMOFS_BUTTON0, 0x00);
    MoveMouseTo(kMainMenuOptions);
    EXPECT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::Profiles, StateId::MainMenu); }, 300));
    EXPECT_FALSE(IsShownWith(WindowIndex::Options, StateId::MainMenu));
}

TEST_F(WholeGameTest, SpacePausesThePlayAndThePauseWindowsButtonResumesIt)
{
    StartFirstLevel();
    Korvane::GameLogic& logic = *Logic();
    PressKey(DIK_SPACE);
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::GameLogicPause, StateId::Play); }, 10));
    EXPECT_EQ(logic.GetState(), GameLogicBase::StatePaused);
    Frames(90);
    // The pause notice's button: in its panel at (200, 170), at (80, 24), 240 x 44.
    Click(Vector2(200.0f + 80.0f + 120.0f, 170.0f + 24.0f + 22.0f));
    // The result of the release frame is handled in the next frame.
    Frames(1);
    EXPECT_EQ(logic.GetState(), GameLogicBase::StatePlaying);
    Frames(60);
    Click(kField);
    EXPECT_TRUE(RunUntil([&] { return logic.IsBallInPlay(); }, 60)) << "play did not take the click again";
}

TEST_F(WholeGameTest, EscapeOpensTheInGameMenuFromWhichThePlayerLeavesForTheMainMenu)
{
    StartFirstLevel();
    PressKey(DIK_ESCAPE);
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::GameLogicMenu, StateId::Play); }, 10));
    Frames(120);
    // The in-game menu's leave button: in its panel at (120, 70), at (140, 28), 280 x 44.
    Click(Vector2(120.0f + 140.0f + 140.0f, 60.0f + 28.0f + 22.0f));
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::GameLogicMenuExit, StateId::GameLogicMenu); }, 10));
    Frames(120);
    // The question's yes button: in its panel at (200, 170), at (28, 24), 164 x 44.
    Click(Vector2(200.0f + 28.0f + 82.0f, 170.0f + 24.0f + 22.0f));
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::MainMenu, StateId::GameLogicMenuExit); }, 10));
    EXPECT_EQ(game->GetGameLogic(), nullptr);
}

// The game-complete window is shown once per player: finishing the last level again passes on through it
// without showing it, and the finished game goes into the high scores once.
TEST_F(WholeGameTest, AGameCompletedASecondTimeEntersTheHighScoresOnce)
{
    StartLevel([](Korvane::Profile& profile) {
        profile.furthestStage = profile.mapStage = 1;
        profile.furthestLevel = profile.mapLevel = 4;
        profile.SetGameCompleteShowPending(false);
    });
    Korvane::GameLogic& logic = *Logic();
    ASSERT_EQ(logic.GetLevelRecord()->stage, 1u);
    Click(kField);
    ASSERT_TRUE(RunUntil([&] { return logic.IsBallInPlay(); }, 60));
    for (Korvane::Brick* brick : std::vector<Korvane::Brick*>(logic.GetGeometry().GetBricks()))
        if (brick->MustBeDestroyed())
            brick->Destroy(Korvane::DestroyKind::Super, false);
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::LevelComplete, StateId::Play); }, 600));
    Frames(240);
    const u32 entriesBefore = game->GetHighScores()->GetCount(0);
    Click(kLevelCompleteNext);
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::HighScores, StateId::GameComplete); }, 60));
    Frames(120);
    EXPECT_EQ(game->GetHighScores()->GetCount(0), entriesBefore + 1);
    EXPECT_EQ(game->GetGameLogic(), nullptr);
}

// Every burst of the data set runs a cycle of 0.1 to 0.3 s with its whole count due at its start: at twenty
// frames a second a click and a destroyed block still show every particle they owe.
TEST_F(WholeGameTest, AtTwentyFramesASecondAClickAndADestroyedBlockShowTheirParticles)
{
    frameTime = 1.0 / 20.0;
    const auto owed = [](const VelkorEngine::ParticleSystem& system) {
        return static_cast<u32>(system.GetParameters().emission[0]);
    };
    ProfileManagerBase& profiles = *game->GetProfileManager();
    profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ada"), 1);
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::MainMenu, StateId::GameLoading); }));
    const auto* cursor = dynamic_cast<const Korvane::GUIGameCursor*>(game->GetGameCursor());
    ASSERT_TRUE(cursor != nullptr && cursor->GetClick() != nullptr);
    // The sky above the main menu.
    Click(Vector2(100.0f, 550.0f));
    EXPECT_EQ(cursor->GetClick()->GetAliveCount(), owed(*cursor->GetClick()));

    StartFirstLevel();
    Korvane::GameLogic& logic = *Logic();
    const std::vector<Korvane::Brick*>& bricks = logic.GetGeometry().GetBricks();
    const auto brick = std::find_if(bricks.begin(), bricks.end(), [](auto* b) { return b->MustBeDestroyed(); });
    ASSERT_NE(brick, bricks.end());
    (*brick)->Destroy(Korvane::DestroyKind::Simple, false);
    Frames(1);
    const Korvane::Effects& effects = logic.GetEffects();
    const VelkorEngine::ParticleSystem* destruction = nullptr;
    for (u32 i = 0; i < effects.GetEffectCount(); ++i)
        if (effects.GetEffect(i)->GetName().find("destruction_simple") != std::string::npos)
            destruction = effects.GetEffect(i);
    ASSERT_NE(destruction, nullptr) << "the destroyed block's effect burnt out in its first frame";
    EXPECT_EQ(destruction->GetAliveCount(), owed(*destruction));
}

// Nine clicks 0.05 s apart, faster than anyone clicks, while a click's sparks live 0.4 s, then clicks 0.15 (a double
// click) and 0.3 s after the one before: each shows the click's whole burst where it was made, while the earlier
// bursts fade where theirs were.
TEST_F(WholeGameTest, QuickClicksEachShowTheirWholeBurstWhereTheyWereMade)
{
    ProfileManagerBase& profiles = *game->GetProfileManager();
    profiles.SetCurrentProfile(profiles.FindOrCreateProfile(L"Ada"), 1);
    ASSERT_TRUE(RunUntil([&] { return IsShownWith(WindowIndex::MainMenu, StateId::GameLoading); }));
    const auto* cursor = dynamic_cast<const Korvane::GUIGameCursor*>(game->GetGameCursor());
    ASSERT_TRUE(cursor != nullptr && cursor->GetClick() != nullptr);
    const VelkorEngine::ParticleSystem& burst = *cursor->GetClick();
    const u32 owed = static_cast<u32>(burst.GetParameters().emission[0]);
    // Frames at 60 a second from one press to the next.
    const int gaps[] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 9, 18};
    // Along the sky above the main menu, left of the bar's buttons: places more than twice a spark's reach apart, so
    // that no burst's sparks come near another's place, each taken again only once its last burst is over.
    constexpr int kPlaces = 9;
    constexpr float kPlaceSpacing = 66.0f;
    for (int i = 0; i < static_cast<int>(std::size(gaps)); ++i)
    {
        SCOPED_TRACE(i);
        const Vector2 place(40.0f + kPlaceSpacing * static_cast<float>(i % kPlaces), 550.0f);
        MoveMouseTo(place);
        Frames(gaps[i] - 2);
        SetLeftButton(true);
        Frames(1);
        EXPECT_LT(std::hypot(burst.emitterPosition.x - place.x, burst.emitterPosition.y - place.y), 2.0f);
        EXPECT_EQ(SparksNear(burst, place), owed);
        SetLeftButton(false);
        Frames(1);
    }
    EXPECT_TRUE(IsShownWith(WindowIndex::MainMenu, StateId::GameLoading));
}
}
