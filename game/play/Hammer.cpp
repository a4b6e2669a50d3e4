// The hammer's aim, its swing and the block it strikes.
#include "game/play/Hammer.h"

#include "engine/core/BoundingVolume.h"
#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/CameraManager.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "framework/DataKeeper.h"
#include "framework/GameSoundPlayer.h"
#include "game/play/Block.h"
#include "game/play/BrickDurability.h"
#include "game/play/GameGeometry.h"
#include "game/play/ModelPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
constexpr f32 kGuiWidth = 800.0f;
constexpr f32 kGuiHeight = 600.0f;
constexpr f32 kQuarterPi = 0.785398163f;
// A clip whose time has moved past this has run.
constexpr f32 kRunTime = 0.0001f;
// The cursor's ray runs from in front of the near plane to the far plane.
constexpr f32 kSegmentStartDepth = -1.0f;
constexpr f32 kSegmentEndDepth = 1.0f;

// Where the segment first meets the box, if it does.
bool EntersBox(const Ray& segment, const BoundingVolume& box, Vector3& entry)
{
    const f32 origin[3] = {segment.origin.x, segment.origin.y, segment.origin.z};
    const f32 direction[3] = {segment.direction.x, segment.direction.y, segment.direction.z};
    const Vector3& low = box.GetWorldMinimum();
    const Vector3& high = box.GetWorldMaximum();
    const f32 lows[3] = {low.x, low.y, low.z};
    const f32 highs[3] = {high.x, high.y, high.z};
    f32 first = 0.0f;
    f32 last = 1.0f;
    for (int axis = 0; axis < 3; ++axis)
    {
        if (std::fabs(direction[axis]) < 1e-6f)
        {
            if (origin[axis] < lows[axis] || origin[axis] > highs[axis])
                return false;
            continue;
        }
        f32 enter = (lows[axis] - origin[axis]) / direction[axis];
        f32 leave = (highs[axis] - origin[axis]) / direction[axis];
        if (enter > leave)
            std::swap(enter, leave);
        first = std::max(first, enter);
        last = std::min(last, leave);
    }
    if (first > last)
        return false;
    entry = segment.origin + segment.direction * first;
    return true;
}
}

Hammer::Hammer(Engine* engine, GameTools::DataKeeper* resources, GameGeometry* geometry, Effects*,
               GameFramework::GameSoundPlayer* sounds, const Vector2* cursor)
    : m_modelManager(engine->GetModelManager()), m_cameras(engine->GetCameraManager()), m_geometry(geometry),
      m_sounds(sounds), m_cursor(cursor != nullptr ? cursor : &engine->GetGUIManager()->GetCursorPosition())
{
    m_model = m_modelManager->CreateModelCopy(*resources->GetModel("hammer/model"), nullptr, 0);
    m_model->animation->AddAnimation(ClipSwing, 0, 4);
    m_model->animation->AddAnimation(ClipReturn, 4, 9);
    m_model->animation->loop = 0;
    Remove();
    Aim();
}

Hammer::~Hammer()
{
    m_modelManager->DeleteModel(m_model);
}

void Hammer::AddStrikes(i32 n)
{
    if (n <= 0)
        return;
    if (m_strikes == 0)
        m_model->SetFlags(ModelFlags::Visible);
    m_strikes += n;
}

void Hammer::Remove()
{
    m_strikes = 0;
    m_model->ClearFlags(ModelFlags::Visible);
    m_model->animation->Stop();
    m_model->animation->SetAnimation(ClipSwing);
}

void Hammer::RequestStrike()
{
    if (m_strikes <= 0 || IsAnimating())
        return;
    const AnimationControl& animation = *m_model->animation;
    const bool resting = animation.GetAnimation() == ClipSwing && animation.time < kRunTime;
    if (!resting && !ClipHasRun(ClipReturn))
        return;
    if (m_sounds != nullptr)
        m_sounds->PlaySound(SoundStrike);
    m_model->animation->SetAnimation(ClipSwing);
    m_model->animation->Start();
}

void Hammer::Update()
{
    if (m_blocked)
        return;
    if (IsShown())
        Aim();
    if (IsAnimating())
        return;
    if (ClipHasRun(ClipSwing))
        Strike();
    else if (ClipHasRun(ClipReturn) && m_strikes <= 0)
        Remove();
}

bool Hammer::IsShown() const
{
    return (m_model->flags & ModelFlags::Visible) != 0;
}

f32 Hammer::AimAngle(f32 cursorX)
{
    return (cursorX - kGuiWidth / 2.0f) / (kGuiWidth / 2.0f) * kQuarterPi;
}

// The head leans to the cursor's side: the model hangs down from its grip, so a turn towards +x about y is
// the negative one. The grip is placed so that the head, leaning so, comes down on the aimed point.
void Hammer::Aim()
{
    Matrix4 turn;
    MakeRotationYMatrix(turn, -AimAngle(m_cursor->x));
    const Vector3 grip = AimPoint(CursorSegment()) - turn.TransformPoint(Vector3(0.0f, 0.0f, -Reach));
    Matrix4 place;
    MakeTranslationMatrix(place, grip);
    m_model->worldMatrix = place * turn;
    PlaceBounds(*m_model);
}

Vector3 Hammer::AimPoint(const Ray& segment) const
{
    if (const Block* block = PickBlock(segment))
    {
        Vector3 entry;
        if (EntersBox(segment, block->GetBounds(), entry))
            return entry;
    }
    // Down to the floor; a segment that never reaches it aims at its far end, and the point stays over the field.
    f32 along = 1.0f;
    if (segment.direction.z < 0.0f && segment.origin.z > 0.0f)
        along = std::min(segment.origin.z / -segment.direction.z, 1.0f);
    Vector3 point = segment.origin + segment.direction * along;
    point.x = std::clamp(point.x, -AimLimitX, AimLimitX);
    point.y = std::clamp(point.y, AimNearY, AimFarY);
    point.z = 0.0f;
    return point;
}

// At the bottom of the swing: one strike spent, the return begins, and the block under the cursor goes.
void Hammer::Strike()
{
    --m_strikes;
    m_model->animation->SetAnimation(ClipReturn);
    m_model->animation->Start();
    if (Block* block = PickBlock(CursorSegment()))
        block->Destroy(DestroyKind::Super, true);
}

Ray Hammer::CursorSegment() const
{
    const Camera* camera = m_cameras->GetDefaultCamera();
    const f32 x = static_cast<f32>(m_cameras->GetViewportX()) +
                  m_cursor->x * static_cast<f32>(m_cameras->GetViewportWidth()) / kGuiWidth;
    const f32 y = static_cast<f32>(m_cameras->GetViewportY()) +
                  m_cursor->y * static_cast<f32>(m_cameras->GetViewportHeight()) / kGuiHeight;
    const Vector3 start = m_cameras->UnprojectFromScreen(camera, Vector3(x, y, kSegmentStartDepth));
    const Vector3 end = m_cameras->UnprojectFromScreen(camera, Vector3(x, y, kSegmentEndDepth));
    return Ray(start, end - start);
}

// Blocks destroyed earlier in the frame are still listed until the geometry's update; they are never picked,
// so a strike is not spent on a block that is already gone.
Block* Hammer::PickBlock(const Ray& segment) const
{
    if (m_geometry == nullptr)
        return nullptr;
    Block* nearest = nullptr;
    f32 nearestDistance = std::numeric_limits<f32>::max();
    for (const auto& block : m_geometry->GetBlocks())
    {
        f32 distance = 0.0f;
        if (block->IsAlive() && block->GetModel()->HitTest(segment, &distance) && distance < nearestDistance)
        {
            nearest = block.get();
            nearestDistance = distance;
        }
    }
    if (nearest != nullptr)
        return nearest;
    for (const auto& block : m_geometry->GetBlocks())
        if (block->IsAlive() && block->GetBounds().IntersectsSegment(segment))
            return block.get();
    return nullptr;
}

bool Hammer::IsAnimating() const
{
    return m_model->animation->IsPlaying() != 0;
}

bool Hammer::ClipHasRun(i32 clip) const
{
    return m_model->animation->GetAnimation() == clip && m_model->animation->time > kRunTime;
}
}
