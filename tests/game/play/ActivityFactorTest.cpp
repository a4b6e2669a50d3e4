// The activity factor and when the play objects hear of it.
#include "game/play/ActivityFactor.h"

#include <gtest/gtest.h>

using Korvane::ActivityFactor;

TEST(ActivityFactor, FallsToAStopInOneSecondOfPauseAndComesBackInOneOfPlay)
{
    ActivityFactor factor;
    int crossings = 0;
    for (int i = 0; i < 60; ++i)
        crossings += factor.Update(false, 0.02f) ? 1 : 0;
    EXPECT_EQ(factor.GetValue(), 0.0f);
    EXPECT_TRUE(factor.IsStopped());
    for (int i = 0; i < 60; ++i)
        crossings += factor.Update(true, 0.02f) ? 1 : 0;
    EXPECT_EQ(factor.GetValue(), 1.0f);
    EXPECT_FALSE(factor.IsStopped());
    EXPECT_EQ(crossings, 2);
}

TEST(ActivityFactor, AFactorExactlyOnTheThresholdIsNotStoppedAndTheNextStepBelowIsNotMissed)
{
    ActivityFactor factor(2.0f * ActivityFactor::StopThreshold);
    EXPECT_FALSE(factor.Update(false, ActivityFactor::StopThreshold));
    EXPECT_EQ(factor.GetValue(), ActivityFactor::StopThreshold);
    EXPECT_FALSE(factor.IsStopped());
    EXPECT_TRUE(factor.Update(false, ActivityFactor::StopThreshold));
    EXPECT_TRUE(factor.IsStopped());
    EXPECT_FALSE(factor.Update(false, 0.1f));
    // And back up through the threshold, landing on it first.
    EXPECT_FALSE(factor.Update(true, 0.0f));
    EXPECT_TRUE(factor.Update(true, ActivityFactor::StopThreshold));
    EXPECT_FALSE(factor.IsStopped());
}
