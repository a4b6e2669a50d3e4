// A level as the player sees it from the game's fixed camera: its environment, its blocks, the bat with a
// ball and the rope barrier raised, drawn flat shaded with a depth buffer. For looking at, not shipped.
#pragma once

#include "tools/formats/RgbaPicture.h"

#include <string>

namespace KorvaneTools
{
// name: "SS_LL"; stage 0 levels stand in the courtyard, the others in the crypt.
RgbaPicture GameView(const std::string& name);
}
