#include "game/app/GUIHighScoresWindow.h"

#include "engine/core/StringHelpers.h"
#include "framework/GameWindowIds.h"
#include "framework/HighScoresTable.h"
#include "game/app/MenuControls.h"
#include "guitools/GUITextControl.h"

namespace Korvane
{
using namespace GameFramework;

namespace
{
constexpr const char* Columns[] = {"place", "name", "score"};
}

GUIHighScoresWindow::GUIHighScoresWindow(VelkorEngine::Engine* engine, ProfileManagerBase* /*profileManager*/,
                                         GameSoundPlayer* soundPlayer, HighScoresTable* table, GameData* data,
                                         GUITools::GUIToolManager* toolManager, GUIMenuWindowManager* menuManager,
                                         VelkorEngine::GUIWindow* parentWidget)
    : GUIHighScoresWindowBase(table),
      m_menu(engine, soundPlayer, data, toolManager, menuManager, "window_high_scores", parentWidget),
      m_backButton(MenuControls::Button(m_menu, "/window/button_0")),
      m_backTitle(MenuControls::Text(m_menu, "/window/button_0/title"))
{
}

std::string GUIHighScoresWindow::RowPath(u32 row, const std::string& column) const
{
    return m_menu.GetName() + "/window/record_" + VelkorEngine::UIntToString(row, 0) + "/" + column;
}

GUITools::GUITextControl* GUIHighScoresWindow::GetRowText(u32 row, const std::string& column) const
{
    return m_menu.GetTextControl(RowPath(row, column));
}

void GUIHighScoresWindow::Show(u32 stateId)
{
    Show(stateId, nullptr);
}

void GUIHighScoresWindow::Show(u32 stateId, HighScoreEntry* entry)
{
    GUIHighScoresWindowBase::Show(stateId, entry);
    MenuControls::SetTextKey(m_backTitle, stateId == StateId::MainMenu ? "common/back" : "common/continue");
    const u32 count = m_table != nullptr ? m_table->GetCount(Category) : 0;
    m_menu.EnableControl(m_menu.GetName() + "/window/no_records", count == 0);
    for (u32 row = 0; row < RowCount; ++row)
        ShowRow(row, count);
    m_menu.Show(true);
}

void GUIHighScoresWindow::ShowRow(u32 row, u32 entryCount)
{
    const bool listed = row < entryCount;
    for (const char* column : Columns)
        m_menu.EnableControl(RowPath(row, column), listed);
    if (!listed)
        return;
    const HighScoreEntry* entry = m_table->GetEntry(Category, row);
    if (entry == nullptr)
        return;
    const char* font = entry == GetHighlightedEntry() ? "common_1" : "common_0";
    const std::wstring texts[] = {VelkorEngine::UIntToWString(row + 1, 0) + L".", entry->name,
                                  VelkorEngine::UIntToWString(entry->score, 0)};
    for (u32 column = 0; column < 3; ++column)
    {
        GUITools::GUITextControl* text = GetRowText(row, Columns[column]);
        MenuControls::SetFont(text, font);
        MenuControls::SetText(text, texts[column]);
    }
}

void GUIHighScoresWindow::Update()
{
    GUIHighScoresWindowBase::Update();
    m_menu.Update();
    if (m_menu.IsShown() && MenuControls::IsClicked(m_backButton))
        SetResultCode(ResultCode::MainMenu);
}

void GUIHighScoresWindow::Hide()
{
    GUIHighScoresWindowBase::Hide();
    m_menu.Show(false);
}
}
