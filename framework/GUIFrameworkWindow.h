// The behaviour side of every screen: the state id it was last shown with (where it was opened from) and the
// result code it hands back to the game's window flow. A window never opens another window; it stores a
// result and the flow's handler hides it and shows the next one.
#pragma once

#include "engine/core/Types.h"

namespace GameFramework
{
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIFrameworkWindow
{
public:
    GUIFrameworkWindow() = default;
    virtual ~GUIFrameworkWindow() = default;

    GUIFrameworkWindow(const GUIFrameworkWindow&) = delete;
    GUIFrameworkWindow& operator=(const GUIFrameworkWindow&) = delete;

    // Clears the result code; a derived window calls it first each frame and may then store a new result.
    virtual void Update();
    virtual void Show(u32 stateId);
    virtual void Hide();

    // A result stored by the window's own per-frame update: seen by the next dispatch only.
    void SetResultCode(u32 resultCode) { m_resultCode = resultCode; }
    // A result stored while the window is being shown: it outlives the dispatch that showed the window, so
    // the window's handler still sees it later in that dispatch or in the next one.
    void SetLastingResultCode(u32 resultCode);
    // End of one dispatch of window results: an expiring result is cleared, and every result expires again.
    void ExpireResult();
    // The flow has acted on the result: it goes at the end of this dispatch even when the window stored it
    // while being shown and its hide kept it, so no handler acts on one result twice.
    void LetResultExpire() { m_resultExpires = 1; }

    u32 GetResultCode() const { return m_resultCode; }
    u32 GetStateId() const { return m_stateId; }
    bool DoesResultExpire() const { return m_resultExpires != 0; }

private:
    u8 m_resultExpires = 1;
    u32 m_stateId = 0;
    u32 m_resultCode = 0;
};
}
