// The list of players: the current profile first, the others after it in the profile manager's order,
// nine rows at a time with a scroll bar past nine. A click on a row makes that profile current; the
// buttons lead to creating, renaming and deleting profiles.
#pragma once

#include "framework/GUIProfilesWindowBase.h"
#include "game/app/GUIMenuWindow.h"

#include <vector>

namespace VelkorEngine
{
class Controls;
class GUIButton;
class GUIScroll;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::u32;
using VelkorEngine::u8;

class GUIProfilesWindow : public GameFramework::GUIProfilesWindowBase
{
public:
    static constexpr u32 RowCount = 9;

    GUIProfilesWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                      GameFramework::ProfileManagerBase* profileManager, GameData* data,
                      GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                      VelkorEngine::GUIWindow* parentWidget);

    void Update() override;
    void Show(u32 stateId) override;
    void Hide() override;

    GUIMenuWindow& GetMenuWindow() { return m_menu; }
    // Entry 0 is the current profile's name (empty without a current profile).
    const std::vector<std::wstring>& GetNames() const { return m_names; }
    // Row 0 is the top row.
    VelkorEngine::GUIButton* GetRowButton(u32 row) const { return m_rowButtons[row]; }
    GUITools::GUITextControl* GetRowTitle(u32 row) const { return m_rowTitles[row]; }
    VelkorEngine::GUIScroll* GetScroll() const { return m_scroll; }

private:
    void FillNames();
    void ShowRowControls();
    void SetUpScroll();
    std::wstring CurrentName() const;
    u32 ScrollPosition() const;
    // The name the row stands for at the scroll's position; empty past the end of the list.
    std::wstring RowName(u32 row) const;
    void UpdateRow(u32 row);
    void UpdateButtons();

    GUIMenuWindow m_menu;
    VelkorEngine::Controls* m_controls;
    std::vector<GUITools::GUIControl*> m_rows;
    std::vector<VelkorEngine::GUIButton*> m_rowButtons;
    std::vector<GUITools::GUITextControl*> m_rowTitles;
    VelkorEngine::GUIScroll* m_scroll;
    VelkorEngine::GUIButton* m_createButton;
    VelkorEngine::GUIButton* m_renameButton;
    VelkorEngine::GUIButton* m_deleteButton;
    VelkorEngine::GUIButton* m_doneButton;
    std::vector<std::wstring> m_names;
};
}
