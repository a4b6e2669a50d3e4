// Floating texts: how they grow, rise and fade frame by frame, how lines stack around their place, and where a
// point of the scene lands on the GUI screen through the camera's projection.
#include "game/app/GUIGameLogicText.h"
#include "game/app/GUIGameLogicTextManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/gui/GUIWindow.h"
#include "guitools/GUIFontTool.h"
#include "tests/support/WindowDescriptionBed.h"

#include <gtest/gtest.h>

using Korvane::GUIGameLogicTextManager;
using VelkorEngine::GUIWindow;
using VelkorEngine::Vector2;
using VelkorEngine::Vector3;

namespace
{
class FloatingTextTest : public ::testing::Test
{
protected:
    FloatingTextTest()
    {
        font = windows.Tools().GetFontTool()->GetFontIndex("text");
        manager = std::make_unique<GUIGameLogicTextManager>(&windows.gui.engine.GetEngine(), font, nullptr);
    }

    // Frames of 1/60 s: the engine's frame, then the texts' update, as the game logic runs it.
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            windows.gui.RunFrame();
            manager->Update();
        }
    }

    const GUIWindow::TextRecord& Line(VelkorEngine::u32 index) const { return manager->GetWindow()->GetText(index); }

    TestSupport::WindowDescriptionBed windows;
    VelkorEngine::i32 font = -1;
    std::unique_ptr<GUIGameLogicTextManager> manager;
};

TEST_F(FloatingTextTest, ATextGrowsRisesFadesAndGoesWithinItsTime)
{
    ASSERT_GE(font, 0);
    manager->CreateText(L"Life", Vector2(400.0f, 300.0f));
    struct Step
    {
        int frame;
        float height;
        float opacity;
        float rise;
    };
    // Ages of 0.1, 0.2, 1.2 and about 1.575 s (a whole frame count of 1/60 s lands at 1.5667 s).
    const Step steps[] = {{6, 11.0f, 0.5f, 0.0f},
                          {12, 22.0f, 1.0f, 0.0f},
                          {72, 22.0f, 1.0f, 35.0f},
                          {94, 22.0f, 1.0f - (94.0f / 60.0f - 1.2f) / 0.75f, (94.0f / 60.0f - 0.2f) * 35.0f}};
    int frame = 0;
    for (const Step& step : steps)
    {
        Frames(step.frame - frame);
        frame = step.frame;
        ASSERT_EQ(manager->GetTexts().size(), 1u);
        const auto& line = Line(0);
        EXPECT_NEAR(line.size, step.height, 0.01f) << frame;
        EXPECT_NEAR(line.color.a, step.opacity, 0.01f) << frame;
        EXPECT_NEAR(line.offset.y, 300.0f - step.height * 0.5f + step.rise, 0.05f) << frame;
        // Centred: the grid font's glyphs are half the size wide.
        EXPECT_NEAR(line.offset.x, 400.0f - 4.0f * step.height * 0.5f * 0.5f, 0.05f) << frame;
        EXPECT_EQ(line.font, font);
    }
    // 1.95 s is frame 117: the text is still drawn, spent, and deleted in that same update.
    Frames(116 - frame);
    EXPECT_EQ(manager->GetTexts().size(), 1u);
    Frames(2);
    EXPECT_TRUE(manager->GetTexts().empty());
}

TEST_F(FloatingTextTest, LinesStackDownwardsAroundThePlace)
{
    manager->CreateText(L"Two\nLines\n", Vector2(200.0f, 100.0f));
    Frames(12);
    ASSERT_EQ(manager->GetTexts().front()->GetLines().size(), 2u);
    ASSERT_EQ(manager->GetWindow()->GetTextCount(), 2u);
    EXPECT_NEAR(Line(0).offset.y, 100.0f, 0.05f);
    EXPECT_NEAR(Line(1).offset.y, 78.0f, 0.05f);
    EXPECT_EQ(Line(1).text, L"Lines");
}

// A text made at or past an edge of the screen is moved in just far enough for its lines, grown, to start wholly
// on it; one well inside stays where it was made. The grid font's glyphs are half their height wide.
TEST_F(FloatingTextTest, ATextStartsWhollyOnTheScreenWhereverItIsMade)
{
    struct Case
    {
        const wchar_t* text;
        Vector2 made;
        Vector2 place;
    };
    // "Life" is 44 wide at 22 high; two lines stand 44 high.
    for (const Case& c :
         {Case{L"Life", {400.0f, 300.0f}, {400.0f, 300.0f}}, Case{L"Life", {400.0f, 4.0f}, {400.0f, 11.0f}},
          Case{L"Life", {-30.0f, -50.0f}, {22.0f, 11.0f}}, Case{L"Life", {790.0f, 599.0f}, {778.0f, 589.0f}},
          Case{L"Two\nLines", {100.0f, 10.0f}, {100.0f, 22.0f}}})
    {
        manager = std::make_unique<GUIGameLogicTextManager>(&windows.gui.engine.GetEngine(), font, nullptr);
        manager->CreateText(c.text, c.made);
        EXPECT_NEAR(manager->GetTexts().front()->GetPosition().x, c.place.x, 0.05f) << c.made.x << " " << c.made.y;
        EXPECT_NEAR(manager->GetTexts().front()->GetPosition().y, c.place.y, 0.05f) << c.made.x << " " << c.made.y;
        Frames(12);
        for (VelkorEngine::u32 i = 0; i < manager->GetWindow()->GetTextCount(); ++i)
        {
            EXPECT_GE(Line(i).offset.x, -0.05f);
            EXPECT_GE(Line(i).offset.y, -0.05f);
            EXPECT_LE(Line(i).offset.y + Line(i).size, 600.05f);
        }
    }
}

TEST_F(FloatingTextTest, AnEmptyTextDrawsNothingButLivesItsTime)
{
    manager->CreateText(L"", Vector2(10.0f, 10.0f));
    Frames(100);
    EXPECT_EQ(manager->GetTexts().size(), 1u);
    EXPECT_EQ(manager->GetWindow()->GetTextCount(), 0u);
    Frames(18);
    EXPECT_TRUE(manager->GetTexts().empty());
}

TEST_F(FloatingTextTest, TextsGoInTheOrderTheyCame)
{
    manager->CreateText(L"first", Vector2(10.0f, 10.0f));
    Frames(60);
    manager->CreateText(L"second", Vector2(10.0f, 10.0f));
    Frames(58);
    ASSERT_EQ(manager->GetTexts().size(), 1u);
    EXPECT_EQ(manager->GetTexts().front()->GetLines().front(), L"second");
}

// The camera looks along -z from the origin: a point above the view axis must land above the screen's middle,
// as the GUI counts y upwards; one to the right lands right of it.
TEST_F(FloatingTextTest, AScenePointLandsWhereTheCameraShowsIt)
{
    Frames(1);
    struct Case
    {
        Vector3 point;
        bool above;
        bool right;
    };
    for (const Case& c : {Case{{0.0f, 20.0f, -50.0f}, true, false}, Case{{0.0f, -20.0f, -50.0f}, false, false},
                          Case{{20.0f, 0.0f, -50.0f}, false, true}})
    {
        manager = std::make_unique<GUIGameLogicTextManager>(&windows.gui.engine.GetEngine(), font, nullptr);
        manager->CreateTextAt(L"x", c.point);
        ASSERT_EQ(manager->GetTexts().size(), 1u);
        const Vector2 place = manager->GetTexts().front()->GetPosition();
        EXPECT_EQ(place.y > 300.5f, c.above);
        EXPECT_EQ(place.y < 299.5f, !c.above && c.point.y < 0.0f);
        EXPECT_EQ(place.x > 400.5f, c.right);
    }
    manager->CreateTextAt(L"x", Vector3(0.0f, 0.0f, -50.0f));
    EXPECT_NEAR(manager->GetTexts().back()->GetPosition().x, 400.0f, 0.01f);
    EXPECT_NEAR(manager->GetTexts().back()->GetPosition().y, 300.0f, 0.01f);
}

// The play's camera as the game logic sets it up. Texts are made while the play is updated, after the frame has
// been drawn, when the camera manager's current camera is still the GUI's flat one that drew the last GUI model.
TEST_F(FloatingTextTest, ThePlaysPointsLandOnTheGUIScreenWhereThePlaysCameraShowsThem)
{
    VelkorEngine::Engine& engine = windows.gui.engine.GetEngine();
    VelkorEngine::CameraManager& cameras = *engine.GetCameraManager();
    VelkorEngine::Camera& play = *cameras.GetDefaultCamera();
    play.fieldOfView = 3.14159265f / 2.0f;
    play.nearPlane = 70.0f;
    play.farPlane = 650.0f;
    play.orientation = VelkorEngine::Quaternion(0.4939f, 0.0f, 0.0f, 0.8695f);
    play.position = Vector3(0.0f, -140.0f, 98.0f);
    Frames(1);
    cameras.SetCurrentCamera(engine.GetGUIManager()->GetCamera(), false);
    struct Case
    {
        Vector3 point;
        Vector2 place;
    };
    // The field's centre, the far wall's right corner and a point just over the bat line on the left.
    for (const Case& c : {Case{{0.0f, 0.0f, 0.0f}, {400.0f, 261.96f}}, Case{{77.0f, 110.0f, 0.0f}, {551.03f, 386.02f}},
                          Case{{-40.0f, -85.0f, 5.0f}, {180.91f, 16.75f}}})
    {
        manager = std::make_unique<GUIGameLogicTextManager>(&engine, font, nullptr);
        manager->CreateTextAt(L"x", c.point);
        ASSERT_EQ(manager->GetTexts().size(), 1u);
        const Vector2 place = manager->GetTexts().front()->GetPosition();
        EXPECT_NEAR(place.x, c.place.x, 0.5f) << c.point.x << " " << c.point.y;
        EXPECT_NEAR(place.y, c.place.y, 0.5f) << c.point.x << " " << c.point.y;
    }
}

TEST_F(FloatingTextTest, NoTextWhileTheWindowHasNoClientArea)
{
    windows.gui.engine.GetEngine().GetWindow()->SetMode(0, 0, 0, 800, 600);
    manager->CreateTextAt(L"x", Vector3(0.0f, 0.0f, -50.0f));
    EXPECT_TRUE(manager->GetTexts().empty());
}
}
