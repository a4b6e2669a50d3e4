// What a hit does to a brick: a hard brick loses one of its strengths and shows the next texture frame, an
// unbreakable one takes 25 hits, anything else breaks at once, and a super ball breaks everything; with the score
// event and the sound of each outcome.
#pragma once

#include "engine/core/Types.h"

namespace Korvane
{
using VelkorEngine::i32;
using VelkorEngine::u32;

namespace BlockKind
{
inline constexpr u32 Ordinary = 1;
inline constexpr u32 Hard = 2;
inline constexpr u32 Unbreakable = 4;
inline constexpr u32 Invisible = 8;
inline constexpr u32 Explosive = 16;
}

// How a block is destroyed: by a simple hit or by a super ball (or a blast).
namespace DestroyKind
{
inline constexpr u32 Simple = 0;
inline constexpr u32 Super = 1;
}

struct BrickHit
{
    enum class Outcome
    {
        Weakened,
        Dented,
        Broken
    };

    Outcome outcome = Outcome::Broken;
    // -1 for none.
    i32 scoreEvent = -1;
    u32 sound = 0;
    // A weakened hard brick shows this texture frame.
    u32 frame = 0;
    // A broken explosive brick goes up as a super destruction that blasts its neighbours.
    bool blasts = false;
};

class BrickDurability
{
public:
    static constexpr i32 UnbreakableHits = 25;

    // strength: 0 unbreakable, 1 ordinary, more for a hard brick.
    BrickDurability(i32 strength, bool invisible, bool explosive);

    // crashCounter: shared by all the level's bricks, so that ordinary bricks take turns with their three
    // crash sounds. frameCount: the texture frames of the brick's shader.
    BrickHit TakeHit(u32 destroyKind, u32 frameCount, u32& crashCounter);

    u32 GetFlags() const { return m_flags; }
    i32 GetStrength() const { return m_strength; }

private:
    BrickHit Break(u32& crashCounter) const;

    u32 m_flags = 0;
    i32 m_strength = 1;
};
}
