// Sprite groups: the free queue, the squares written for a camera (order, corners, turn, colour, centre),
// hidden groups, copies with and without their sprites, and the manager's registered and unregistered groups.
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/SpriteGroup.h"
#include "tests/support/SpriteTestScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <numbers>
#include <numeric>
#include <set>
#include <string>

using namespace VelkorEngine;
using TestSupport::SpriteTestScene;

namespace
{
const Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);

Vector3 VertexPosition(const SpriteGroup& group, u32 vertex)
{
    const VertexBuffer& buffer = *group.GetModel()->vertexBuffer;
    f32 xyz[3];
    std::memcpy(xyz, buffer.GetData() + vertex * buffer.GetStride(), sizeof(xyz));
    return Vector3(xyz[0], xyz[1], xyz[2]);
}

u32 VertexColor(const SpriteGroup& group, u32 vertex)
{
    const VertexBuffer& buffer = *group.GetModel()->vertexBuffer;
    u32 packed = 0;
    std::memcpy(&packed, buffer.GetData() + vertex * buffer.GetStride() + VertexBuffer::ColorOffset, sizeof(packed));
    return packed;
}

void VertexUV(const SpriteGroup& group, u32 vertex, f32 uv[2])
{
    const VertexBuffer& buffer = *group.GetModel()->vertexBuffer;
    std::memcpy(uv, buffer.GetData() + vertex * buffer.GetStride() + buffer.GetTextureOffset(), 2 * sizeof(f32));
}

u32 IndexAt(const SpriteGroup& group, u32 position)
{
    const IndexBuffer& buffer = *group.GetModel()->indexBuffer;
    u16 index = 0;
    std::memcpy(&index, buffer.GetData() + position * sizeof(u16), sizeof(index));
    return index;
}

u32 IndexCount(const SpriteGroup& group)
{
    return group.GetModel()->indexBuffer->GetIndexCount();
}

void ExpectNear(const Vector3& actual, const Vector3& expected, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-5f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-5f) << what;
}

class SpriteGroupTest : public ::testing::Test
{
protected:
    SpriteGroup* MakeGroup(u32 capacity)
    {
        return scene.spriteGroups->CreateSpriteGroup(capacity, nullptr, nullptr);
    }

    void FillGroup(SpriteGroup& group)
    {
        for (u32 i = 0; i < group.GetCapacity(); ++i)
            group.AddSprite(Vector3(0.0f, 0.0f, -10.0f), 1.0f, kWhite);
    }

    SpriteTestScene scene;
};
}

TEST_F(SpriteGroupTest, NewGroupHoldsItsQuadsAndDrawsNothing)
{
    SpriteGroup* group = MakeGroup(3);
    Model& model = *group->GetModel();
    EXPECT_EQ(model.flags & ModelFlags::Visible, ModelFlags::Visible);
    EXPECT_EQ(model.flags, SpriteGroup::GroupModelFlags);
    EXPECT_EQ(model.vertexBuffer->GetVertexCount(), 12u);
    EXPECT_EQ(model.indexBuffer->GetCapacity(), 18u);
    EXPECT_EQ(IndexCount(*group), 0u);
    EXPECT_EQ(group->camera, &scene.GetCamera());
    EXPECT_EQ(group->GetFreeCount(), 3u);
    const u32 quad[6] = {0, 1, 2, 2, 1, 3};
    const f32 corners[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (u32 i = 0; i < 3; ++i)
    {
        for (u32 j = 0; j < 6; ++j)
            EXPECT_EQ(IndexAt(*group, 6 * i + j), 4 * i + quad[j]) << "sprite " << i << " index " << j;
        for (u32 j = 0; j < 4; ++j)
        {
            f32 uv[2];
            VertexUV(*group, 4 * i + j, uv);
            EXPECT_EQ(uv[0], corners[j][0]);
            EXPECT_EQ(uv[1], corners[j][1]);
        }
    }
}

TEST_F(SpriteGroupTest, EmptyGroupUpdatesToNothingAtTheOrigin)
{
    SpriteGroup* group = MakeGroup(4);
    group->center = Vector3(5.0f, 5.0f, 5.0f);
    group->Update();
    EXPECT_EQ(IndexCount(*group), 0u);
    ExpectNear(group->center, Vector3(), "centre");
}

TEST_F(SpriteGroupTest, SpritesAreHandedOutOldestFreedFirst)
{
    SpriteGroup* group = MakeGroup(5);
    for (u32 i = 0; i < 5; ++i)
        EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, kWhite), i);
    group->ReleaseSprite(3);
    group->ReleaseSprite(1);
    EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, kWhite), 3u);
    EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, kWhite), 1u);
}

TEST_F(SpriteGroupTest, FullGroupAnswersZeroAndChangesNothing)
{
    SpriteGroup* group = MakeGroup(2);
    group->AddSprite(Vector3(1.0f, 2.0f, 3.0f), 4.0f, kWhite);
    group->AddSprite(Vector3(), 1.0f, kWhite);
    EXPECT_EQ(group->GetFreeCount(), 0u);
    EXPECT_EQ(group->AddSprite(Vector3(9.0f, 9.0f, 9.0f), 9.0f, Color()), 0u);
    EXPECT_EQ(group->GetSprite(0)->size, 4.0f);
    EXPECT_EQ(group->GetSprite(0)->position.x, 1.0f);
}

TEST_F(SpriteGroupTest, AddedSpriteIsInUseUprightWithItsValues)
{
    SpriteGroup* group = MakeGroup(2);
    group->GetSprite(0)->rotation = 2.0f;
    const u32 index = group->AddSprite(Vector3(1.0f, 2.0f, 3.0f), 0.5f, Color(0.1f, 0.2f, 0.3f, 0.4f));
    const Sprite& sprite = *group->GetSprite(index);
    EXPECT_EQ(sprite.free, 0);
    EXPECT_EQ(sprite.rotation, 0.0f);
    EXPECT_EQ(sprite.size, 0.5f);
    EXPECT_EQ(sprite.position.z, 3.0f);
    EXPECT_EQ(sprite.color.a, 0.4f);
}

TEST_F(SpriteGroupTest, ReleasingTwiceOrPastTheEndIsIgnored)
{
    SpriteGroup* group = MakeGroup(3);
    FillGroup(*group);
    group->ReleaseSprite(2);
    group->ReleaseSprite(2);
    group->ReleaseSprite(3);
    group->ReleaseSprite(0xFFFFFFFF);
    EXPECT_EQ(group->GetFreeCount(), 1u);
    EXPECT_EQ(group->AddSprite(Vector3(), 1.0f, kWhite), 2u);
    EXPECT_EQ(group->GetFreeCount(), 0u);
    EXPECT_EQ(group->GetSprite(3), nullptr);
}

TEST_F(SpriteGroupTest, FartherSpriteIsWrittenFirst)
{
    SpriteGroup* group = MakeGroup(4);
    group->AddSprite(Vector3(0.0f, 0.0f, -2.0f), 1.0f, kWhite);
    group->AddSprite(Vector3(0.0f, 0.0f, -8.0f), 1.0f, kWhite);
    group->Update();
    EXPECT_EQ(IndexCount(*group), 12u);
    EXPECT_FLOAT_EQ(VertexPosition(*group, 0).z, -8.0f);
    EXPECT_FLOAT_EQ(VertexPosition(*group, 4).z, -2.0f);
    EXPECT_FLOAT_EQ(group->GetSprite(0)->depth, 2.0f);
    EXPECT_FLOAT_EQ(group->GetSprite(1)->depth, 8.0f);
    ExpectNear(group->center, Vector3(0.0f, 0.0f, -5.0f), "centre");
}

TEST_F(SpriteGroupTest, WithoutSortingSpritesAreWrittenInRecordOrder)
{
    SpriteGroup* group = MakeGroup(4);
    group->sortByDepth = 0;
    group->AddSprite(Vector3(0.0f, 0.0f, -2.0f), 1.0f, kWhite);
    group->AddSprite(Vector3(0.0f, 0.0f, -8.0f), 1.0f, kWhite);
    group->Update();
    EXPECT_FLOAT_EQ(VertexPosition(*group, 0).z, -2.0f);
    EXPECT_FLOAT_EQ(VertexPosition(*group, 4).z, -8.0f);
    EXPECT_EQ(group->GetSprite(0)->depth, 0.0f);
}

TEST_F(SpriteGroupTest, EqualDepthsKeepRecordOrder)
{
    SpriteGroup* group = MakeGroup(8);
    for (u32 i = 0; i < 8; ++i)
        group->AddSprite(Vector3(static_cast<f32>(i), 0.0f, -5.0f), 0.0f, kWhite);
    group->Update();
    for (u32 i = 0; i < 8; ++i)
        EXPECT_FLOAT_EQ(VertexPosition(*group, 4 * i).x, static_cast<f32>(i));
}

// Depths on both sides of the camera, both zeros, ties and a wide range: the squares come farthest first and
// ties in record order, as a stable sort by depth gives them.
TEST_F(SpriteGroupTest, ManyDepthsComeFarthestFirstAndTiesInRecordOrder)
{
    const f32 depths[] = {2.0f, -3.0f, 0.0f, -0.0f, 1e6f, -1e6f, 2.0f, 0.5f, -0.25f, 7.0f, 2.0f, 1e-30f, -1e-30f};
    constexpr u32 kCount = 260;
    SpriteGroup* group = MakeGroup(kCount);
    for (u32 i = 0; i < kCount; ++i)
        group->AddSprite(Vector3(static_cast<f32>(i), 0.0f, -depths[(i * 7) % std::size(depths)]), 0.0f, kWhite);
    group->Update();
    std::vector<u32> expected(kCount);
    std::iota(expected.begin(), expected.end(), 0u);
    const auto depthOf = [&](u32 i) { return depths[(i * 7) % std::size(depths)]; };
    std::stable_sort(expected.begin(), expected.end(), [&](u32 a, u32 b) { return depthOf(a) > depthOf(b); });
    for (u32 k = 0; k < kCount; ++k)
        ASSERT_FLOAT_EQ(VertexPosition(*group, 4 * k).x, static_cast<f32>(expected[k])) << "square " << k;
}

namespace
{
struct CornerCase
{
    const char* name;
    f32 rotation;
    // Corner offsets from the centre for right (1, 0, 0), up (0, 1, 0) and a half edge of 2.
    Vector3 corners[4];
};

const CornerCase kCornerCases[] = {
    {"upright", 0.0f, {{-2, -2, 0}, {-2, 2, 0}, {2, -2, 0}, {2, 2, 0}}},
    {"below the turn tolerance", 0.00005f, {{-2, -2, 0}, {-2, 2, 0}, {2, -2, 0}, {2, 2, 0}}},
    {"quarter turn", std::numbers::pi_v<f32> / 2, {{2, -2, 0}, {-2, -2, 0}, {2, 2, 0}, {-2, 2, 0}}},
    {"half turn", std::numbers::pi_v<f32>, {{2, 2, 0}, {2, -2, 0}, {-2, 2, 0}, {-2, -2, 0}}},
};
}

TEST_F(SpriteGroupTest, CornersFaceTheCameraAndTurnAboutItsViewAxis)
{
    for (const CornerCase& c : kCornerCases)
    {
        SCOPED_TRACE(c.name);
        SpriteGroup* group = MakeGroup(1);
        const Vector3 centre(1.0f, 2.0f, -10.0f);
        group->AddSprite(centre, 2.0f, kWhite);
        group->GetSprite(0)->rotation = c.rotation;
        group->Update();
        for (u32 j = 0; j < 4; ++j)
            ExpectNear(VertexPosition(*group, j), centre + c.corners[j], "corner");
        scene.spriteGroups->DeleteSpriteGroup(group);
    }
}

TEST_F(SpriteGroupTest, CornersFollowATurnedCamera)
{
    Camera& camera = scene.GetCamera();
    // A quarter turn about z: the camera's right axis becomes +y and its up axis -x.
    const f32 half = std::numbers::pi_v<f32> / 4;
    camera.orientation = Quaternion(0.0f, 0.0f, std::sin(half), std::cos(half));
    camera.Update();
    const Vector3 right = camera.GetRightAxis();
    const Vector3 up = camera.GetUpAxis();
    ExpectNear(right, Vector3(0.0f, 1.0f, 0.0f), "right axis");
    ExpectNear(up, Vector3(-1.0f, 0.0f, 0.0f), "up axis");
    SpriteGroup* group = MakeGroup(1);
    group->AddSprite(Vector3(), 1.0f, kWhite);
    group->Update();
    ExpectNear(VertexPosition(*group, 0), (right + up) * -1.0f, "bottom left");
    ExpectNear(VertexPosition(*group, 3), right + up, "top right");
    ExpectNear(VertexPosition(*group, 2), right - up, "bottom right");
}

TEST_F(SpriteGroupTest, ColourIsTheSpriteTimesTheGroupPacked)
{
    SpriteGroup* group = MakeGroup(1);
    group->AddSprite(Vector3(0.0f, 0.0f, -3.0f), 1.0f, Color(1.0f, 0.5f, 0.25f, 1.0f));
    group->groupColor = Color(0.5f, 1.0f, 1.0f, 0.5f);
    group->Update();
    // (0.5, 0.5, 0.25, 0.5): alpha 128, red 128, green 128, blue 64.
    for (u32 j = 0; j < 4; ++j)
        EXPECT_EQ(VertexColor(*group, j), 0x80808040u) << "corner " << j;
}

TEST_F(SpriteGroupTest, ReleasedSpritesLeaveTheDrawing)
{
    SpriteGroup* group = MakeGroup(3);
    FillGroup(*group);
    group->Update();
    EXPECT_EQ(IndexCount(*group), 18u);
    group->ReleaseSprite(1);
    group->Update();
    EXPECT_EQ(IndexCount(*group), 12u);
}

TEST_F(SpriteGroupTest, HiddenGroupKeepsWhatItDrewLast)
{
    SpriteGroup* group = MakeGroup(2);
    group->AddSprite(Vector3(0.0f, 0.0f, -4.0f), 1.0f, kWhite);
    group->Update();
    const VertexBuffer& buffer = *group->GetModel()->vertexBuffer;
    const std::string before(reinterpret_cast<const char*>(buffer.GetData()), 8 * buffer.GetStride());
    group->SetVisible(false);
    EXPECT_FALSE(group->IsVisible());
    EXPECT_EQ(group->GetModel()->flags & ModelFlags::Visible, 0u);
    group->GetSprite(0)->position = Vector3(7.0f, 7.0f, -7.0f);
    group->AddSprite(Vector3(0.0f, 0.0f, -9.0f), 1.0f, kWhite);
    group->Update();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.GetData()), 8 * buffer.GetStride()), before);
    EXPECT_EQ(IndexCount(*group), 6u);
    ExpectNear(group->center, Vector3(0.0f, 0.0f, -4.0f), "centre");
    group->SetVisible(true);
    EXPECT_TRUE(group->IsVisible());
    group->Update();
    EXPECT_EQ(IndexCount(*group), 12u);
}

TEST_F(SpriteGroupTest, CopyWithSpritesTakesRecordsQueueAndSettings)
{
    SpriteGroup* source = MakeGroup(4);
    for (u32 i = 0; i < 4; ++i)
        source->AddSprite(Vector3(static_cast<f32>(i), 0.0f, -5.0f), 1.0f, kWhite);
    source->ReleaseSprite(2);
    source->ReleaseSprite(0);
    source->sortByDepth = 0;
    source->groupColor = Color(0.5f, 0.5f, 0.5f, 0.5f);
    SpriteGroup* copy = scene.spriteGroups->CreateSpriteGroupCopy(*source, true);
    EXPECT_NE(copy->GetModel(), source->GetModel());
    EXPECT_EQ(copy->sortByDepth, 0);
    EXPECT_EQ(copy->groupColor.r, 0.5f);
    EXPECT_EQ(copy->camera, source->camera);
    EXPECT_EQ(copy->GetSprite(3)->position.x, 3.0f);
    EXPECT_EQ(copy->GetSprite(0)->free, 1);
    EXPECT_EQ(copy->AddSprite(Vector3(), 1.0f, kWhite), 2u);
    EXPECT_EQ(copy->AddSprite(Vector3(), 1.0f, kWhite), 0u);
    EXPECT_EQ(copy->GetFreeCount(), 0u);
    EXPECT_EQ(source->GetFreeCount(), 2u);
}

TEST_F(SpriteGroupTest, CopyWithoutSpritesCanHandOutEverySprite)
{
    SpriteGroup* source = MakeGroup(4);
    FillGroup(*source);
    source->Update();
    SpriteGroup* copy = scene.spriteGroups->CreateSpriteGroupCopy(*source, false);
    EXPECT_EQ(IndexCount(*copy), 0u);
    EXPECT_EQ(copy->GetFreeCount(), 4u);
    std::set<u32> handedOut;
    for (u32 i = 0; i < 4; ++i)
        handedOut.insert(copy->AddSprite(Vector3(), 1.0f, kWhite));
    EXPECT_EQ(handedOut, (std::set<u32>{0, 1, 2, 3}));
    EXPECT_EQ(copy->GetFreeCount(), 0u);
    EXPECT_EQ(IndexCount(*source), 24u);
}

TEST_F(SpriteGroupTest, ManagerUpdatesOnlyRegisteredGroups)
{
    SpriteGroup* registered = MakeGroup(2);
    SpriteGroup* own = scene.spriteGroups->NewSpriteGroup(2, nullptr, nullptr);
    EXPECT_EQ(scene.spriteGroups->GetCount(), 1u);
    registered->AddSprite(Vector3(0.0f, 0.0f, -3.0f), 1.0f, kWhite);
    own->AddSprite(Vector3(0.0f, 0.0f, -3.0f), 1.0f, kWhite);
    scene.spriteGroups->Update();
    EXPECT_EQ(IndexCount(*registered), 6u);
    EXPECT_EQ(IndexCount(*own), 0u);
    // The manager does not hold it, so deleting it through the manager leaves it to its owner.
    scene.spriteGroups->DeleteSpriteGroup(own);
    scene.spriteGroups->DeleteSpriteGroup(nullptr);
    EXPECT_EQ(own->GetFreeCount(), 1u);
    delete own;
    scene.spriteGroups->DeleteSpriteGroup(registered);
    EXPECT_EQ(scene.spriteGroups->GetCount(), 0u);
}

TEST_F(SpriteGroupTest, CapacityIsHeldToTheLargestGroup)
{
    SpriteGroup* group = scene.spriteGroups->NewSpriteGroup(0x40000001, nullptr, nullptr);
    EXPECT_EQ(group->GetCapacity(), SpriteGroup::MaxCapacity);
    EXPECT_EQ(group->GetModel()->vertexBuffer->GetVertexCount(), 4 * SpriteGroup::MaxCapacity);
    delete group;
}
