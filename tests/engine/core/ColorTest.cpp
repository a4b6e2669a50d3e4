// Colour arithmetic includes alpha; inequality has the common tolerance.
#include "engine/core/Color.h"

#include <gtest/gtest.h>

namespace VelkorEngine
{
namespace
{
void ExpectColor(const Color& c, f32 r, f32 g, f32 b, f32 a)
{
    EXPECT_FLOAT_EQ(c.r, r);
    EXPECT_FLOAT_EQ(c.g, g);
    EXPECT_FLOAT_EQ(c.b, b);
    EXPECT_FLOAT_EQ(c.a, a);
}

TEST(ColorMath, AlphaTakesPart)
{
    const Color c(0.5f, 0.25f, 1.0f, 0.5f);
    ExpectColor(c * 2.0f, 1.0f, 0.5f, 2.0f, 1.0f);
    ExpectColor(c + Color(0.5f, 0.5f, 0.5f, 0.5f), 1.0f, 0.75f, 1.5f, 1.0f);
    ExpectColor(c.Modulate(Color(0.5f, 2.0f, 0.0f, 0.5f)), 0.25f, 0.5f, 0.0f, 0.25f);
    Color d;
    d.Set(0.1f, 0.2f, 0.3f, 0.4f);
    ExpectColor(d, 0.1f, 0.2f, 0.3f, 0.4f);
}

TEST(ColorMath, InequalityHasTolerance)
{
    const Color white(1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_FALSE(white != Color(1.0f, 1.0f, 1.0f, 1.00009f));
    EXPECT_TRUE(white != Color(1.0f, 1.0f, 1.0f, 1.0002f));
    EXPECT_TRUE(white != Color(1.0f, 0.9f, 1.0f, 1.0f));
}
}
}
