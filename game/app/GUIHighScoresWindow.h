// The ten best results, place, name and score a row, with the result just added drawn in the marking
// font. Reached from the main menu and after a finished or lost game.
#pragma once

#include "framework/GUIHighScoresWindowBase.h"
#include "game/app/GUIMenuWindow.h"

namespace VelkorEngine
{
class GUIButton;
}

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIHighScoresWindow : public GameFramework::GUIHighScoresWindowBase
{
public:
    static constexpr u32 RowCount = 10;
    // Only this category of the table is listed.
    static constexpr u32 Category = 0;

    GUIHighScoresWindow(VelkorEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                        GameFramework::GameSoundPlayer* soundPlayer, GameFramework::HighScoresTable* table,
                        GameData* data, GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                        VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Show(u32 stateId, GameFramework::HighScoreEntry* entry) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }
    // "place", "name" or "score" of a row; null when the description lacks it.
    GUITools::GUITextControl* GetRowText(u32 row, const std::string& column) const;

private:
    std::string RowPath(u32 row, const std::string& column) const;
    void ShowRow(u32 row, u32 entryCount);

    GUIMenuWindow m_menu;
    VelkorEngine::GUIButton* m_backButton;
    GUITools::GUITextControl* m_backTitle;
};
}
