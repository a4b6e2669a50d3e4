// Blast neighbours and their delays.
#include "game/play/BlastSchedule.h"

#include "engine/core/Random.h"

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr f32 kShortestRelease = 0.01f;
}

void BlastSchedule::Blast(u32 source, const std::vector<BoundingVolume>& bounds, const std::vector<u8>& alive)
{
    const BoundingVolume reach = bounds[source].GetScaled(SourceGrowth);
    const Vector3 origin = bounds[source].GetCenter();
    for (u32 i = 0; i < bounds.size() && i < m_entries.size(); ++i)
    {
        Entry& entry = m_entries[i];
        if (alive[i] == 0 || entry.pending != 0 || !reach.Intersects(bounds[i].GetScaled(TargetGrowth)))
            continue;
        entry.pending = 1;
        entry.delay = RandomFloatRange(LeastDelay, MostDelay);
        entry.origin = origin;
    }
}

const std::vector<u32>& BlastSchedule::Update(f32 dt)
{
    m_fired.clear();
    for (u32 i = 0; i < m_entries.size(); ++i)
    {
        Entry& entry = m_entries[i];
        if (entry.pending == 0 || entry.fired != 0)
            continue;
        entry.delay -= dt;
        if (entry.delay < 0.0f)
        {
            entry.fired = 1;
            m_fired.push_back(i);
        }
    }
    return m_fired;
}

Vector2 BlastSchedule::ReleaseDirection(const Vector3& origin, const Vector3& centre)
{
    Vector2 away(centre.x - origin.x, centre.y - origin.y);
    if (away.Length() < kShortestRelease)
    {
        away = Vector2(RandomSignedFloat(), RandomSignedFloat());
        // Two draws of exactly nothing would leave no direction at all.
        if (away.Length() < kShortestRelease)
            away = Vector2(0.0f, 1.0f);
    }
    away.SetLength(1.0f);
    return away;
}
}
