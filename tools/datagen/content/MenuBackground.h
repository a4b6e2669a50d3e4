// The menu background's layers (ui/background): a dusk sky, the castle, a drifting band of mist, two waving
// banners and rising embers, laid out on the 800 × 600 screen.
#pragma once

#include "tools/datagen/content/MenuPictures.h"

namespace KorvaneTools
{
struct GeneratorContext;

std::vector<MenuPicture> BackgroundPictures();
void GenerateMenuBackground(GeneratorContext& context);
}
