// The level map on the shipped description and a map file of five markers over two stages: which markers
// show as passed, selected, ahead or locked, choosing by click and starting by double click, the selected
// path step's look, the forwarding shows, the read-only map after a stage, the blinking locked steps, and the
// markers whole once the map takes input.
#include "game/app/GUIMapElement.h"
#include "game/app/GUIStartGameLogicWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/Vector3.h"
#include "engine/scene/ModelManager.h"
#include "framework/GameWindowIds.h"
#include "framework/ProfileBase.h"
#include "game/app/GameData.h"
#include "game/play/LevelManager.h"
#include "guitools/GUITextControl.h"
#include "tests/game/app/PlayWindowBed.h"
#include "tools/formats/MapFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace GameFramework;
using namespace Korvane;
using VelkorEngine::u32;
using VelkorEngine::Vector2;
using VelkorEngine::Vector3;
using Type = KorvaneTools::MapElementType;

namespace
{
// The map's panel stands at (60, 90); the markers at these places inside it.
const Vector2 kPanel(60.0f, 90.0f);
const Vector2 kPlaces[] = {{80, 60}, {170, 90}, {250, 130}, {320, 320}, {600, 100}};

class LevelMapWindowTest : public testing::Test
{
protected:
    LevelMapWindowTest()
    {
        bed.WriteLevels({3, 2});
        const Type types[] = {Type::Start, Type::Path, Type::Path, Type::CheckPoint, Type::Finish};
        std::vector<KorvaneTools::MapElement> elements;
        for (std::size_t i = 0; i < 5; ++i)
            elements.push_back({types[i], KorvaneTools::TranslationPlacement(kPlaces[i].x, kPlaces[i].y, 0.0f)});
        bed.windows.gui.engine.folder.WriteFile("data/ui/map/map.gmf", KorvaneTools::WriteMapFile(elements));
        VelkorEngine::ModelManager* models = bed.Engine().GetModelManager();
        for (const char* name : {"ui/map_start", "ui/map_finish", "ui/map_check_point", "ui/map_path"})
            bed.data->AddModel(name, models->NewBoxModel(Vector3(-12.0f, -12.0f, 0.0f), Vector3(12.0f, 12.0f, 4.0f),
                                                         nullptr, nullptr, 0));
        levels = std::make_unique<LevelManager>(&bed.Engine());
        map = std::make_unique<GUIStartGameLogicWindow>(&bed.Engine(), bed.sounds.get(), levels.get(),
                                                        bed.profiles.get(), bed.data.get(), &bed.windows.Tools(),
                                                        bed.menus.get(), nullptr);
        bed.Add(map.get());
    }

    void Reached(u32 stage, u32 level)
    {
        bed.Player().furthestStage = stage;
        bed.Player().furthestLevel = level;
    }

    void Open(u32 stateId = StateId::MainMenu)
    {
        map->Show(stateId);
        bed.RunFrames(90);
    }

    GUIMapElement& Marker(std::size_t index) { return *map->GetElements()[index]; }

    static Vector2 At(std::size_t index) { return Vector2(kPanel.x + kPlaces[index].x, kPanel.y + kPlaces[index].y); }

    std::vector<u32> States()
    {
        std::vector<u32> states;
        for (const auto& element : map->GetElements())
            states.push_back(element->IsVisible() ? element->GetState() : 99u);
        return states;
    }

    // The map position as the profile file on disk holds it.
    std::pair<u32, u32> SavedMapPosition()
    {
        FrameworkTest::TestProfile saved(&bed.Engine(), bed.windows.gui.engine.folder / "user");
        saved.Load(bed.Player().GetFileName());
        return {saved.mapStage, saved.mapLevel};
    }

    AppTest::PlayWindowBed bed;
    std::unique_ptr<LevelManager> levels;
    std::unique_ptr<GUIStartGameLogicWindow> map;
};

TEST_F(LevelMapWindowTest, MarkersAreNumberedAndPlacedInsideThePanel)
{
    ASSERT_EQ(map->GetElements().size(), 5u);
    EXPECT_EQ(Marker(3).GetStage(), 1u);
    EXPECT_EQ(Marker(3).GetLevel(), 0u);
    EXPECT_EQ(Marker(4).GetLevel(), 1u);
    EXPECT_FLOAT_EQ(Marker(1).GetMatrix().m[3], kPanel.x + kPlaces[1].x);
    EXPECT_FLOAT_EQ(Marker(1).GetMatrix().m[7], kPanel.y + kPlaces[1].y);
}

TEST_F(LevelMapWindowTest, PassedSelectedAheadAndHiddenMarkers)
{
    Reached(1, 0);
    bed.Player().mapStage = 0;
    bed.Player().mapLevel = 1;
    Open();
    using M = GUIMapElement;
    // The selected path step, passed and ahead markers; the blinking has shown the finish as locked.
    EXPECT_EQ(States(), (std::vector<u32>{M::Passed, M::Selected, M::Ahead, M::Ahead, M::Locked}));
    EXPECT_TRUE(Marker(1).HasCheckPointLook());
    EXPECT_GT(Marker(0).GetFade(), 0.99f);
}

TEST_F(LevelMapWindowTest, ALevelBeyondTheFurthestSelectsTheFurthest)
{
    Reached(0, 1);
    Open();
    map->SelectMapPosition(1, 1);
    EXPECT_EQ(Marker(1).GetState(), GUIMapElement::Selected);
    EXPECT_EQ(SavedMapPosition(), (std::pair<u32, u32>{0, 1}));
    map->SelectMapPosition(0, 2);
    EXPECT_EQ(bed.Player().mapLevel, 1u);
}

TEST_F(LevelMapWindowTest, AClickSelectsAndSavesADoubleClickStarts)
{
    Reached(1, 1);
    Open();
    bed.Click(At(2));
    EXPECT_EQ(Marker(2).GetState(), GUIMapElement::Selected);
    EXPECT_EQ(Marker(0).GetState(), GUIMapElement::Passed);
    EXPECT_EQ(SavedMapPosition(), (std::pair<u32, u32>{0, 2}));
    EXPECT_EQ(map->GetResultCode(), 0u);
    // The selected path step took the check point's look; the one selected before went back to the path's.
    bed.Click(At(1));
    EXPECT_TRUE(Marker(1).HasCheckPointLook());
    EXPECT_FALSE(Marker(2).HasCheckPointLook());
    bed.Click(At(3));
    bed.windows.gui.PressMouse();
    bed.RunFrames(1);
    bed.windows.gui.ReleaseMouse();
    bed.RunFrames(1);
    EXPECT_EQ(map->GetResultCode(), ResultCode::Start);
    EXPECT_EQ(bed.Player().mapStage, 1u);
}

// A marker changing its look keeps being shown, or hidden, as it was, whether or not anything shows it again
// afterwards.
TEST_F(LevelMapWindowTest, ALookChangeKeepsTheMarkersVisibility)
{
    Reached(1, 1);
    Open();
    GUIMapElement& step = Marker(2);
    ASSERT_TRUE(step.IsVisible());
    const auto visible = [](const VelkorEngine::GUIWindow* window)
    { return window && (window->GetStateBits() & VelkorEngine::GUIWindow::StateVisible) != 0; };
    for (bool on : {true, false})
    {
        step.SetCheckPointLook(on);
        ASSERT_EQ(step.HasCheckPointLook(), on);
        EXPECT_TRUE(step.IsVisible()) << on;
        EXPECT_TRUE(visible(step.GetShadowWindow())) << on;
    }
    step.Show(false);
    step.SetCheckPointLook(true);
    EXPECT_FALSE(step.IsVisible());
    EXPECT_FALSE(visible(step.GetShadowWindow()));
}

TEST_F(LevelMapWindowTest, LockedMarkersTakeNoClick)
{
    Reached(0, 0);
    Open();
    ASSERT_EQ(Marker(1).GetState(), GUIMapElement::Locked);
    ASSERT_TRUE(Marker(1).IsVisible());
    bed.Click(At(1));
    bed.Click(At(1));
    EXPECT_EQ(Marker(0).GetState(), GUIMapElement::Selected);
    EXPECT_EQ(map->GetResultCode(), 0u);
}

TEST_F(LevelMapWindowTest, OnTheWayToTheNextLevelTheMapPassesOnWithoutAppearing)
{
    for (u32 from : {StateId::LevelComplete, StateId::GameLogicRestart})
    {
        map->Show(from);
        bed.RunFrames(1);
        EXPECT_EQ(map->GetResultCode(), ResultCode::Start) << from;
        EXPECT_FALSE(map->GetMenuWindow().IsShowRequested());
        bed.RunFrames(1);
        EXPECT_EQ(map->GetResultCode(), 0u);
        map->Hide();
    }
    bed.Player().gameInProgress = 1;
    map->Show(StateId::ContinueGame);
    bed.RunFrames(1);
    EXPECT_EQ(map->GetResultCode(), ResultCode::Start);
    map->Hide();
    bed.Player().gameInProgress = 0;
    map->Show(StateId::ContinueGame);
    bed.RunFrames(1);
    EXPECT_EQ(map->GetResultCode(), 0u);
    EXPECT_TRUE(map->GetMenuWindow().IsShowRequested());
}

TEST_F(LevelMapWindowTest, AfterAStageTheMapIsOnlyShown)
{
    Reached(1, 0);
    bed.Player().mapStage = 1;
    Open(StateId::StageComplete);
    EXPECT_EQ(map->GetMenuWindow().GetTextControl("window_start_game_logic/title")->GetKey(),
              "start_game/title_stage_is_passed");
    bed.Click(At(1));
    bed.Click(At(1));
    EXPECT_EQ(Marker(3).GetState(), GUIMapElement::Selected);
    EXPECT_EQ(map->GetResultCode(), 0u);
    map->Hide();
    bed.RunFrames(60);
    Open();
    EXPECT_EQ(map->GetMenuWindow().GetTextControl("window_start_game_logic/title")->GetKey(),
              "start_game/title_select_level");
}

// Each locked step fades in over 0.3 s, the next 0.15 s later; they fade out from 0.6 s on in the same
// order, and the cycle starts again.
TEST_F(LevelMapWindowTest, LockedStepsBlinkOneAfterAnother)
{
    Reached(0, 0);
    map->Show(StateId::MainMenu);
    auto share = [](float u) { return std::clamp(u / 0.3f, 0.0f, 1.0f); };
    bool sawFullCycle = false;
    bool finishSeen = false;
    for (int frame = 0; frame < 200; ++frame)
    {
        bed.RunFrames(1);
        const float t = map->GetAnimationTime();
        if (t < 0.59f)
        {
            // Fading in: each step a quarter of the fade later than the one before; the check point closes the row.
            for (std::size_t step = 1; step <= 3; ++step)
            {
                const float u = t - 0.15f * static_cast<float>(step - 1);
                if (t <= 0.0f || (step > 1 && u < 0.0001f))
                    continue;
                EXPECT_TRUE(Marker(step).IsVisible());
                EXPECT_EQ(Marker(step).GetState(), GUIMapElement::Locked);
                EXPECT_NEAR(Marker(step).GetStateAlpha(), share(u), 0.01f) << step << " at " << t;
            }
        }
        else if (t > 0.61f && t < 0.74f)
        {
            EXPECT_NEAR(Marker(1).GetStateAlpha(), 1.0f - share(t - 0.6f), 0.01f) << t;
        }
        sawFullCycle = sawFullCycle || (t > 1.0f && Marker(3).GetStateAlpha() < 0.01f);
        finishSeen = finishSeen || Marker(4).IsVisible();
    }
    EXPECT_TRUE(sawFullCycle);
    EXPECT_LT(map->GetAnimationTime(), 2.0f);
    EXPECT_FALSE(finishSeen);
}
}

// A driver clicks once the log says the map takes input: the markers, which fade in with the start button's
// title, are whole by then, at any frame rate.
TEST_F(LevelMapWindowTest, TheMapTakesInputOnceItsMarkersHaveFadedIn)
{
    Reached(1, 1);
    map->Show(StateId::MainMenu);
    const std::string line = std::string("Window ") + GUIStartGameLogicWindow::WindowName + " takes input";
    int frames = 0;
    for (; frames < 60 && bed.windows.gui.engine.LogText().find(line) == std::string::npos; ++frames)
    {
        // A busy machine's frames: a tenth of a second each.
        bed.windows.gui.engine.clock.AdvanceSeconds(0.1 - 1.0 / 60.0);
        bed.RunFrames(1);
    }
    ASSERT_LT(frames, 60) << "the map never said it takes input";
    for (const auto& element : map->GetElements())
    {
        if (!element->IsVisible())
            continue;
        EXPECT_NEAR(element->GetFade(), 1.0f, 0.001f) << "marker " << element->GetStage() << "-" << element->GetLevel();
    }
}
