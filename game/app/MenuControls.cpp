#include "game/app/MenuControls.h"

#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/input/Controls.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIWindowBase.h"

namespace Korvane::MenuControls
{
VelkorEngine::GUIButton* Button(const GUITools::GUIWindowBase& window, const std::string& suffix)
{
    return window.GetButton(window.GetName() + suffix);
}

VelkorEngine::GUIScroll* Scroll(const GUITools::GUIWindowBase& window, const std::string& suffix)
{
    return window.GetScroll(window.GetName() + suffix);
}

VelkorEngine::GUICheckBox* CheckBox(const GUITools::GUIWindowBase& window, const std::string& suffix)
{
    return window.GetCheckBox(window.GetName() + suffix);
}

VelkorEngine::GUIEditBox* EditBox(const GUITools::GUIWindowBase& window, const std::string& suffix)
{
    return window.GetEditBox(window.GetName() + suffix);
}

GUITools::GUITextControl* Text(const GUITools::GUIWindowBase& window, const std::string& suffix)
{
    return window.GetTextControl(window.GetName() + suffix);
}

bool IsClicked(const VelkorEngine::GUIButton* button)
{
    return button != nullptr && button->IsClicked();
}

bool IsEnterTyped(const VelkorEngine::Controls* controls)
{
    VelkorEngine::u16 code = 0;
    bool isCharacter = false;
    // The window reports either Enter key under one code.
    return controls != nullptr && controls->GetTypedKey(code, isCharacter) && !isCharacter && code == VK_RETURN &&
           !controls->IsTypedKeyRepeat();
}

void KeepTypedKeysForTheWindowOpened(VelkorEngine::Controls& controls, bool byEnter)
{
    if (byEnter)
        controls.KeepTypedKeysAfterThisKey();
    else
        controls.KeepTypedKeysAfterClick();
}

void SetEnabled(VelkorEngine::GUIButton* button, bool enabled)
{
    if (button != nullptr)
        button->SetEnabled(enabled);
}

VelkorEngine::u32 StateOf(const VelkorEngine::GUIButton* button)
{
    return button != nullptr ? button->GetState() : VelkorEngine::GUIButton::Normal;
}

void SetFont(GUITools::GUITextControl* text, const std::string& font)
{
    // Windows set their fonts every frame; the font is looked up only when it changes.
    if (text != nullptr && text->GetFontName() != font)
        text->SetFont(font);
}

void SetTextKey(GUITools::GUITextControl* text, const std::string& key)
{
    if (text != nullptr)
        text->SetTextKey(key);
}

void SetText(GUITools::GUITextControl* text, const std::wstring& value)
{
    if (text != nullptr)
        text->SetText(value);
}

void SetParameter(GUITools::GUITextControl* text, const std::wstring& name, const std::wstring& value)
{
    if (text != nullptr)
        text->SetParameter(name, value);
}
}
