// Turns score events into points: each event id has its points, registered once by the play logic.
#pragma once

#include "engine/core/Types.h"

#include <map>

namespace GameFramework
{
using VelkorEngine::u32;

class ScoreKeeper
{
public:
    explicit ScoreKeeper(u32 score);
    virtual ~ScoreKeeper() = default;

    // The first registration of an id wins.
    void RegisterScoreEvent(u32 id, u32 points);
    // 0 for an id never registered.
    u32 GetPoints(u32 id) const;
    // Unsigned 32-bit arithmetic: a score past the largest value wraps.
    void AddScore(u32 id, u32 count);

    u32 GetScore() const { return m_score; }
    void SetScore(u32 score) { m_score = score; }

private:
    std::map<u32, u32> m_events;
    u32 m_multiplier = 1;
    u32 m_score = 0;
};
}
