// Watches a set of GUI widgets and reports a double click of the left mouse button on one of them: press,
// release, press and release on the same visible widget under the mouse, all within 0.6 s of the first press.
#pragma once

#include "engine/core/Types.h"

#include <vector>

namespace VelkorEngine
{
class Controls;
class Engine;
class GUIWindow;
class MessageManager;
class TimerManager;
}

namespace GameFramework
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIDoubleClickDetecter
{
public:
    explicit GUIDoubleClickDetecter(VelkorEngine::Engine* engine);
    virtual ~GUIDoubleClickDetecter() = default;

    GUIDoubleClickDetecter(const GUIDoubleClickDetecter&) = delete;
    GUIDoubleClickDetecter& operator=(const GUIDoubleClickDetecter&) = delete;

    // A null widget is refused with a log line: it would be read when the mouse is next pressed.
    void AddWidget(VelkorEngine::GUIWindow* widget);
    // Null is ignored; the widget of a running click sequence ends that sequence.
    void RemoveWidget(VelkorEngine::GUIWindow* widget);
    // Once a frame, after the engine has read the input and before it clears the presses.
    void Update();

    // True for the one frame in which the second click ended, with the widget that was double-clicked.
    bool IsDoubleClicked() const { return m_doubleClicked != 0; }
    VelkorEngine::GUIWindow* GetCandidate() const { return m_candidate; }

private:
    void StartSequence(VelkorEngine::GUIWindow* widget, f32 now);
    void EndSequence();
    void FollowSequence(f32 now);
    VelkorEngine::GUIWindow* FindWidgetUnderMouse() const;

    VelkorEngine::MessageManager* m_log;
    VelkorEngine::TimerManager* m_timerManager;
    VelkorEngine::Controls* m_controls;
    std::vector<VelkorEngine::GUIWindow*> m_widgets;
    f32 m_lastClickTime = -1.0f;
    u8 m_buttonDown = 0;
    u32 m_clickCount = 0;
    u8 m_doubleClicked = 0;
    VelkorEngine::GUIWindow* m_candidate = nullptr;
};
}
