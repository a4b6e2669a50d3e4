// The one transition token of the menu windows: a window that is asked to
// appear waits until the window before it has finished disappearing, so two
// menu windows never animate on screen together. The manager drives every menu
// window's transition once per frame.
#pragma once

#include <string>
#include <vector>

namespace GUITools
{
class GUIWindowBase;
}

namespace Korvane
{
class GameData;
class GUIMenuWindow;

class GUIMenuWindowManager
{
public:
    explicit GUIMenuWindowManager(GameData* owner);
    virtual ~GUIMenuWindowManager() = default;

    GUIMenuWindowManager(const GUIMenuWindowManager&) = delete;
    GUIMenuWindowManager& operator=(const GUIMenuWindowManager&) = delete;

    void ReleaseToken();
    // Only a free token is taken. A null holder is the in-game window's hold: no
    // menu window may appear while it lasts.
    void TakeToken(GUIMenuWindow* window);
    bool IsTokenFree() const { return m_tokenFree; }
    GUIMenuWindow* GetTokenHolder() const { return m_tokenHolder; }

    void Register(GUIMenuWindow* window);
    void PreUpdate();
    // Windows going away first, so a token released in this frame can be taken in
    // this frame.
    void Update();

    // The optional "logo_additional_0" and "logo_additional_1" controls take the
    // small publisher logos, or are disabled when the data set lacks them.
    void FillPublisherLogos(GUITools::GUIWindowBase& window);

private:
    void UpdateWindows(bool shown);

    GameData* m_owner;
    std::vector<GUIMenuWindow*> m_windows;
    bool m_tokenFree = true;
    GUIMenuWindow* m_tokenHolder = nullptr;
};
} // namespace Korvane
