// Small helpers the menu windows share to reach their controls: a control is found by the window's own
// name followed by a suffix, and a control the description lacks is null. The window base has already
// logged the missing name, so every helper here simply does nothing with a null control.
#pragma once

#include "engine/core/Types.h"

#include <string>

namespace VelkorEngine
{
class Controls;
class GUIButton;
class GUICheckBox;
class GUIEditBox;
class GUIScroll;
}

namespace GUITools
{
class GUITextControl;
class GUIWindowBase;
}

namespace Korvane::MenuControls
{
VelkorEngine::GUIButton* Button(const GUITools::GUIWindowBase& window, const std::string& suffix);
VelkorEngine::GUIScroll* Scroll(const GUITools::GUIWindowBase& window, const std::string& suffix);
VelkorEngine::GUICheckBox* CheckBox(const GUITools::GUIWindowBase& window, const std::string& suffix);
VelkorEngine::GUIEditBox* EditBox(const GUITools::GUIWindowBase& window, const std::string& suffix);
GUITools::GUITextControl* Text(const GUITools::GUIWindowBase& window, const std::string& suffix);

bool IsClicked(const VelkorEngine::GUIButton* button);
// Enter pressed is the key typed in this frame; its repeats while held are not. Typed keys are handed out one a
// frame in the order they came, so an edit box already holds every character typed before this Enter and none
// typed after it, however many came within one slow frame; a press read as this frame's key state would overtake
// the characters still waiting.
bool IsEnterTyped(const VelkorEngine::Controls* controls);
// A click or the Enter just typed opens a window that reads typed keys: the keys typed after it wait for that window.
void KeepTypedKeysForTheWindowOpened(VelkorEngine::Controls& controls, bool byEnter);
void SetEnabled(VelkorEngine::GUIButton* button, bool enabled);
// The button's look: 0 normal, 1 mouse over, 2 pressed, 3 disabled; a missing button reads as normal.
VelkorEngine::u32 StateOf(const VelkorEngine::GUIButton* button);
void SetFont(GUITools::GUITextControl* text, const std::string& font);
void SetTextKey(GUITools::GUITextControl* text, const std::string& key);
void SetText(GUITools::GUITextControl* text, const std::wstring& value);
void SetParameter(GUITools::GUITextControl* text, const std::wstring& name, const std::wstring& value);
}
