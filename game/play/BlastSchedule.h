// Blasts between blocks: a block going up in a super destruction sets its neighbours to go up a moment later,
// each with the place the blast came from (a ball keeper throws its ball away from it).
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"

#include <vector>

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class BlastSchedule
{
public:
    // The blasting block reaches a little way past its bounds, its neighbours are found a little further out.
    static constexpr f32 SourceGrowth = 1.21f;
    static constexpr f32 TargetGrowth = 1.35f;
    static constexpr f32 LeastDelay = 0.1f;
    static constexpr f32 MostDelay = 0.3f;

    explicit BlastSchedule(u32 blockCount) : m_entries(blockCount) {}

    // Every alive block whose bounds touch the source's, and that no blast has reached yet, goes up after a
    // random delay. bounds and alive are indexed by block id.
    void Blast(u32 source, const std::vector<VelkorEngine::BoundingVolume>& bounds, const std::vector<u8>& alive);
    // One frame; returns the blocks whose blast goes off now, each once.
    const std::vector<u32>& Update(f32 dt);

    bool IsPending(u32 block) const { return m_entries[block].pending != 0; }
    f32 GetDelay(u32 block) const { return m_entries[block].delay; }
    const VelkorEngine::Vector3& GetOrigin(u32 block) const { return m_entries[block].origin; }

    // The way a ball keeper's ball leaves when a blast frees it: away from the blast, or any way when the blast
    // came from the keeper's own centre.
    static VelkorEngine::Vector2 ReleaseDirection(const VelkorEngine::Vector3& origin, const VelkorEngine::Vector3& centre);

private:
    struct Entry
    {
        u8 pending = 0;
        u8 fired = 0;
        f32 delay = 0.0f;
        VelkorEngine::Vector3 origin;
    };

    std::vector<Entry> m_entries;
    std::vector<u32> m_fired;
};
}
