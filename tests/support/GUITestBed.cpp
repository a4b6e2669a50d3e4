// The GUI test bed: the engine on its twins, the mouse through the scripted devices.
#include "tests/support/GUITestBed.h"

#include "engine/core/Window.h"
#include "platform/dinput7/DirectInput.h"
#include "platform/win32/WindowApi.h"

#include <cmath>

namespace TestSupport
{
namespace
{
constexpr DWORD kButtonDown = 0x80;
constexpr DWORD kButtonUp = 0x00;
constexpr double kFrameSeconds = 1.0 / 60.0;
}

GUITestBed::GUITestBed() { engine.Start().GetGUIManager()->SetSize(800.0f, 600.0f); }

VelkorEngine::GUIServices GUITestBed::Services()
{
    VelkorEngine::GUIServices services = Manager().GetServices();
    services.guiSounds = &sounds;
    return services;
}

// The virtual screen's y runs upwards from the bottom row: GUI y = 599 - pixel row on an 800 x 600 window.
void GUITestBed::MoveMouseTo(const VelkorEngine::Vector2& point)
{
    MoveMouseToPixel(static_cast<int>(std::lround(point.x)), 599 - static_cast<int>(std::lround(point.y)));
}

void GUITestBed::MoveMouseToPixel(int x, int y)
{
    POINT screen{x, y};
    ClientToScreen(engine.GetEngine().GetWindow()->GetHandle(), &screen);
    engine.windows.cursor = screen;
}

void GUITestBed::PressMouse() { engine.input.mouse.AddRecord(DIMOFS_BUTTON0, kButtonDown); }

void GUITestBed::ReleaseMouse() { engine.input.mouse.AddRecord(DIMOFS_BUTTON0, kButtonUp); }

void GUITestBed::RunFrame()
{
    engine.clock.AdvanceSeconds(kFrameSeconds);
    engine.RunFrame();
}
}
