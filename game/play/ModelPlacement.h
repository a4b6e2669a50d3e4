// A play object's model placed in the world: its bounds keep the model's own box and take the model's world
// matrix as their transform, as the collision world and the culling expect.
#pragma once

namespace VelkorEngine
{
class Model;
}

namespace Korvane
{
void PlaceBounds(VelkorEngine::Model& model);
}
