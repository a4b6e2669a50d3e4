// The table of best results; shown after a finished game it knows which entry is the new one to mark.
#pragma once

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework
{
class HighScoresTable;
struct HighScoreEntry;

class GUIHighScoresWindowBase : public GUIFrameworkWindow
{
public:
    explicit GUIHighScoresWindowBase(HighScoresTable* table) : m_table(table) {}

    using GUIFrameworkWindow::Show;
    // entry: the result to mark, or null.
    virtual void Show(u32 stateId, HighScoreEntry* entry);

    HighScoreEntry* GetHighlightedEntry() const { return m_highlightedEntry; }

protected:
    HighScoresTable* m_table = nullptr;
    HighScoreEntry* m_highlightedEntry = nullptr;
};
}
