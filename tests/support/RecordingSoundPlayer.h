// The game's sound player that notes every effect the play asks for instead of playing it.
#pragma once

#include "framework/GameSoundPlayer.h"

#include <vector>

namespace TestSupport
{
class RecordingSoundPlayer : public GameFramework::GameSoundPlayer
{
public:
    explicit RecordingSoundPlayer(VelkorEngine::Engine* engine);

    void PlaySound(VelkorEngine::u32 effectId) override;
    // How often the effect was asked for.
    VelkorEngine::u32 Count(VelkorEngine::u32 effectId) const;

    std::vector<VelkorEngine::u32> played;
};
}
