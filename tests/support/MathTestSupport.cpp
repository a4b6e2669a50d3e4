// Values and expectations on the math value types shared by the engine and play tests.
#include "tests/support/MathTestSupport.h"

#include <gtest/gtest.h>

namespace TestSupport
{
void ExpectVector(const VelkorEngine::Vector3& actual, const VelkorEngine::Vector3& expected, float tolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
}
