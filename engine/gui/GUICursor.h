// Turns the mouse into a position on the GUI's virtual screen (y upwards) and, when it has a model and is
// visible, draws that model with its hot spot at the position.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/gui/GUIServices.h"

namespace VelkorEngine
{
class Model;
class ShaderDescriptor;

class GUICursor
{
public:
    // Cursors are drawn in front of every window.
    static constexpr f32 Depth = -30.1f;

    // A square of the given size whose top-left corner is the hot spot.
    GUICursor(const GUIServices& services, const ShaderDescriptor* shader, f32 size);
    // A copy of the model; without one the cursor only tracks the position.
    GUICursor(const GUIServices& services, const Model* model);
    virtual ~GUICursor();

    GUICursor(const GUICursor&) = delete;
    GUICursor& operator=(const GUICursor&) = delete;

    // A client area without width or height (a minimised window) keeps the last position.
    void UpdateFromMouse();
    // A point of the window's client area on the virtual screen; false (and no change) without a client area.
    bool MapFromClient(const Vector2& client, Vector2& screen) const;
    void Place();

    void SetVisible(bool visible) { m_visible = visible ? 1 : 0; }
    bool IsVisible() const { return m_visible != 0; }
    const Vector2& GetPosition() const { return m_position; }
    void SetPosition(const Vector2& position) { m_position = position; }
    Model* GetModel() const { return m_model; }

private:
    void FinishModel();

    GUIServices m_services;
    Model* m_model = nullptr;
    u8 m_visible = 0;
    Vector2 m_position;
    Matrix4 m_baseMatrix;
};
}
