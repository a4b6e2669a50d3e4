// The bones of a skinned model: posed between two key frames, each bone gives a matrix for positions and one
// for normals, and the bones' boxes give the skeleton's box.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"

#include <string>
#include <vector>

namespace VelkorEngine
{
class MessageManager;

struct Bone
{
    // 0: the bone's box takes part in the skeleton's box.
    u8 boundsFlag = 0;
    std::string name;
    // Local box from the model file; its transform is the skin matrix after each pose.
    BoundingVolume box;
    // Carried with the bone from the file and copied with it; nothing interprets them.
    u16 fileValue1 = 0;
    u16 fileValue2 = 0;
    Vector3 pivot;
    Quaternion rotation;
    Quaternion baseRotation;
    Vector3 translation;
    Vector3 baseTranslation;
    Vector3 scale;
    Matrix4 pivotMatrix;
    Matrix4 translationMatrix;
    Matrix4 rotationMatrix;
    Matrix4 scaleMatrix;
    Matrix4 normalMatrix;
    Matrix4 skinMatrix;
};

class Skeleton
{
public:
    // Floats per bone per key frame: translation x, y, z, rotation x, y, z, w, scale x, y, z.
    static constexpr u32 KeyFloats = 10;

    Skeleton(MessageManager* log, u16 boneCount);
    Skeleton(const Skeleton& source) = default;
    virtual ~Skeleton() = default;

    Skeleton& operator=(const Skeleton&) = delete;

    // Null past the last bone.
    Bone* GetBone(u32 index);
    const Bone* GetBone(u32 index) const;
    u16 GetBoneCount() const { return m_boneCount; }

    // The key frames hold KeyFloats per bone per frame, frame after frame; both frames must be in them.
    void Update(const f32* keyFrames, u32 frame, u32 nextFrame, f32 blend);

    const BoundingVolume& GetBounds() const { return m_bounds; }

private:
    void PoseBone(Bone& bone, const f32* key, const f32* nextKey, f32 blend);
    void UpdateBounds();

    MessageManager* m_log = nullptr;
    u16 m_boneCount = 0;
    std::vector<Bone> m_bones;
    BoundingVolume m_bounds;
};
}
