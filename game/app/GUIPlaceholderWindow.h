// A stand-in for a game window whose own class is not written yet: the window's description on screen as a
// menu window, and any of its buttons hands back one fixed result, so the flow through it stays real.
#pragma once

#include "engine/gui/GUIButton.h"
#include "game/app/GUIMenuWindow.h"
#include "guitools/GUIButtonControl.h"

#include <memory>
#include <string>
#include <utility>

namespace Korvane
{
// What every menu window is built with besides its description.
struct GUIMenuWindowParts
{
    VelkorEngine::Engine* engine = nullptr;
    GameFramework::GameSoundPlayer* soundPlayer = nullptr;
    GameData* data = nullptr;
    GUITools::GUIToolManager* toolManager = nullptr;
    GUIMenuWindowManager* manager = nullptr;
    VelkorEngine::GUIWindow* parentWidget = nullptr;
};

template <typename FrameworkBase> class GUIPlaceholderWindow : public FrameworkBase, public GUIMenuWindow
{
public:
    template <typename... BaseArguments>
    GUIPlaceholderWindow(const GUIMenuWindowParts& parts, const std::string& description,
                         VelkorEngine::u32 buttonResult, BaseArguments&&... baseArguments)
        : FrameworkBase(std::forward<BaseArguments>(baseArguments)...),
          GUIMenuWindow(parts.engine, parts.soundPlayer, parts.data, parts.toolManager, parts.manager, description,
                        parts.parentWidget),
          m_buttonResult(buttonResult)
    {
    }

    void Update() override
    {
        FrameworkBase::Update();
        if (IsAnyButtonClicked())
            this->SetResultCode(m_buttonResult);
    }

    using FrameworkBase::Show;
    void Show(VelkorEngine::u32 stateId) override
    {
        FrameworkBase::Show(stateId);
        GUIMenuWindow::Show(true);
    }

    void Hide() override
    {
        FrameworkBase::Hide();
        GUIMenuWindow::Show(false);
    }

private:
    bool IsAnyButtonClicked() const
    {
        for (const std::unique_ptr<GUITools::GUIControl>& control : GetControls())
        {
            const auto* button = dynamic_cast<const GUITools::GUIButtonControl*>(control.get());
            if (button != nullptr && button->GetButton() != nullptr && button->GetButton()->IsClicked())
                return true;
        }
        return false;
    }

    VelkorEngine::u32 m_buttonResult;
};
}
