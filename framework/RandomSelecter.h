// Picks an id at random by integer weights and avoids picking the same entry twice in a row.
#pragma once

#include "engine/core/Types.h"

#include <utility>
#include <vector>

namespace GameFramework
{
using VelkorEngine::u32;

class RandomSelecter
{
public:
    RandomSelecter() = default;
    virtual ~RandomSelecter() = default;

    // Appends an entry; the same id may be added more than once.
    void Add(u32 id, u32 weight);
    // Changes the first entry of the id; an id not added yet is added.
    void SetWeight(u32 id, u32 weight);
    // 0 when there are no entries.
    u32 Pick();

    u32 GetTotalWeight() const { return m_totalWeight; }

private:
    static constexpr u32 NoChoice = 0xFFFFFFFF;
    // Gives up avoiding a repeat after this many draws (a single entry, or one with all the weight).
    static constexpr u32 MaxAttempts = 1000;

    u32 DrawByWeight() const;

    u32 m_totalWeight = 0;
    std::vector<std::pair<u32, u32>> m_entries; // id, weight
    u32 m_lastChoice = NoChoice;
};
}
