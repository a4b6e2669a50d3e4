#include "game/app/GUIGameLoadingWindow.h"

#include "framework/GameWindowIds.h"
#include "guitools/GUITextControl.h"

namespace Korvane
{
GUIGameLoadingWindow::GUIGameLoadingWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                                           GameData* data, GUITools::GUIToolManager* toolManager,
                                           GUIMenuWindowManager* manager, VelkorEngine::GUIWindow* parentWidget)
    : GUIGameLoadingWindow(engine, soundPlayer, data, toolManager, manager, parentWidget, Description)
{
}

GUIGameLoadingWindow::GUIGameLoadingWindow(VelkorEngine::Engine* engine, GameFramework::GameSoundPlayer* soundPlayer,
                                           GameData* data, GUITools::GUIToolManager* toolManager,
                                           GUIMenuWindowManager* manager, VelkorEngine::GUIWindow* parentWidget,
                                           const std::string& description)
    : GUILoadingWindowBase(engine),
      GUIMenuWindow(engine, soundPlayer, data, toolManager, manager, description, parentWidget)
{
}

void GUIGameLoadingWindow::Show(VelkorEngine::u32 stateId, GameTools::DataKeeper* keeper)
{
    GUILoadingWindowBase::Show(stateId, keeper);
    GUIMenuWindow::Show(true);
    m_ready = false;
}

void GUIGameLoadingWindow::Hide()
{
    GUILoadingWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIGameLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    if (!GUIMenuWindow::IsShown())
        return;
    if (m_ready && GetKeeper() != nullptr)
    {
        RunLoading();
        SetResultCode(GameFramework::ResultCode::Done);
    }
    m_ready = IsTitleComplete();
}

bool GUIGameLoadingWindow::IsTitleComplete() const
{
    return m_title == nullptr || (m_title->IsShown() && m_title->IsPrintingDone());
}
}
