// Showing the table with the entry to mark.
#include "framework/GUIHighScoresWindowBase.h"

namespace GameFramework
{
void GUIHighScoresWindowBase::Show(u32 stateId, HighScoreEntry* entry)
{
    GUIFrameworkWindow::Show(stateId);
    m_highlightedEntry = entry;
}
}
