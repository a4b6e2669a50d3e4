// Double clicks on watched widgets, scripted through the engine's mouse device and the fake clock.
#include "framework/GUIDoubleClickDetecter.h"

#include "engine/core/MessageManager.h"
#include "engine/gui/GUIWindow.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

using namespace GameFramework;
using VelkorEngine::GUIWindow;
using VelkorEngine::Vector2;

namespace
{
enum Target
{
    Nowhere = -1,
    A = 0,
    B = 1
};

enum Action
{
    Nothing,
    Press,
    Release,
    Click // press and release within one frame
};

struct Step
{
    double seconds; // the clock moves this much before the frame
    Action action;
    Target target;
};

class GUIDoubleClickDetecterTest : public ::testing::Test
{
protected:
    GUIDoubleClickDetecterTest() : detecter(&gui.engine.GetEngine())
    {
        widgets[A] = gui.Manager().CreateWindow(GUIWindow::StateVisible, Vector2(100, 100), Vector2(100, 50), nullptr,
                                                nullptr);
        widgets[B] = gui.Manager().CreateWindow(GUIWindow::StateVisible, Vector2(400, 100), Vector2(100, 50), nullptr,
                                                nullptr);
        detecter.AddWidget(widgets[A]);
        detecter.AddWidget(widgets[B]);
        Frame({1.0, Nothing, Nowhere});
    }

    // One frame: the engine reads the input and hands the GUI its mouse, then the detecter looks.
    bool Frame(const Step& step)
    {
        if (step.target == Nowhere)
            gui.MoveMouseTo(Vector2(700, 500));
        else
            gui.MoveMouseTo(Vector2(widgets[step.target]->GetAbsolutePosition().x + 50, widgets[step.target]->GetAbsolutePosition().y + 25));
        if (step.action == Press || step.action == Click)
            gui.PressMouse();
        if (step.action == Release || step.action == Click)
            gui.ReleaseMouse();
        gui.engine.clock.AdvanceSeconds(step.seconds);
        VelkorEngine::Engine& engine = gui.engine.GetEngine();
        engine.Render();
        detecter.Update();
        engine.Frame(0);
        return detecter.IsDoubleClicked();
    }

    // The index of the frame that raised the flag, -1 when none did.
    int Run(const std::vector<Step>& steps)
    {
        int raised = -1;
        for (size_t i = 0; i < steps.size(); ++i)
            if (Frame(steps[i]))
            {
                EXPECT_EQ(raised, -1) << "raised twice";
                raised = static_cast<int>(i);
            }
        return raised;
    }

    TestSupport::GUITestBed gui;
    GUIDoubleClickDetecter detecter;
    GUIWindow* widgets[2] = {};
};
}

TEST_F(GUIDoubleClickDetecterTest, SequencesTable)
{
    struct Case
    {
        const char* what;
        std::vector<Step> steps;
        int raisedAt;
    };
    const std::vector<Case> cases = {
        {"press, release, press, release on one widget",
         {{0.1, Press, A}, {0.1, Release, A}, {0.1, Press, A}, {0.1, Release, A}, {0.1, Nothing, A}},
         3},
        {"two clicks each within a frame",
         {{0.05, Click, A}, {0.05, Nothing, A}, {0.05, Click, A}, {0.05, Nothing, A}, {0.05, Nothing, A}},
         3},
        {"two quick clicks on two widgets", {{0.05, Click, A}, {0.05, Nothing, A}, {0.05, Click, B}, {0.05, Nothing, B}, {0.05, Nothing, B}}, -1},
        {"second release 0.7 s after the first press",
         {{0.1, Press, B}, {0.1, Release, B}, {0.1, Press, B}, {0.4, Nothing, B}, {0.1, Release, B}},
         -1},
        {"second press on empty space", {{0.1, Click, A}, {0.1, Nothing, A}, {0.1, Click, Nowhere}, {0.1, Nothing, A}}, -1},
        {"first click elsewhere, then a double click on B",
         {{0.1, Click, Nowhere}, {0.1, Click, B}, {0.1, Nothing, B}, {0.1, Click, B}, {0.1, Nothing, B}},
         4},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(Run(c.steps), c.raisedAt) << c.what;
        Frame({1.0, Nothing, Nowhere});
    }
}

TEST_F(GUIDoubleClickDetecterTest, TheFlagNamesTheWidgetForOneFrame)
{
    Run({{0.05, Click, B}, {0.05, Nothing, B}, {0.05, Click, B}});
    EXPECT_TRUE(Frame({0.05, Nothing, B}));
    EXPECT_EQ(detecter.GetCandidate(), widgets[B]);
    EXPECT_FALSE(Frame({0.05, Nothing, B}));
}

TEST_F(GUIDoubleClickDetecterTest, AHiddenOrUnwatchedWidgetIsNotClicked)
{
    widgets[A]->ClearState(GUIWindow::StateVisible);
    widgets[A]->UpdateVisibility();
    EXPECT_EQ(Run({{0.05, Click, A}, {0.05, Nothing, A}, {0.05, Click, A}, {0.05, Nothing, A}}), -1);
    detecter.RemoveWidget(widgets[B]);
    EXPECT_EQ(Run({{1.0, Click, B}, {0.05, Nothing, B}, {0.05, Click, B}, {0.05, Nothing, B}}), -1);
}

TEST_F(GUIDoubleClickDetecterTest, RemovingTheClickedWidgetEndsItsSequence)
{
    Run({{0.05, Click, A}, {0.05, Nothing, A}});
    EXPECT_EQ(detecter.GetCandidate(), widgets[A]);
    detecter.RemoveWidget(widgets[A]);
    detecter.RemoveWidget(nullptr);
    EXPECT_EQ(detecter.GetCandidate(), nullptr);
    EXPECT_EQ(Run({{0.05, Click, A}, {0.05, Nothing, A}}), -1);
    EXPECT_EQ(detecter.GetCandidate(), nullptr);
}

TEST_F(GUIDoubleClickDetecterTest, ANullWidgetIsRefusedAndTheOthersStillWork)
{
    detecter.AddWidget(nullptr);
    const auto errors = gui.engine.Records(VelkorEngine::MessageManager::KindError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("(GUIDoubleClickDetecter::AddWidget)"), std::string::npos) << errors[0];
    EXPECT_EQ(Run({{0.05, Click, Nowhere}, {0.05, Click, B}, {0.05, Nothing, B}, {0.05, Click, B}, {0.05, Nothing, B}}),
              4);
}
