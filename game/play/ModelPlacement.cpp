// Placing a model's bounds.
#include "game/play/ModelPlacement.h"

#include "engine/scene/Model.h"

namespace Korvane
{
void PlaceBounds(VelkorEngine::Model& model)
{
    model.ComputeBounds(model.bounds, 0);
    model.bounds.SetTransform(model.worldMatrix);
}
}
