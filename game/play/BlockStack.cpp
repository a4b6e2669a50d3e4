// Supports, resting heights, hops, falls and appearances of the level's blocks. Every walk over the stacks is
// iterative with its own work list, so no level, however tall or strangely linked, can exhaust the call stack or
// loop for ever.
#include "game/play/BlockStack.h"

#include "engine/core/MathTolerance.h"
#include "engine/core/Random.h"

#include <algorithm>

namespace Korvane
{
u32 BlockStack::AddBlock(f32 halfHeight, bool reacts)
{
    Entry entry;
    entry.halfHeight = halfHeight;
    entry.reacts = reacts ? 1 : 0;
    m_blocks.push_back(std::move(entry));
    ++m_round;
    return static_cast<u32>(m_blocks.size() - 1);
}

void BlockStack::AddSupport(u32 block, u32 support)
{
    if (block == support || block >= m_blocks.size() || support >= m_blocks.size())
        return;
    AddOnce(m_blocks[block].supports, support);
    AddOnce(m_blocks[support].dependents, block);
    ++m_round;
}

void BlockStack::Remove(u32 block)
{
    Entry& removed = m_blocks[block];
    for (u32 dependent : removed.dependents)
    {
        Erase(m_blocks[dependent].supports, block);
        for (u32 support : removed.supports)
            if (support != dependent)
                AddOnce(m_blocks[dependent].supports, support);
    }
    for (u32 support : removed.supports)
    {
        Erase(m_blocks[support].dependents, block);
        for (u32 dependent : removed.dependents)
            if (dependent != support)
                AddOnce(m_blocks[support].dependents, dependent);
    }
    removed.supports.clear();
    removed.dependents.clear();
    removed.removed = 1;
    ++m_round;
}

f32 BlockStack::SupportHeight(u32 block)
{
    return RestingHeight(block);
}

// Depth first over the supports with an explicit list: a block is entered, its supports worked out, then it is
// left with its height. A support met again while it is still on the path (a cycle) counts as the floor.
f32 BlockStack::RestingHeight(u32 block)
{
    if (m_blocks[block].stamp == m_round)
        return m_blocks[block].restingHeight;
    constexpr u32 kOnPath = 0xFFFFFFFF;
    struct Step
    {
        u32 id;
        bool entered;
    };
    std::vector<Step> work{{block, false}};
    while (!work.empty())
    {
        const Step step = work.back();
        Entry& entry = m_blocks[step.id];
        if (entry.stamp == m_round)
        {
            work.pop_back();
            continue;
        }
        if (!step.entered)
        {
            work.back().entered = true;
            entry.stamp = kOnPath;
            for (u32 support : entry.supports)
                if (m_blocks[support].stamp != m_round && m_blocks[support].stamp != kOnPath)
                    work.push_back({support, false});
            continue;
        }
        f32 height = 0.0f;
        for (u32 support : entry.supports)
        {
            const Entry& below = m_blocks[support];
            if (below.stamp == m_round)
                height = std::max(height, below.restingHeight + 2.0f * below.halfHeight);
        }
        entry.restingHeight = height;
        entry.stamp = m_round;
        work.pop_back();
    }
    return m_blocks[block].restingHeight;
}

void BlockStack::Activate()
{
    ++m_round;
    for (u32 i = 0; i < m_blocks.size(); ++i)
    {
        Entry& entry = m_blocks[i];
        entry.initialHeight = entry.height = RestingHeight(i);
        entry.speed = 0.0f;
    }
    for (u32 i = 0; i < m_blocks.size(); ++i)
        if (m_blocks[i].removed == 0)
            ScheduleAppear(i, 0.0f);
}

// A block appears a moment after the first of its supports to appear; floor blocks a moment after the start.
void BlockStack::ScheduleAppear(u32 block, f32 delay)
{
    std::vector<std::pair<u32, f32>> work{{block, delay}};
    while (!work.empty())
    {
        const auto [id, after] = work.back();
        work.pop_back();
        Entry& entry = m_blocks[id];
        if (entry.appearPending != 0 || (after < VelkorEngine::MathTolerance && !entry.supports.empty()))
            continue;
        entry.appearPending = 1;
        entry.appearDelay = VelkorEngine::RandomFloatRange(LeastAppearDelay, MostAppearDelay) + after;
        for (u32 dependent : entry.dependents)
            work.emplace_back(dependent, entry.appearDelay);
    }
}

void BlockStack::Hop(u32 block)
{
    std::vector<u32> work{block};
    std::vector<u8> seen(m_blocks.size(), 0);
    seen[block] = 1;
    while (!work.empty())
    {
        const u32 id = work.back();
        work.pop_back();
        Entry& entry = m_blocks[id];
        if (entry.reacts == 0)
            continue;
        entry.speed = HopPerHeight * RestingHeight(id) + HopBase;
        for (u32 dependent : entry.dependents)
            if (seen[dependent] == 0 && ShouldHopWith(dependent, id))
            {
                seen[dependent] = 1;
                work.push_back(dependent);
            }
    }
}

// A dependent stays put when another of its supports holds it up (its top near the dependent's bottom) at a
// height clearly apart from the hopping block's top.
bool BlockStack::ShouldHopWith(u32 dependent, u32 hopping) const
{
    const f32 bottom = m_blocks[dependent].height;
    for (u32 support : m_blocks[dependent].supports)
    {
        if (support == hopping)
            continue;
        const f32 top = GetTop(support);
        if (std::abs(top - bottom) < RestingTolerance)
            return std::abs(top - GetTop(hopping)) < RestingTolerance;
    }
    return true;
}

const std::vector<u32>& BlockStack::Update(f32 dt)
{
    ++m_round;
    m_appeared.clear();
    for (u32 i = 0; i < m_blocks.size(); ++i)
    {
        Entry& entry = m_blocks[i];
        if (entry.removed != 0)
            continue;
        if (entry.appearPending != 0)
        {
            entry.appearDelay -= dt;
            if (entry.appearDelay <= 0.0f)
            {
                entry.appearPending = 0;
                m_appeared.push_back(i);
            }
        }
        if (entry.reacts == 0)
            continue;
        entry.speed -= Gravity * dt;
        entry.height += entry.speed * dt;
        const f32 resting = RestingHeight(i);
        if (entry.height < resting)
        {
            entry.height = resting;
            entry.speed = 0.0f;
        }
    }
    return m_appeared;
}

f32 BlockStack::GetFallOffset(u32 block) const
{
    const Entry& entry = m_blocks[block];
    return entry.reacts != 0 ? entry.height - entry.initialHeight : 0.0f;
}

void BlockStack::AddOnce(std::vector<u32>& list, u32 id)
{
    if (std::find(list.begin(), list.end(), id) == list.end())
        list.push_back(id);
}

void BlockStack::Erase(std::vector<u32>& list, u32 id)
{
    list.erase(std::remove(list.begin(), list.end(), id), list.end());
}
}
