// How the level's blocks stand on one another: each block's supports and dependents, the height it rests at,
// its hop when the block beneath it goes or is shaken, its fall back under gravity and the order in which the
// stacks appear at the start of a level, from the bottom up. Blocks are known here by their ids; the blocks
// themselves draw what this decides. Heights are the bottoms of the blocks along z.
#pragma once

#include "engine/core/Types.h"

#include <vector>

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class BlockStack
{
public:
    static constexpr f32 Gravity = 100.0f;
    static constexpr f32 HopPerHeight = 0.8f;
    static constexpr f32 HopBase = 20.0f;
    // A dependent rests on a support whose top lies this close to its bottom.
    static constexpr f32 RestingTolerance = 3.0f;
    static constexpr f32 LeastAppearDelay = 0.15f;
    static constexpr f32 MostAppearDelay = 0.35f;

    // Returns the new block's id, counted from 0. A fixed block never hops nor falls.
    u32 AddBlock(f32 halfHeight, bool reacts);
    // The block rests on the support (both lists learn it, once). A block cannot rest on itself.
    void AddSupport(u32 block, u32 support);
    // Takes a destroyed block out of every stack: what rested on it now rests on what it rested on, and the other
    // way round.
    void Remove(u32 block);

    // Where a block rests: on the floor (0) or on top of the highest of its supports as they rest.
    f32 SupportHeight(u32 block);
    // Every block at the height it rests at, hidden and waiting to appear, floor blocks first.
    void Activate();
    // Throws a reacting block up; what rests on it only on this block hops with it.
    void Hop(u32 block);
    // One frame: appearances count down and reacting blocks fall back onto what holds them. Returns the blocks
    // that appeared in this frame.
    const std::vector<u32>& Update(f32 dt);

    u32 GetBlockCount() const { return static_cast<u32>(m_blocks.size()); }
    const std::vector<u32>& GetSupports(u32 block) const { return m_blocks[block].supports; }
    const std::vector<u32>& GetDependents(u32 block) const { return m_blocks[block].dependents; }
    f32 GetHeight(u32 block) const { return m_blocks[block].height; }
    f32 GetTop(u32 block) const { return m_blocks[block].height + 2.0f * m_blocks[block].halfHeight; }
    // How far the block has moved from where it stood when the level began.
    f32 GetFallOffset(u32 block) const;
    f32 GetVerticalSpeed(u32 block) const { return m_blocks[block].speed; }
    bool IsAppearing(u32 block) const { return m_blocks[block].appearPending != 0; }

private:
    struct Entry
    {
        f32 halfHeight = 0.0f;
        u8 reacts = 1;
        u8 removed = 0;
        std::vector<u32> supports;
        std::vector<u32> dependents;
        f32 initialHeight = 0.0f;
        f32 height = 0.0f;
        f32 speed = 0.0f;
        u8 appearPending = 0;
        f32 appearDelay = 0.0f;
        // The support height worked out in the current round, valid while the stamp matches.
        f32 restingHeight = 0.0f;
        u32 stamp = 0;
    };

    void ScheduleAppear(u32 block, f32 delay);
    bool ShouldHopWith(u32 dependent, u32 hopping) const;
    f32 RestingHeight(u32 block);
    static void AddOnce(std::vector<u32>& list, u32 id);
    static void Erase(std::vector<u32>& list, u32 id);

    std::vector<Entry> m_blocks;
    std::vector<u32> m_appeared;
    // Support heights are worked out once per round; a change to the stacks or a new frame starts a round.
    u32 m_round = 1;
};
}
