// The floating texts of one level: made at a place of the GUI screen or at a point of the 3D scene, queued on
// a window of their own above the playfield, and deleted once they have run their course.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "game/play/FloatingTexts.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class CameraManager;
class Engine;
class GUIManager;
class GUIWindow;
class Window;
}

namespace Korvane
{
class GUIGameLogicText;

class GUIGameLogicTextManager : public FloatingTexts
{
public:
    static constexpr VelkorEngine::i32 Layer = 490;

    GUIGameLogicTextManager(VelkorEngine::Engine* engine, VelkorEngine::i32 fontIndex,
                            VelkorEngine::GUIWindow* parentWindow);
    ~GUIGameLogicTextManager() override;

    GUIGameLogicTextManager(const GUIGameLogicTextManager&) = delete;
    GUIGameLogicTextManager& operator=(const GUIGameLogicTextManager&) = delete;

    // Centred on a point of the GUI screen, moved in as far as its grown lines need to start wholly on it.
    void CreateText(const std::wstring& text, const VelkorEngine::Vector2& position);
    // Centred where the play's camera shows the point. Skipped while the window has no client area (it is
    // minimised), when there is no place on the screen to put it.
    void CreateTextAt(const std::wstring& text, const VelkorEngine::Vector3& point) override;
    // Once a frame: every text grows, rises or fades; spent texts are deleted.
    void Update() override;
    void Clear() override;

    VelkorEngine::GUIWindow* GetWindow() const { return m_window; }
    const std::vector<std::unique_ptr<GUIGameLogicText>>& GetTexts() const { return m_texts; }

private:
    VelkorEngine::Engine* m_engine;
    VelkorEngine::Window* m_programWindow;
    VelkorEngine::CameraManager* m_cameraManager;
    VelkorEngine::GUIManager* m_guiManager;
    VelkorEngine::i32 m_fontIndex;
    VelkorEngine::GUIWindow* m_window = nullptr;
    std::vector<std::unique_ptr<GUIGameLogicText>> m_texts;
};
}
