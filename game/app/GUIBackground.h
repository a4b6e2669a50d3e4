// The animated background behind every menu, read from the game's one background description; the menu
// windows are placed in its front window.
#pragma once

#include "guitools/GUIBackgroundBase.h"

namespace Korvane
{
class GameData;

class GUIBackground : public GUITools::GUIBackgroundBase
{
public:
    static constexpr const char* DescriptionPath = "data\\ui\\background\\background.xml";
    // Raises the front window above the layers so that the menus stay in front of them.
    static constexpr VelkorEngine::i32 FrontLayerRaise = 20;

    // Builds at once the layers marked "additional": they use only the lists loaded before the start-up
    // loading window; the others come after that load.
    GUIBackground(VelkorEngine::Engine* engine, GameData* data);
};
}
