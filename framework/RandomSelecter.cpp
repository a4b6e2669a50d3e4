// Weighted random choice without immediate repeats.
#include "framework/RandomSelecter.h"

#include "engine/core/Random.h"

namespace GameFramework
{
void RandomSelecter::Add(u32 id, u32 weight)
{
    m_entries.emplace_back(id, weight);
    m_totalWeight += weight;
}

void RandomSelecter::SetWeight(u32 id, u32 weight)
{
    for (auto& [entryId, entryWeight] : m_entries)
    {
        if (entryId != id)
            continue;
        m_totalWeight = m_totalWeight - entryWeight + weight;
        entryWeight = weight;
        return;
    }
    Add(id, weight);
}

u32 RandomSelecter::Pick()
{
    if (m_entries.empty())
        return 0;
    u32 chosen = NoChoice;
    u32 attempts = 0;
    do
    {
        const u32 drawn = DrawByWeight();
        if (drawn != NoChoice)
            chosen = drawn;
        else if (chosen == NoChoice)
            chosen = VelkorEngine::RandomIndex(static_cast<u32>(m_entries.size()));
        ++attempts;
    } while (chosen == m_lastChoice && attempts < MaxAttempts);
    m_lastChoice = chosen;
    return m_entries[chosen].first;
}

// The index of the first entry with weight whose running sum reaches a draw from 0 to the total; none when
// every weight is 0.
u32 RandomSelecter::DrawByWeight() const
{
    const u32 drawn = VelkorEngine::RandomInt(0, m_totalWeight);
    u32 sum = 0;
    for (u32 i = 0; i < m_entries.size(); ++i)
    {
        sum += m_entries[i].second;
        if (sum >= drawn && m_entries[i].second != 0)
            return i;
    }
    return NoChoice;
}
}
