#include "guitools/AnimatorTranslation.h"

#include "engine/scene/Model.h"
#include "engine/scene/Skeleton.h"

using namespace VelkorEngine;

namespace GUITools
{
Vector2 AnimatorTranslation(const Model& model)
{
    const Skeleton* skeleton = model.GetSkeleton();
    if (skeleton != nullptr && skeleton->GetBoneCount() > 0)
    {
        const Vector3& translation = skeleton->GetBone(0)->translation;
        return Vector2(translation.x, translation.y);
    }
    const Vector3& centre = model.bounds.GetCenter();
    return Vector2(centre.x, centre.y);
}
}
