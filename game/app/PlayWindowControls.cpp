// Null-safe access to the play windows' controls.
#include "game/app/PlayWindowControls.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIWindowBase.h"
#include "guitools/GUIWindowControl.h"

namespace Korvane::PlayWindowControls
{
VelkorEngine::GUIButton* Button(const GUITools::GUIWindowBase& window, const std::string& suffix)
{
    return window.GetButton(window.GetName() + suffix);
}

VelkorEngine::GUICheckBox* CheckBox(const GUITools::GUIWindowBase& window, const std::string& suffix)
{
    return window.GetCheckBox(window.GetName() + suffix);
}

GUITools::GUITextControl* Text(const GUITools::GUIWindowBase& window, const std::string& suffix)
{
    return window.GetTextControl(window.GetName() + suffix);
}

GUITools::GUIWindowControl* Panel(const GUITools::GUIWindowBase& window, const std::string& suffix)
{
    return window.GetWindowControl(window.GetName() + suffix);
}

bool IsClicked(const VelkorEngine::GUIButton* button)
{
    return button != nullptr && button->IsClicked();
}

bool IsMouseOver(const VelkorEngine::GUIButton* button)
{
    return button != nullptr && button->IsMouseOver();
}

void SetEnabled(VelkorEngine::GUIButton* button, bool enabled)
{
    if (button != nullptr)
        button->SetEnabled(enabled);
}

void SetText(GUITools::GUITextControl* text, const std::wstring& value)
{
    if (text != nullptr)
        text->SetText(value);
}

void SetTextKey(GUITools::GUITextControl* text, const std::string& key)
{
    if (text != nullptr)
        text->SetTextKey(key);
}

void EnableIfPresent(GUITools::GUIWindowBase& window, const std::string& suffix, bool enable)
{
    const std::string name = window.GetName() + suffix;
    for (const auto& control : window.GetControls())
        if (control->GetName() == name)
        {
            window.EnableControl(name, enable);
            return;
        }
}

VelkorEngine::f32 FadeValue(const GUITools::GUITextControl* text)
{
    return text != nullptr ? text->GetFadeValue() : 0.0f;
}

std::wstring LevelName(VelkorEngine::u32 stage, VelkorEngine::u32 level)
{
    return std::to_wstring(static_cast<VelkorEngine::u64>(stage) + 1) + L"-" +
           std::to_wstring(static_cast<VelkorEngine::u64>(level) + 1);
}
}
