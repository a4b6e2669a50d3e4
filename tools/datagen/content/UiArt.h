// The GUI art of the menus and the in-game window: panels, buttons in their four states, rows, check boxes,
// scroll parts, edit fields, HUD plates and buttons, the wordmark, the loading emblem, the title sign, the
// map panel and its markers, and the cursor's spark.
#pragma once

#include "tools/datagen/content/MenuPictures.h"

namespace KorvaneTools
{
struct GeneratorContext;

// Every picture of the area, in a fixed order.
std::vector<MenuPicture> UiPictures(const std::string& fontFolder);
// Pictures, GUI models and the cursor's particle systems.
void GenerateUiArt(GeneratorContext& context);
}
