// Brick hits, their score events and sounds.
#include "game/play/BrickDurability.h"

#include <algorithm>

namespace Korvane
{
namespace
{
constexpr i32 kEventHardHit = 2;
constexpr i32 kEventOrdinaryCrash = 1;
constexpr i32 kEventHardCrash = 3;
constexpr i32 kEventExplosiveCrash = 6;
constexpr i32 kEventUnbreakableCrash = 7;
constexpr u32 kSoundHardHit = 8;
constexpr u32 kSoundUnbreakableHit = 9;
constexpr u32 kSoundFirstSimpleCrash = 10;
constexpr u32 kSimpleCrashSounds = 3;
constexpr u32 kSoundHardCrash = 13;
constexpr u32 kSoundUnbreakableCrash = 14;
constexpr u32 kSoundExplosiveCrash = 15;
}

BrickDurability::BrickDurability(i32 strength, bool invisible, bool explosive) : m_strength(strength)
{
    if (strength <= 0)
    {
        m_flags |= BlockKind::Unbreakable;
        m_strength = UnbreakableHits;
    }
    else
        m_flags |= strength == 1 ? BlockKind::Ordinary : BlockKind::Hard;
    if (invisible)
        m_flags |= BlockKind::Invisible;
    if (explosive)
        m_flags |= BlockKind::Explosive;
}

BrickHit BrickDurability::TakeHit(u32 destroyKind, u32 frameCount, u32& crashCounter)
{
    const bool super = destroyKind == DestroyKind::Super;
    if (!super && (m_flags & (BlockKind::Hard | BlockKind::Unbreakable)) != 0)
    {
        --m_strength;
        if (m_strength > 0)
        {
            BrickHit hit;
            if ((m_flags & BlockKind::Hard) != 0)
            {
                hit.outcome = BrickHit::Outcome::Weakened;
                hit.scoreEvent = kEventHardHit;
                hit.sound = kSoundHardHit;
                // One frame further for each hit taken, never past the shader's last frame.
                const i32 frame = static_cast<i32>(frameCount) - m_strength;
                hit.frame = static_cast<u32>(std::clamp(frame, 0, std::max(static_cast<i32>(frameCount) - 1, 0)));
            }
            else
            {
                hit.outcome = BrickHit::Outcome::Dented;
                hit.sound = kSoundUnbreakableHit;
            }
            return hit;
        }
    }
    return Break(crashCounter);
}

BrickHit BrickDurability::Break(u32& crashCounter) const
{
    BrickHit hit;
    hit.outcome = BrickHit::Outcome::Broken;
    if ((m_flags & BlockKind::Explosive) != 0)
    {
        hit.scoreEvent = kEventExplosiveCrash;
        hit.sound = kSoundExplosiveCrash;
        hit.blasts = true;
    }
    else if ((m_flags & BlockKind::Hard) != 0)
    {
        hit.scoreEvent = kEventHardCrash;
        hit.sound = kSoundHardCrash;
    }
    else if ((m_flags & BlockKind::Unbreakable) != 0)
    {
        hit.scoreEvent = kEventUnbreakableCrash;
        hit.sound = kSoundUnbreakableCrash;
    }
    else
    {
        hit.scoreEvent = kEventOrdinaryCrash;
        hit.sound = kSoundFirstSimpleCrash + crashCounter % kSimpleCrashSounds;
        crashCounter = (crashCounter + 1) % kSimpleCrashSounds;
    }
    return hit;
}
}
