// A whole engine on the recording twins of every platform layer: no display, no GL, no audio device and a
// clock that moves only when told (or when the engine sleeps). The log is written to a temporary folder, so
// a test reads the HTML file as well as the records; every twin notes its calls in one journal.
#pragma once

#include "engine/core/Engine.h"
#include "tests/support/D3D7FakeDriver.h"
#include "tests/support/EngineCallJournal.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDirectInput.h"
#include "tests/support/FakeWindowBackend.h"
#include "tests/support/SoundTestDevice.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace TestSupport
{
class EngineTestBed
{
public:
    EngineTestBed();
    ~EngineTestBed();

    EngineTestBed(const EngineTestBed&) = delete;
    EngineTestBed& operator=(const EngineTestBed&) = delete;

    // What Start hands the engine: log "engine.html" and settings "engine.ini" in the temporary folder,
    // an 800x600 window, data from "Data" under the folder. Tests change it before Start.
    VelkorEngine::EngineParameters parameters;

    VelkorEngine::Engine& Start();
    VelkorEngine::Engine& GetEngine() { return *m_engine; }
    void Stop() { m_engine.reset(); }

    // The HTML log with its markup taken out: "<BR>" becomes a line feed, tags are dropped.
    std::string LogText() const;
    // The texts of this frame's log records of one kind.
    std::vector<std::string> Records(VelkorEngine::u32 kind) const;

    // One frame as the framework runs it: Render, then Frame.
    void RunFrame(VelkorEngine::u32 sleepMs = 0);

    // Declared first so that every twin below can still note its calls while it is torn down.
    EngineCallJournal journal;
    TempFolder folder;
    FakeClock clock;
    FakeWindowBackend windows;
    KorvaneTest::D3D7FakeDriver display;
    FakeDirectInput input;
    SoundFakeDevice sound;

private:
    std::unique_ptr<VelkorEngine::Engine> m_engine;
};
}
