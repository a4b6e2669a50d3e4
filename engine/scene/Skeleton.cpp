// Posing the bones between two key frames and gathering the skeleton's box from the posed bone boxes.
#include "engine/scene/Skeleton.h"

#include "engine/scene/SceneBounds.h"

#include <algorithm>

namespace VelkorEngine
{
namespace
{
Vector3 KeyVector(const f32* values)
{
    return Vector3(values[0], values[1], values[2]);
}

Vector3 LerpVector(const Vector3& a, const Vector3& b, f32 t)
{
    return a * (1.0f - t) + b * t;
}
}

Skeleton::Skeleton(MessageManager* log, u16 boneCount) : m_log(log), m_boneCount(boneCount), m_bones(boneCount)
{
    for (Bone& bone : m_bones)
    {
        bone.baseRotation = Quaternion(0.0f, 0.0f, 0.0f, 1.0f);
        bone.baseTranslation = Vector3(0.0f);
    }
    m_bounds.SetBox(Vector3(-0.5f), Vector3(0.5f));
}

Bone* Skeleton::GetBone(u32 index)
{
    return index < m_bones.size() ? &m_bones[index] : nullptr;
}

const Bone* Skeleton::GetBone(u32 index) const
{
    return index < m_bones.size() ? &m_bones[index] : nullptr;
}

void Skeleton::Update(const f32* keyFrames, u32 frame, u32 nextFrame, f32 blend)
{
    for (u32 b = 0; b < m_boneCount; ++b)
    {
        const f32* key = keyFrames + (static_cast<size_t>(m_boneCount) * frame + b) * KeyFloats;
        const f32* nextKey = keyFrames + (static_cast<size_t>(m_boneCount) * nextFrame + b) * KeyFloats;
        PoseBone(m_bones[b], key, nextKey, blend);
    }
    UpdateBounds();
}

// A point of the bone is moved by the pivot, scaled, rotated and translated. The normal matrix leaves out
// the translation but keeps the pivot shift, which the skinning adds to the normals as well.
void Skeleton::PoseBone(Bone& bone, const f32* key, const f32* nextKey, f32 blend)
{
    bone.translation = LerpVector(KeyVector(key), KeyVector(nextKey), blend);
    bone.scale = LerpVector(KeyVector(key + 7), KeyVector(nextKey + 7), blend);
    LerpQuaternion(bone.rotation, Quaternion(key[3], key[4], key[5], key[6]),
                   Quaternion(nextKey[3], nextKey[4], nextKey[5], nextKey[6]), blend);

    MakeTranslationMatrix(bone.pivotMatrix, bone.pivot);
    (bone.rotation * bone.baseRotation).ToMatrix(bone.rotationMatrix);
    MakeTranslationMatrix(bone.translationMatrix, bone.translation + bone.baseTranslation);
    MakeScalingMatrix(bone.scaleMatrix, bone.scale);

    const Matrix4 rotationScale = bone.rotationMatrix * bone.scaleMatrix;
    bone.normalMatrix = rotationScale * bone.pivotMatrix;
    bone.skinMatrix = (bone.translationMatrix * rotationScale) * bone.pivotMatrix;
    bone.box.SetTransform(bone.skinMatrix);
}

// With no bone taking part the box stays inverted, from 100000 down to -100000.
void Skeleton::UpdateBounds()
{
    Vector3 minimum(kFarBound);
    Vector3 maximum(-kFarBound);
    for (const Bone& bone : m_bones)
    {
        if (bone.boundsFlag != 0)
            continue;
        const Vector3& low = bone.box.GetWorldMinimum();
        const Vector3& high = bone.box.GetWorldMaximum();
        minimum = Vector3(std::min(minimum.x, low.x), std::min(minimum.y, low.y), std::min(minimum.z, low.z));
        maximum = Vector3(std::max(maximum.x, high.x), std::max(maximum.y, high.y), std::max(maximum.z, high.z));
    }
    m_bounds.SetBox(minimum, maximum);
}
}
