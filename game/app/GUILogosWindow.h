// The publisher pictures before the first menu: each shown for a moment, then faded out, the second after
// the first. Either picture may be missing from the data set; without both the window ends at once.
#pragma once

#include "engine/core/Types.h"
#include "framework/GUILogosWindowBase.h"

#include <string>

namespace VelkorEngine
{
class Engine;
class FileManager;
class GUIManager;
class GUIWindow;
class TimerManager;
}

namespace Korvane
{
class GUILogosWindow : public GameFramework::GUILogosWindowBase
{
public:
    static constexpr VelkorEngine::u32 LogoCount = 2;
    static constexpr VelkorEngine::f32 OpaqueSeconds = 1.5f;
    static constexpr VelkorEngine::f32 FadeSeconds = 1.0f;

    explicit GUILogosWindow(VelkorEngine::Engine* engine);
    ~GUILogosWindow() override;

    void Update() override;
    void Show(VelkorEngine::u32 stateId) override;
    void Hide() override;

    // Null when that picture is absent; a lone second picture is shown as the first.
    VelkorEngine::GUIWindow* GetLogoWindow(VelkorEngine::u32 index) const { return m_logoWindows[index]; }
    static std::string BigLogoPath(VelkorEngine::u32 index);

private:
    VelkorEngine::GUIWindow* CreateLogoWindow(VelkorEngine::u32 index);
    void FadeLogo(VelkorEngine::GUIWindow* logo);
    void DestroyLogoWindows();

    VelkorEngine::Engine* m_engine;
    VelkorEngine::FileManager* m_fileManager;
    VelkorEngine::TimerManager* m_timerManager;
    VelkorEngine::GUIManager* m_guiManager;
    VelkorEngine::GUIWindow* m_rootWindow = nullptr;
    VelkorEngine::GUIWindow* m_logoWindows[LogoCount] = {nullptr, nullptr};
    bool m_active = false;
    VelkorEngine::f32 m_timer = 0.0f;
};
}
