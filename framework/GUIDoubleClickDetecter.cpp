// Double clicks on watched widgets, counted from presses and releases of "MOUSE1".
#include "framework/GUIDoubleClickDetecter.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIWindow.h"

#include <algorithm>

namespace GameFramework
{
namespace
{
// Both clicks must end within this time of the first press.
constexpr f32 DoubleClickSeconds = 0.6f;
constexpr const char* Button = "MOUSE1";
}

GUIDoubleClickDetecter::GUIDoubleClickDetecter(VelkorEngine::Engine* engine)
    : m_log(engine->GetMessageManager()), m_timerManager(engine->GetTimerManager()),
      m_controls(engine->GetControls())
{
}

void GUIDoubleClickDetecter::AddWidget(VelkorEngine::GUIWindow* widget)
{
    if (!widget)
    {
        m_log->Error("(GUIDoubleClickDetecter::AddWidget): No widget to watch");
        return;
    }
    m_widgets.push_back(widget);
}

void GUIDoubleClickDetecter::RemoveWidget(VelkorEngine::GUIWindow* widget)
{
    if (!widget)
        return;
    std::erase(m_widgets, widget);
    // The owner would otherwise read a widget that no longer exists as the one double-clicked.
    if (widget == m_candidate)
        EndSequence();
}

void GUIDoubleClickDetecter::Update()
{
    m_doubleClicked = 0;
    const f32 now = m_timerManager->GetFrameTimer()->GetTime();
    if (now - m_lastClickTime >= DoubleClickSeconds)
    {
        if (m_controls->IsPressed(Button))
            if (VelkorEngine::GUIWindow* widget = FindWidgetUnderMouse())
                StartSequence(widget, now);
    }
    else
        FollowSequence(now);
    m_buttonDown = m_controls->IsDown(Button) ? 1 : 0;
}

// Within the time of a running sequence: a press elsewhere starts over or ends it, a release counts.
void GUIDoubleClickDetecter::FollowSequence(f32 now)
{
    if (m_controls->IsPressed(Button))
    {
        VelkorEngine::GUIWindow* widget = FindWidgetUnderMouse();
        if (!widget)
            EndSequence();
        else if (widget != m_candidate)
            StartSequence(widget, now);
        return;
    }
    if (!m_buttonDown || m_controls->IsDown(Button))
        return;
    if (m_clickCount >= 2)
    {
        m_lastClickTime = -1.0f;
        m_clickCount = 0;
        m_doubleClicked = 1;
    }
    else
        ++m_clickCount;
}

void GUIDoubleClickDetecter::StartSequence(VelkorEngine::GUIWindow* widget, f32 now)
{
    m_candidate = widget;
    m_lastClickTime = now;
    m_clickCount = 1;
}

void GUIDoubleClickDetecter::EndSequence()
{
    m_lastClickTime = -1.0f;
    m_clickCount = 0;
    m_candidate = nullptr;
}

VelkorEngine::GUIWindow* GUIDoubleClickDetecter::FindWidgetUnderMouse() const
{
    const auto found = std::find_if(m_widgets.begin(), m_widgets.end(), [](const VelkorEngine::GUIWindow* widget) {
        return widget->IsVisible() && widget->IsMouseOver();
    });
    return found == m_widgets.end() ? nullptr : *found;
}
}
