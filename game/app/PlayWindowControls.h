// What the play windows need of their controls beyond the menu windows' helpers: a control is found by the
// window's own name followed by a suffix, and one the description lacks is simply absent.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class GUIButton;
}

namespace GUITools
{
class GUITextControl;
class GUIWindowBase;
}

namespace Korvane::PlayWindowControls
{
bool IsMouseOver(const VelkorEngine::GUIButton* button);
// Switches a control of the window on or off when the description has it; no error when it has not.
void EnableIfPresent(GUITools::GUIWindowBase& window, const std::string& suffix, bool enable);
// The current opacity of a text, 0 for none.
VelkorEngine::f32 FadeValue(const GUITools::GUITextControl* text);

// "stage-level", both counted from 1.
std::wstring LevelName(VelkorEngine::u32 stage, VelkorEngine::u32 level);
}
