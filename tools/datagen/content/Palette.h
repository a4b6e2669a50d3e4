// The colours the menu pictures and the GUI art share: parchment and ink, gold, the heraldic blue and clear.
#pragma once

#include "tools/datagen/image/Painter.h"

namespace KorvaneTools
{
inline const Colour Parchment = Colour::Hex(0xE8DCB8);
inline const Colour Ink = Colour::Hex(0x3A2A1A);
inline const Colour Gold = Colour::Hex(0xD4A640);
inline const Colour HeraldicBlue = Colour::Hex(0x2E4A8C);
inline const Colour Clear = Colour::Hex(0x000000, 0.0f);
}
