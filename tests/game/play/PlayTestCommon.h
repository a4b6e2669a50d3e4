// What several play tests share: the frame times they step objects and clocks by (named by their rate), the
// closeness of worked-out values, the frames a level is given to settle before its picture, and the level a
// parameterised test plays.
#pragma once

#include "engine/core/Types.h"

namespace PlayTest
{
constexpr VelkorEngine::f32 kFrame60Hz = 1.0f / 60.0f;
// A power of two of a second: such frames add up without rounding.
constexpr VelkorEngine::f32 kFrame64Hz = 1.0f / 64.0f;
constexpr VelkorEngine::f32 kFrame100Hz = 1.0f / 100.0f;
// The test beds' clocks count seconds in double.
constexpr double kClockFrame50Hz = 0.02;

// Places, directions and times worked out through a few float steps.
constexpr VelkorEngine::f32 kNear = 1e-4f;

// A level drawn for a picture is first run in long frames until its blocks have all appeared.
constexpr double kSettleSeconds = 3.5;
constexpr double kSettleFrameTime = 0.05;

// Both counted from 0.
struct LevelCase
{
    VelkorEngine::u32 stage;
    VelkorEngine::u32 level;
};
}
