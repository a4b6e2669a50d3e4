// The GUI on a whole engine of recording twins: the engine's own GUI manager with an 800 x 600 virtual
// screen in an 800 x 600 window, the mouse moved and pressed through the scripted devices, frames run on
// the fake clock, and a sound manager that notes which GUI sounds the widgets asked for.
#pragma once

#include "engine/gui/GUIManager.h"
#include "tests/support/EngineTestBed.h"

#include <vector>

namespace TestSupport
{
class RecordingGUISoundManager : public VelkorEngine::GUISoundManager
{
public:
    RecordingGUISoundManager() : GUISoundManager(nullptr, nullptr) {}
    void Play(VelkorEngine::u32 id) override { played.push_back(id); }

    std::vector<VelkorEngine::u32> played;
};

class GUITestBed
{
public:
    GUITestBed();

    GUITestBed(const GUITestBed&) = delete;
    GUITestBed& operator=(const GUITestBed&) = delete;

    VelkorEngine::GUIManager& Manager() { return *engine.GetEngine().GetGUIManager(); }
    // The manager's services with the recording sound manager, for widgets a test makes itself.
    VelkorEngine::GUIServices Services();

    // Puts the mouse over a point of the virtual screen (whole GUI units) or at a client pixel.
    void MoveMouseTo(const VelkorEngine::Vector2& point);
    void MoveMouseToPixel(int x, int y);
    void PressMouse();
    void ReleaseMouse();
    // One frame of 1/60 s: the engine's render step (with the GUI's mouse pass), then its frame step (with
    // the GUI's render pass).
    void RunFrame();

    EngineTestBed engine;
    RecordingGUISoundManager sounds;
};
}
