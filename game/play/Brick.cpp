// Hits on a brick and their scores and sounds.
#include "game/play/Brick.h"

#include "engine/render/ShaderUser.h"
#include "engine/scene/Model.h"
#include "framework/GameSoundPlayer.h"
#include "framework/ScoreKeeper.h"
#include "game/play/BonusManager.h"
#include "game/play/BlockDatabase.h"
#include "game/play/GameGeometry.h"
#include "game/play/GameLogicData.h"
#include "game/play/Shadow.h"

namespace Korvane
{
namespace
{
BrickDurability ReadDurability(const GameTools::XMLNode& description)
{
    return BrickDurability(BlockDatabase::GetInt(description, "strength", 1),
                           BlockDatabase::GetBool(description, "invisible", false),
                           BlockDatabase::GetBool(description, "explosive", false));
}
}

Brick::Brick(const BlockServices& services, const GeometryObject& object, u32 id, GameFramework::ScoreKeeper* scores,
             GameFramework::GameSoundPlayer* sounds, u32* crashCounter, BonusManager* bonuses)
    : Block(services, object, id), m_scores(scores), m_bonuses(bonuses), m_sounds(sounds), m_crashCounter(crashCounter),
      m_durability(ReadDurability(*object.description))
{
    m_kindFlags = m_durability.GetFlags();
    if (m_kindFlags & BlockKind::Explosive)
        m_destructionEffect = "blocks/explosive_destruction";
    if ((m_kindFlags & BlockKind::Invisible) && GetShadow() != nullptr)
        GetShadow()->SetStrength(InvisibleShadowStrength);
}

bool Brick::MustBeDestroyed() const
{
    return (m_kindFlags & (BlockKind::Ordinary | BlockKind::Hard | BlockKind::Explosive)) != 0;
}

void Brick::Destroy(u32 kind, bool chain)
{
    if (!IsAlive())
        return;
    VelkorEngine::ShaderUser* shader = GetModel()->GetShader();
    const u32 frameCount = shader != nullptr ? shader->GetFrameCount() : 1;
    const BrickHit hit = m_durability.TakeHit(kind, frameCount, *m_crashCounter);
    if (hit.outcome == BrickHit::Outcome::Broken && m_bonuses != nullptr)
    {
        const VelkorEngine::Vector3 centre = GetCenter();
        m_bonuses->OnBrickDestroyed(VelkorEngine::Vector2(centre.x, centre.y));
    }
    if (hit.scoreEvent >= 0 && m_scores != nullptr)
        m_scores->AddScore(static_cast<u32>(hit.scoreEvent), 1);
    if (m_sounds != nullptr)
        m_sounds->PlaySound(hit.sound);
    switch (hit.outcome)
    {
    case BrickHit::Outcome::Weakened:
        ShowFrame(hit.frame);
        [[fallthrough]];
    case BrickHit::Outcome::Dented:
        if (Reacts())
            m_services.geometry->Hop(GetId());
        return;
    case BrickHit::Outcome::Broken:
        if (hit.blasts)
            DestroyBlock(DestroyKind::Super, true);
        else
            DestroyBlock(kind, chain);
        return;
    }
}

void Brick::ShowFrame(u32 frame)
{
    if (VelkorEngine::ShaderUser* shader = GetModel()->GetShader())
        shader->SetFrame(static_cast<VelkorEngine::f32>(frame));
}
}
