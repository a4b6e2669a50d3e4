// The root of every framework window: what update, show and hide do to the result and the state id, and how
// a result outlives a dispatch only when it was stored while the window was being shown.
#include "framework/GUIFrameworkWindow.h"

#include <gtest/gtest.h>

using GameFramework::GUIFrameworkWindow;

TEST(GUIFrameworkWindowTest, StartsWithoutStateOrResultAndAnExpiringResult)
{
    GUIFrameworkWindow window;
    EXPECT_EQ(window.GetStateId(), 0u);
    EXPECT_EQ(window.GetResultCode(), 0u);
    EXPECT_TRUE(window.DoesResultExpire());
}

TEST(GUIFrameworkWindowTest, UpdateClearsTheResultAndShowKeepsTheLatestStateId)
{
    GUIFrameworkWindow window;
    window.Show(6);
    window.Show(17);
    window.SetResultCode(3);
    EXPECT_EQ(window.GetStateId(), 17u);
    window.Update();
    EXPECT_EQ(window.GetResultCode(), 0u);
    EXPECT_EQ(window.GetStateId(), 17u);
}

TEST(GUIFrameworkWindowTest, AResultOfTheUpdateIsGoneAfterOneDispatch)
{
    GUIFrameworkWindow window;
    window.SetResultCode(5);
    window.ExpireResult();
    EXPECT_EQ(window.GetResultCode(), 0u);
}

TEST(GUIFrameworkWindowTest, AResultStoredWhileShownSurvivesOneDispatchOnly)
{
    GUIFrameworkWindow window;
    window.SetLastingResultCode(21);
    EXPECT_FALSE(window.DoesResultExpire());
    window.ExpireResult();
    EXPECT_EQ(window.GetResultCode(), 21u);
    EXPECT_TRUE(window.DoesResultExpire());
    window.ExpireResult();
    EXPECT_EQ(window.GetResultCode(), 0u);
}

TEST(GUIFrameworkWindowTest, HidingMakesAKeptResultExpireAgain)
{
    GUIFrameworkWindow window;
    window.SetLastingResultCode(20);
    window.Hide();
    EXPECT_TRUE(window.DoesResultExpire());
    window.ExpireResult();
    EXPECT_EQ(window.GetResultCode(), 0u);
}

TEST(GUIFrameworkWindowTest, AHandledResultGoesAtTheEndOfTheDispatchEvenWhenKept)
{
    GUIFrameworkWindow window;
    window.SetLastingResultCode(1);
    window.LetResultExpire();
    EXPECT_EQ(window.GetResultCode(), 1u) << "still there for the rest of this dispatch";
    window.ExpireResult();
    EXPECT_EQ(window.GetResultCode(), 0u);
}
