// The models and effects of the bat's weapons for play tests: boxes standing in for the guns, their bolts, the
// hammer and the barrier, with the frame counts and speeds of the game's own models so that their clips take
// as long as in play, and the particle system the engine makes itself in place of the bolts' trails and bursts.
#pragma once

namespace GameTools
{
class DataKeeper;
}

namespace VelkorEngine
{
class Engine;
}

namespace TestSupport
{
struct WeaponTestModels
{
    // Where the stand-in bolts lie in bat space: along +y, as high as a loaded bolt on its gun.
    static constexpr float BoltHeight = 6.0f;
    // The barrier's ropes lie along x at this y, as in the game.
    static constexpr float RopeY = -97.0f;

    static void Add(VelkorEngine::Engine& engine, GameTools::DataKeeper& resources);
};
}
