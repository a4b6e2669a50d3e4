// Effects noted, not played.
#include "tests/support/RecordingSoundPlayer.h"

#include <algorithm>

namespace TestSupport
{
RecordingSoundPlayer::RecordingSoundPlayer(VelkorEngine::Engine* engine) : GameSoundPlayer(engine, 1.0f, 1.0f) {}

void RecordingSoundPlayer::PlaySound(VelkorEngine::u32 effectId)
{
    played.push_back(effectId);
}

VelkorEngine::u32 RecordingSoundPlayer::Count(VelkorEngine::u32 effectId) const
{
    return static_cast<VelkorEngine::u32>(std::count(played.begin(), played.end(), effectId));
}
}
