// The play windows' own control helpers.
#include "game/app/PlayWindowControls.h"

#include "engine/gui/GUIButton.h"
#include "guitools/GUITextControl.h"
#include "guitools/GUIWindowBase.h"

namespace Korvane::PlayWindowControls
{
bool IsMouseOver(const VelkorEngine::GUIButton* button)
{
    return button != nullptr && button->IsMouseOver();
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
