// Score events and their points.
#include "framework/ScoreKeeper.h"

namespace GameFramework
{
ScoreKeeper::ScoreKeeper(u32 score) : m_score(score) {}

void ScoreKeeper::RegisterScoreEvent(u32 id, u32 points)
{
    m_events.emplace(id, points);
}

u32 ScoreKeeper::GetPoints(u32 id) const
{
    const auto found = m_events.find(id);
    return found == m_events.end() ? 0 : found->second * m_multiplier;
}

void ScoreKeeper::AddScore(u32 id, u32 count)
{
    m_score += GetPoints(id) * count;
}
}
