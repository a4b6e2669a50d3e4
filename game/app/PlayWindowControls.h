// What the play windows share to reach their controls: a control is found by the window's own name followed
// by a suffix, and one the description lacks is null (the window base has logged it); every helper does
// nothing with a null control, so a missing control is simply absent.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class GUIButton;
class GUICheckBox;
}

namespace GUITools
{
class GUITextControl;
class GUIWindowBase;
class GUIWindowControl;
}

namespace Korvane::PlayWindowControls
{
VelkorEngine::GUIButton* Button(const GUITools::GUIWindowBase& window, const std::string& suffix);
VelkorEngine::GUICheckBox* CheckBox(const GUITools::GUIWindowBase& window, const std::string& suffix);
GUITools::GUITextControl* Text(const GUITools::GUIWindowBase& window, const std::string& suffix);
GUITools::GUIWindowControl* Panel(const GUITools::GUIWindowBase& window, const std::string& suffix);

bool IsClicked(const VelkorEngine::GUIButton* button);
bool IsMouseOver(const VelkorEngine::GUIButton* button);
void SetEnabled(VelkorEngine::GUIButton* button, bool enabled);
void SetText(GUITools::GUITextControl* text, const std::wstring& value);
void SetTextKey(GUITools::GUITextControl* text, const std::string& key);
// Switches a control of the window on or off when the description has it; no error when it has not.
void EnableIfPresent(GUITools::GUIWindowBase& window, const std::string& suffix, bool enable);
// The current opacity of a text, 0 for none.
VelkorEngine::f32 FadeValue(const GUITools::GUITextControl* text);

// "stage-level", both counted from 1.
std::wstring LevelName(VelkorEngine::u32 stage, VelkorEngine::u32 level);
}
