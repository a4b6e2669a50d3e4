// A ball keeper letting its ball go.
#include "game/play/BallKeeper.h"

#include "engine/core/Random.h"
#include "framework/GameSoundPlayer.h"
#include "framework/ScoreKeeper.h"
#include "game/play/Ball.h"
#include "game/play/BallManager.h"
#include "game/play/BlastSchedule.h"
#include "game/play/BlockDatabase.h"
#include "game/play/BrickDurability.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogicData.h"

using namespace VelkorEngine;

namespace Korvane
{
BallKeeper::BallKeeper(const BlockServices& services, const GeometryObject& object, u32 id, BallManager* balls,
                       GameFramework::ScoreKeeper* scores, GameFramework::GameSoundPlayer* sounds)
    : Block(services, object, id), m_balls(balls), m_scores(scores), m_sounds(sounds)
{
    m_kindFlags = BlockDatabase::GetText(*object.description, "ball_type", "") == "super" ? BlockKind::Hard
                                                                                           : BlockKind::Ordinary;
}

u32 BallKeeper::GetBallKind() const
{
    return (m_kindFlags & BlockKind::Ordinary) != 0 ? BallKind::Simple : BallKind::Super;
}

void BallKeeper::Destroy(u32 kind, bool /*chain*/)
{
    if (!IsAlive())
        return;
    const BlastSchedule* blasts = m_services.geometry->GetBlasts();
    const bool blasted = blasts != nullptr && blasts->IsPending(GetId());
    DestroyBlock(kind, false);
    const Vector3 centre = GetCenter();
    Vector2 direction = m_releaseDirection;
    if (blasted)
        direction = BlastSchedule::ReleaseDirection(blasts->GetOrigin(GetId()), centre);
    else if (direction.Length() < 0.01f)
        direction = BlastSchedule::ReleaseDirection(centre, centre);
    if (m_balls != nullptr)
        m_balls->AddFreeBall(GetBallKind(), Vector2(centre.x, centre.y), direction);
    if (m_scores != nullptr)
        m_scores->AddScore(ScoreEvent, 1);
    if (m_sounds != nullptr)
        m_sounds->PlaySound(Sound);
}
}
