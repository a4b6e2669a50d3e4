#include "tests/game/app/WholeGameBed.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIWindow.h"
#include "framework/GUIFrameworkWindow.h"
#include "game/play/GameLogic.h"

#include <cwctype>

namespace GameAppTest
{
namespace
{
constexpr DWORD kDown = 0x80;
constexpr DWORD kUp = 0x00;
constexpr float kGuiWidth = 800.0f;
constexpr float kGuiHeight = 600.0f;
}

WholeGameBed::WholeGameBed()
{
    environment.bed.folder.WriteFile("user.ini", std::string("SOFTWARE\\Tarnwick Games\\Korvane|InstallPath=") +
                                                     KORVANE_DATA_ROOT + "\n");
    game = std::make_unique<Korvane::Game>();
}

void WholeGameBed::Frames(int count)
{
    for (int i = 0; i < count; ++i)
    {
        environment.bed.clock.AdvanceSeconds(frameTime);
        game->Frame();
    }
}

bool WholeGameBed::RunUntil(const std::function<bool()>& condition, int limit)
{
    for (int i = 0; i < limit; ++i)
    {
        if (condition())
            return true;
        Frames(1);
    }
    return condition();
}

bool WholeGameBed::IsShownWith(VelkorEngine::u32 window, VelkorEngine::u32 stateId) const
{
    const GameFramework::GUIFrameworkWindow* shown = game->GetWindow(window);
    return shown != nullptr && shown->GetStateId() == stateId;
}

void WholeGameBed::MoveMouseTo(const VelkorEngine::Vector2& point)
{
    const VelkorEngine::Window& window = *game->GetEngine()->GetWindow();
    POINT pixel{static_cast<LONG>(point.x * static_cast<float>(window.GetWidth()) / kGuiWidth),
                static_cast<LONG>((kGuiHeight - point.y) * static_cast<float>(window.GetHeight()) / kGuiHeight)};
    ClientToScreen(window.GetHandle(), &pixel);
    environment.bed.windows.cursor = pixel;
}

void WholeGameBed::Click(const VelkorEngine::Vector2& point)
{
    MoveMouseTo(point);
    Frames(2);
    SetLeftButton(true);
    Frames(1);
    SetLeftButton(false);
    Frames(1);
}

void WholeGameBed::MoveMouseOver(const VelkorEngine::GUIWindow& widget)
{
    const VelkorEngine::Vector2 corner = widget.GetAbsolutePosition();
    const VelkorEngine::Vector2 size = widget.GetSize();
    MoveMouseTo(VelkorEngine::Vector2(corner.x + size.x / 2.0f, corner.y + size.y / 2.0f));
}

void WholeGameBed::SetLeftButton(bool down)
{
    environment.bed.input.mouse.AddRecord(DIMOFS_BUTTON0, down ? kDown : kUp);
    SendMessage(game->GetEngine()->GetWindow()->GetHandle(), down ? WM_LBUTTONDOWN : WM_LBUTTONUP, 0, 0);
}

void WholeGameBed::TypeText(const std::wstring& text)
{
    // Each letter's key press, then the character it types, as the platform reports a letter.
    for (const wchar_t letter : text)
    {
        TypeKey(static_cast<VelkorEngine::u16>(std::towupper(letter)));
        SendMessage(game->GetEngine()->GetWindow()->GetHandle(), WM_CHAR, static_cast<WPARAM>(letter), 0);
    }
}

void WholeGameBed::TypeKey(VelkorEngine::u16 virtualKey, bool repeat)
{
    const LPARAM flags = repeat ? LPARAM{1} << 30 : 0;
    SendMessage(game->GetEngine()->GetWindow()->GetHandle(), WM_KEYDOWN, virtualKey, flags);
}

void WholeGameBed::PressKey(DWORD key)
{
    environment.bed.input.keyboard.AddRecord(key, kDown);
    Frames(1);
    environment.bed.input.keyboard.AddRecord(key, kUp);
    Frames(1);
}

Korvane::GameLogic* WholeGameBed::Logic() const { return dynamic_cast<Korvane::GameLogic*>(game->GetGameLogic()); }
}

namespace GameAppTest
{
void WholeGameBed::ForgetCalls()
{
    environment.bed.journal.Clear();
    environment.bed.display.ClearCalls();
    environment.bed.sound.ClearCalls();
}
}
