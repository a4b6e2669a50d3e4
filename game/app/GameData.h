// The start-up data keeper: the menu background's and the game objects'
// resource lists, and the small publisher logos that menu windows show when the
// data set carries them.
#pragma once

#include "framework/DataKeeper.h"
#include "guitools/GUIResources.h"

#include <string>

namespace VelkorEngine
{
class GUIManager;
class GUIWindow;
class ShaderUser;
} // namespace VelkorEngine

namespace Korvane
{
using VelkorEngine::u32;

class GameData : public GameTools::DataKeeper
{
public:
    static constexpr u32 PublisherCount = 2;

    GameData(VelkorEngine::Engine* engine, const std::string& language);
    ~GameData() override;

    // The two windows kept after the load. The queued lists load on the loading
    // thread, but GUI windows are made on the main thread only, so the game calls
    // this once that thread has finished.
    void CreateWindows();

    // Null when the data set has no complete small logo of that publisher.
    VelkorEngine::ShaderUser* GetSmallLogo(u32 index) const;
    GUITools::GUIResources* GetGUIResources() { return &m_guiResources; }
    // The play's texts float in this window, above the field and below the in-game window.
    VelkorEngine::GUIWindow* GetChildWindow() const { return m_childWindow; }

    static std::string SmallLogoPath(u32 index);
    static std::string SmallLogoAlphaPath(u32 index);

private:
    void LoadSmallLogo(u32 index);

    VelkorEngine::GUIManager* m_guiManager;
    VelkorEngine::ShaderUser* m_smallLogos[PublisherCount] = {nullptr, nullptr};
    VelkorEngine::GUIWindow* m_rootWindow = nullptr;
    VelkorEngine::GUIWindow* m_childWindow = nullptr;
    GUITools::GUIResourcesOf<GameTools::DataKeeper> m_guiResources;
};
} // namespace Korvane
