// The hammer bonus: a great hammer held over the block under the cursor, leaning towards the cursor's side, that
// on each click swings down onto that block and destroys it as a super ball would, setting off its neighbours.
// It disappears after the return of its last strike.
#pragma once

#include "engine/core/Ray.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

namespace VelkorEngine
{
class CameraManager;
class Engine;
class Model;
class ModelManager;
}

namespace GameFramework
{
class GameSoundPlayer;
}

namespace GameTools
{
class DataKeeper;
}

namespace Korvane
{
class Block;
class Effects;
class GameGeometry;
using VelkorEngine::f32;
using VelkorEngine::i32;
using VelkorEngine::u32;

class Hammer
{
public:
    static constexpr u32 SoundStrike = 30;
    static constexpr i32 ClipSwing = 0;
    static constexpr i32 ClipReturn = 1;
    // The model is authored round its grip: at the bottom of the swing the head's striking face lies this far
    // straight below it. The grip is held this far above the point struck, so that the whole hammer stays in the
    // camera's view over every part of the field where blocks stand.
    static constexpr f32 Reach = 55.0f;
    // Where the head may be aimed when the cursor points at no block: the field's floor within these bounds.
    static constexpr f32 AimLimitX = 70.0f;
    static constexpr f32 AimNearY = -40.0f;
    static constexpr f32 AimFarY = 110.0f;

    // resources: the keeper of "hammer/model". cursor: the GUI position the hammer follows; null is the GUI
    // manager's cursor.
    Hammer(VelkorEngine::Engine* engine, GameTools::DataKeeper* resources, GameGeometry* geometry, Effects* effects,
           GameFramework::GameSoundPlayer* sounds, const VelkorEngine::Vector2* cursor = nullptr);
    virtual ~Hammer();

    Hammer(const Hammer&) = delete;
    Hammer& operator=(const Hammer&) = delete;

    // Nothing for n of 0 or less; a hidden hammer appears.
    void AddStrikes(i32 n);
    // No strikes, hidden, at rest.
    void Remove();
    // A click: starts a swing when the hammer is at rest or back from the last one.
    void RequestStrike();
    // Once a frame: aims, and strikes at the bottom of a swing.
    void Update();
    void SetBlocked(bool blocked) { m_blocked = blocked; }

    i32 StrikesLeft() const { return m_strikes; }
    bool IsShown() const;
    bool IsBlocked() const { return m_blocked; }
    VelkorEngine::Model* GetModel() const { return m_model; }

    // The turn about y for a cursor x of the 800 x 600 GUI screen: -pi/4 at the left edge, pi/4 at the right.
    static f32 AimAngle(f32 cursorX);
    // Where the cursor points into the scene, from just before the near plane to the far plane.
    VelkorEngine::Ray CursorSegment() const;
    // The alive block the segment points at: the nearest whose surface it meets, else the first whose box it
    // crosses; null for none.
    Block* PickBlock(const VelkorEngine::Ray& segment) const;
    // Where the head's striking face comes down: where the segment enters the block it points at, else on the
    // floor under it, kept over the field.
    VelkorEngine::Vector3 AimPoint(const VelkorEngine::Ray& segment) const;

private:
    void Aim();
    void Strike();
    bool IsAnimating() const;
    bool ClipHasRun(i32 clip) const;

    VelkorEngine::ModelManager* m_modelManager = nullptr;
    VelkorEngine::CameraManager* m_cameras = nullptr;
    GameGeometry* m_geometry = nullptr;
    GameFramework::GameSoundPlayer* m_sounds = nullptr;
    const VelkorEngine::Vector2* m_cursor = nullptr;
    VelkorEngine::Model* m_model = nullptr;
    i32 m_strikes = 0;
    bool m_blocked = false;
};
}
