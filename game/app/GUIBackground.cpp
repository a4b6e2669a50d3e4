#include "game/app/GUIBackground.h"

#include "engine/gui/GUIWindow.h"
#include "game/app/GameData.h"

namespace Korvane
{
GUIBackground::GUIBackground(VelkorEngine::Engine* engine, GameData* data)
    : GUIBackgroundBase(engine, data->GetGUIResources(), nullptr, DescriptionPath)
{
    CreateAdditionalLayers();
    VelkorEngine::GUIWindow* front = GetTopWindow();
    if (front != nullptr)
        front->SetLayer(front->GetLayer() + FrontLayerRaise);
}
}
