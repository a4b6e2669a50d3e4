// Where a full-screen frame is shown on displays of every shape, and how pointer positions cross between them.
#include "platform/win32/LetterboxViewport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

namespace
{
using Platform::LetterboxViewport;

struct Case
{
    LONG screenWidth, screenHeight, frameWidth, frameHeight;
    RECT viewport;
};

std::tuple<LONG, LONG, LONG, LONG> Tuple(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

TEST(LetterboxViewport, TheLargestRectangleOfTheFramesShapeCentred)
{
    const Case cases[] = {
        {1024, 768, 1024, 768, {0, 0, 1024, 768}},     // the display takes the mode
        {1280, 1024, 1024, 768, {0, 32, 1280, 992}},   // 5:4: bars above and below
        {1920, 1080, 1024, 768, {240, 0, 1680, 1080}}, // wide: bars at the sides
        {800, 600, 1024, 768, {0, 0, 800, 600}},       // smaller display, same shape: scaled down
        {800, 600, 640, 480, {0, 0, 800, 600}},
        {1920, 1080, 640, 480, {240, 0, 1680, 1080}},
        {1281, 1025, 1024, 768, {0, 32, 1281, 993}}, // odd sizes: 1281 * 3 / 4 = 960.75 rounds to 961
        {1023, 767, 800, 600, {0, 0, 1023, 767}},    // 767 * 4 / 3 = 1022.67 rounds to 1023: no bar
        {1000, 1000, 1024, 768, {0, 125, 1000, 875}},
        {600, 1024, 1024, 768, {0, 287, 600, 737}}, // narrower than 4:3, upright: 450 high
        {1, 1000, 1024, 768, {0, 499, 1, 500}},     // never an empty picture
    };
    for (const Case& c : cases)
    {
        const LetterboxViewport fit(RECT{0, 0, c.screenWidth, c.screenHeight}, c.frameWidth, c.frameHeight);
        EXPECT_EQ(Tuple(fit.Viewport()), Tuple(c.viewport))
            << c.screenWidth << "x" << c.screenHeight << " showing " << c.frameWidth << "x" << c.frameHeight;
    }
}

TEST(LetterboxViewport, OnlyAnExactFitHasNoBars)
{
    EXPECT_TRUE(LetterboxViewport(RECT{0, 0, 1024, 768}, 1024, 768).FillsScreen());
    EXPECT_TRUE(LetterboxViewport(RECT{0, 0, 1600, 1200}, 1024, 768).FillsScreen());
    EXPECT_FALSE(LetterboxViewport(RECT{0, 0, 1280, 1024}, 1024, 768).FillsScreen());
    EXPECT_FALSE(LetterboxViewport(RECT{0, 0, 1920, 1080}, 800, 600).FillsScreen());
}

TEST(LetterboxViewport, AScreenAwayFromTheOriginMovesThePicture)
{
    const LetterboxViewport fit(RECT{1920, 100, 3200, 1124}, 1024, 768);
    EXPECT_EQ(Tuple(fit.Viewport()), Tuple(RECT{1920, 132, 3200, 1092}));
    const POINT corner = fit.ToFrame(POINT{1920, 132});
    EXPECT_EQ(corner.x, 0);
    EXPECT_EQ(corner.y, 0);
}

TEST(LetterboxViewport, EmptySizesGiveAnEmptyViewportAndLeavePointsAlone)
{
    for (const auto& [screen, width, height] : {std::tuple{RECT{0, 0, 0, 0}, 1024, 768},
                                                std::tuple{RECT{0, 0, 1280, 1024}, 0, 768},
                                                std::tuple{RECT{10, 20, 5, 30}, 1024, 768}})
    {
        const LetterboxViewport fit(screen, width, height);
        EXPECT_EQ(fit.Viewport().right - fit.Viewport().left, 0);
        const POINT point = fit.ToFrame(POINT{7, 9});
        EXPECT_EQ(point.x, 7);
        EXPECT_EQ(point.y, 9);
    }
}

TEST(LetterboxViewport, PointerPositionsMapIntoTheFrameAndTheBarsFallOutside)
{
    const LetterboxViewport fit(RECT{0, 0, 1280, 1024}, 1024, 768);
    const auto frame = [&fit](LONG x, LONG y) {
        const POINT point = fit.ToFrame(POINT{x, y});
        return std::tuple{point.x, point.y};
    };
    EXPECT_EQ(frame(0, 32), std::tuple(0, 0));
    EXPECT_EQ(frame(1279, 991), std::tuple(1023, 767));
    EXPECT_EQ(frame(640, 512), std::tuple(512, 384));
    EXPECT_LT(std::get<1>(frame(640, 31)), 0) << "the bar above";
    EXPECT_LT(std::get<1>(frame(640, 0)), 0);
    EXPECT_GE(std::get<1>(frame(640, 992)), 768) << "the bar below";
    const LetterboxViewport wide(RECT{0, 0, 1920, 1080}, 1024, 768);
    EXPECT_LT(wide.ToFrame(POINT{239, 500}).x, 0) << "the bar on the left";
    EXPECT_EQ(wide.ToFrame(POINT{240, 500}).x, 0);
    EXPECT_GE(wide.ToFrame(POINT{1680, 500}).x, 1024) << "the bar on the right";
}

// The game's cursor is drawn at the frame position the pointer maps to: it must sit on the real pointer.
TEST(LetterboxViewport, APointerMappedAndDrawnBackLandsWithinAScreenPixelOrTwo)
{
    const std::tuple<LONG, LONG, LONG, LONG> shapes[] = {
        {1280, 1024, 1024, 768}, {1920, 1080, 1024, 768}, {800, 600, 1024, 768},
        {1920, 1080, 640, 480},  {1281, 1025, 800, 600},  {600, 1024, 1024, 768}};
    for (const auto& [screenWidth, screenHeight, frameWidth, frameHeight] : shapes)
    {
        const LetterboxViewport fit(RECT{0, 0, screenWidth, screenHeight}, frameWidth, frameHeight);
        const RECT& view = fit.Viewport();
        for (LONG x = view.left; x < view.right; x += 7)
            for (LONG y = view.top; y < view.bottom; y += 13)
            {
                const POINT back = fit.ToScreen(fit.ToFrame(POINT{x, y}));
                ASSERT_LE(std::abs(back.x - x), 2) << screenWidth << "x" << screenHeight << " at " << x << "," << y;
                ASSERT_LE(std::abs(back.y - y), 2) << screenWidth << "x" << screenHeight << " at " << x << "," << y;
            }
    }
}

TEST(LetterboxViewport, AFramePositionPlacedOnTheScreenReadsBackTheSameWhenScaledUp)
{
    const LetterboxViewport fit(RECT{0, 0, 1920, 1080}, 800, 600);
    for (LONG x = 0; x < 800; x += 3)
    {
        const POINT frame{x, 599 - x % 600};
        const POINT again = fit.ToFrame(fit.ToScreen(frame));
        ASSERT_EQ(again.x, frame.x);
        ASSERT_EQ(again.y, frame.y);
    }
}
}
