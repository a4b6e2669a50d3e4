// Bone poses against matrices worked out by hand, key-frame blending, and the skeleton's box.
#include "engine/scene/Skeleton.h"

#include "tests/support/MathTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace VelkorEngine;

namespace
{
using TestSupport::ExpectVector;

struct Key
{
    Vector3 translation;
    Quaternion rotation{0.0f, 0.0f, 0.0f, 1.0f};
    Vector3 scale{1.0f, 1.0f, 1.0f};
};

void AppendKey(std::vector<f32>& keys, const Key& key)
{
    keys.insert(keys.end(), {key.translation.x, key.translation.y, key.translation.z, key.rotation.x,
                             key.rotation.y, key.rotation.z, key.rotation.w, key.scale.x, key.scale.y, key.scale.z});
}

void ExpectMatrix(const Matrix4& actual, const Matrix4& expected)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual.m[i], expected.m[i], 1e-5f) << "element " << i;
}

const f32 kHalfRoot = std::sqrt(0.5f);
}

TEST(Skeleton, NewSkeletonHasIdentityBasesAndTheUnitBox)
{
    Skeleton skeleton(nullptr, 2);
    EXPECT_EQ(skeleton.GetBoneCount(), 2);
    const Bone* bone = skeleton.GetBone(1);
    ASSERT_NE(bone, nullptr);
    EXPECT_FLOAT_EQ(bone->baseRotation.w, 1.0f);
    ExpectVector(bone->baseTranslation, Vector3(0.0f));
    ExpectVector(bone->pivot, Vector3(0.0f));
    EXPECT_TRUE(bone->name.empty());
    EXPECT_EQ(skeleton.GetBone(2), nullptr);
    ExpectVector(skeleton.GetBounds().GetWorldMinimum(), Vector3(-0.5f));
    ExpectVector(skeleton.GetBounds().GetWorldMaximum(), Vector3(0.5f));
}

TEST(Skeleton, RestPoseShiftsByThePivotOnly)
{
    Skeleton skeleton(nullptr, 1);
    skeleton.GetBone(0)->pivot = Vector3(1.0f, 2.0f, 3.0f);
    std::vector<f32> keys;
    AppendKey(keys, Key{});
    skeleton.Update(keys.data(), 0, 0, 0.0f);
    const Bone& bone = *skeleton.GetBone(0);
    ExpectVector(bone.skinMatrix.TransformPoint(Vector3(1.0f, 1.0f, 1.0f)), Vector3(2.0f, 3.0f, 4.0f));
    ExpectVector(bone.normalMatrix.TransformPoint(Vector3(0.0f, 1.0f, 0.0f)), Vector3(1.0f, 3.0f, 3.0f));
}

// Pivot (1, 0, 0), scale (2, 1, 1), a quarter turn about z and translation (1, 2, 3): a point p goes to
// T + R(S(p + pivot)), a normal n to R(S(n + pivot)).
TEST(Skeleton, PoseAgainstHandComputedMatrices)
{
    Skeleton skeleton(nullptr, 1);
    skeleton.GetBone(0)->pivot = Vector3(1.0f, 0.0f, 0.0f);
    std::vector<f32> keys;
    AppendKey(keys, Key{Vector3(1.0f, 2.0f, 3.0f), Quaternion(0.0f, 0.0f, kHalfRoot, kHalfRoot), Vector3(2.0f, 1.0f, 1.0f)});
    skeleton.Update(keys.data(), 0, 0, 0.0f);
    const Bone& bone = *skeleton.GetBone(0);

    Matrix4 skin;
    skin.m[1] = -1.0f;
    skin.m[3] = 1.0f;
    skin.m[4] = 2.0f;
    skin.m[7] = 4.0f;
    skin.m[10] = 1.0f;
    skin.m[11] = 3.0f;
    skin.m[15] = 1.0f;
    ExpectMatrix(bone.skinMatrix, skin);

    Matrix4 normal = skin;
    normal.m[3] = 0.0f;
    normal.m[7] = 2.0f;
    normal.m[11] = 0.0f;
    ExpectMatrix(bone.normalMatrix, normal);

    ExpectVector(bone.skinMatrix.TransformPoint(Vector3(0.0f)), Vector3(1.0f, 4.0f, 3.0f));
    ExpectVector(bone.normalMatrix.TransformPoint(Vector3(0.0f, 1.0f, 0.0f)), Vector3(-1.0f, 2.0f, 0.0f));
}

TEST(Skeleton, BlendsTranslationScaleAndRotationBetweenFrames)
{
    Skeleton skeleton(nullptr, 1);
    std::vector<f32> keys;
    AppendKey(keys, Key{Vector3(0.0f), Quaternion(0.0f, 0.0f, 0.0f, 1.0f), Vector3(1.0f)});
    AppendKey(keys, Key{Vector3(2.0f, 0.0f, 0.0f), Quaternion(0.0f, 0.0f, 1.0f, 0.0f), Vector3(3.0f)});
    skeleton.Update(keys.data(), 0, 1, 0.25f);
    const Bone& bone = *skeleton.GetBone(0);
    ExpectVector(bone.translation, Vector3(0.5f, 0.0f, 0.0f));
    ExpectVector(bone.scale, Vector3(1.5f));
    EXPECT_FLOAT_EQ(bone.rotation.z, 0.25f);
    EXPECT_FLOAT_EQ(bone.rotation.w, 0.75f);
}

TEST(Skeleton, BonesOfOneFrameFollowEachOther)
{
    Skeleton skeleton(nullptr, 2);
    std::vector<f32> keys;
    AppendKey(keys, Key{Vector3(1.0f, 0.0f, 0.0f)});
    AppendKey(keys, Key{Vector3(0.0f, 1.0f, 0.0f)});
    AppendKey(keys, Key{Vector3(0.0f, 0.0f, 5.0f)});
    AppendKey(keys, Key{Vector3(0.0f, 0.0f, 7.0f)});
    skeleton.Update(keys.data(), 1, 1, 0.0f);
    ExpectVector(skeleton.GetBone(0)->translation, Vector3(0.0f, 0.0f, 5.0f));
    ExpectVector(skeleton.GetBone(1)->translation, Vector3(0.0f, 0.0f, 7.0f));
}

TEST(Skeleton, UnnormalisedRotationGivesTheSameMatrix)
{
    Skeleton unit(nullptr, 1);
    Skeleton doubled(nullptr, 1);
    std::vector<f32> unitKeys;
    std::vector<f32> doubledKeys;
    AppendKey(unitKeys, Key{Vector3(0.0f), Quaternion(0.0f, 0.0f, 0.0f, 1.0f)});
    AppendKey(doubledKeys, Key{Vector3(0.0f), Quaternion(0.0f, 0.0f, 0.0f, 2.0f)});
    unit.Update(unitKeys.data(), 0, 0, 0.0f);
    doubled.Update(doubledKeys.data(), 0, 0, 0.0f);
    ExpectMatrix(doubled.GetBone(0)->rotationMatrix, unit.GetBone(0)->rotationMatrix);
}

TEST(Skeleton, BoxGathersThePosedBoxesOfTheBonesThatTakePart)
{
    Skeleton skeleton(nullptr, 3);
    skeleton.GetBone(0)->box.SetBox(Vector3(-1.0f), Vector3(1.0f));
    skeleton.GetBone(1)->box.SetBox(Vector3(0.0f), Vector3(1.0f));
    skeleton.GetBone(2)->box.SetBox(Vector3(-50.0f), Vector3(50.0f));
    skeleton.GetBone(2)->boundsFlag = 1;
    std::vector<f32> keys;
    AppendKey(keys, Key{Vector3(1.0f, 0.0f, 0.0f)});
    AppendKey(keys, Key{Vector3(0.0f, 0.0f, 4.0f)});
    AppendKey(keys, Key{});
    skeleton.Update(keys.data(), 0, 0, 0.0f);
    ExpectVector(skeleton.GetBone(0)->box.GetWorldMinimum(), Vector3(0.0f, -1.0f, -1.0f));
    ExpectVector(skeleton.GetBounds().GetWorldMinimum(), Vector3(0.0f, -1.0f, -1.0f));
    ExpectVector(skeleton.GetBounds().GetWorldMaximum(), Vector3(2.0f, 1.0f, 5.0f));
}

TEST(Skeleton, WithNoBoneTakingPartTheBoxIsInverted)
{
    Skeleton skeleton(nullptr, 2);
    skeleton.GetBone(0)->boundsFlag = 1;
    skeleton.GetBone(1)->boundsFlag = 7;
    std::vector<f32> keys;
    AppendKey(keys, Key{});
    AppendKey(keys, Key{});
    skeleton.Update(keys.data(), 0, 0, 0.0f);
    ExpectVector(skeleton.GetBounds().GetWorldMinimum(), Vector3(100000.0f));
    ExpectVector(skeleton.GetBounds().GetWorldMaximum(), Vector3(-100000.0f));
}

TEST(Skeleton, CopyCarriesBonesAndBox)
{
    Skeleton skeleton(nullptr, 1);
    Bone& bone = *skeleton.GetBone(0);
    bone.name = "root";
    bone.fileValue1 = 3;
    bone.fileValue2 = 9;
    bone.pivot = Vector3(0.0f, 1.0f, 0.0f);
    std::vector<f32> keys;
    AppendKey(keys, Key{Vector3(2.0f, 0.0f, 0.0f)});
    skeleton.Update(keys.data(), 0, 0, 0.0f);

    Skeleton copy(skeleton);
    const Bone& copied = *copy.GetBone(0);
    EXPECT_EQ(copied.name, "root");
    EXPECT_EQ(copied.fileValue1, 3);
    EXPECT_EQ(copied.fileValue2, 9);
    ExpectVector(copied.pivot, Vector3(0.0f, 1.0f, 0.0f));
    ExpectMatrix(copied.skinMatrix, bone.skinMatrix);
    ExpectVector(copy.GetBounds().GetCenter(), skeleton.GetBounds().GetCenter());
}
