// Holds every camera: the default perspective camera it makes itself and those other parts create and
// delete through it. Keeps the viewport equal to the window's client area, updates the cameras once a
// frame, applies a camera only when it changes, and converts between world and screen coordinates.
#pragma once

#include "engine/core/SlotTable.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"

namespace VelkorEngine
{
class Camera;
class MessageManager;
class RenderSystem;
class Window;

class CameraManager
{
public:
    CameraManager(MessageManager* log, Window* window, RenderSystem* renderSystem);
    virtual ~CameraManager();

    CameraManager(const CameraManager&) = delete;
    CameraManager& operator=(const CameraManager&) = delete;

    Camera* CreateCamera(u32 kind);
    // Ignores null, cameras it does not hold and the default camera, which the manager keeps for its life.
    void DeleteCamera(Camera* camera);
    // Applies the camera only when it or the z-bias choice differs from what was applied last.
    void SetCurrentCamera(Camera* camera, bool zBiased);
    // Once a frame, before anything is drawn: viewport, every camera, and no current camera.
    void Update();

    // Pixels from the viewport's bottom-left corner (y grows upward).
    Vector2 ProjectToScreen(const Camera* camera, const Vector3& point) const;
    // (x, y) in viewport pixels and a depth from 0 (near) to 1 (far).
    Vector3 UnprojectFromScreen(const Camera* camera, const Vector3& screenPoint) const;

    Camera* GetDefaultCamera() const { return m_defaultCamera; }
    Camera* GetCurrentCamera() const { return m_currentCamera; }
    u32 GetViewportX() const { return m_viewportX; }
    u32 GetViewportY() const { return m_viewportY; }
    u32 GetViewportWidth() const { return m_viewportWidth; }
    u32 GetViewportHeight() const { return m_viewportHeight; }
    u32 GetCameraCount() const { return m_cameras.GetCount(); }

private:
    Window* m_window;
    RenderSystem* m_renderSystem;
    u32 m_viewportX = 0;
    u32 m_viewportY = 0;
    u32 m_viewportWidth = 0;
    u32 m_viewportHeight = 0;
    SlotTable<Camera> m_cameras;
    Camera* m_defaultCamera = nullptr;
    Camera* m_currentCamera = nullptr;
    bool m_currentZBiased = false;
};
}
