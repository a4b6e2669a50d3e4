// Where an animator model has moved to: the helper models that move controls and background layers are
// animated around their first bone.
#pragma once

#include "engine/core/Vector2.h"

namespace VelkorEngine
{
class Model;
}

namespace GUITools
{
// The (x, y) translation of bone 0 at the model's current pose; a model without bones gives the centre of
// its current box, which its animation moves the same way.
VelkorEngine::Vector2 AnimatorTranslation(const VelkorEngine::Model& model);
}
