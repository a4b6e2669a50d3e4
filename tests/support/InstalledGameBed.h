// The game's own process surroundings for a test that starts the real game object on the engine's twins:
// the generated data set as the installation (named by the registry's "InstallPath"), the user data and
// settings folders in a temporary folder, and the real mixer for the game's many sounds. The environment
// and the registry files are restored when the bed goes. Drawn for real, the game's window and pictures are
// SDL's and OpenGL's (the offscreen driver), while the clock, input and sound stay the twins'.
#pragma once

#include "tests/support/EngineTestBed.h"
#include "tests/support/ScriptedMouse.h"
#include "tests/support/SoundTestDevice.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace TestSupport
{
enum class Drawing
{
    Twins,
    OffscreenGL
};

class InstalledGameBed
{
public:
    // installFolder: the folder that holds data/pack0.pak; registryKey: the game's key ("SOFTWARE\maker\title").
    InstalledGameBed(const std::string& installFolder, const std::string& registryKey,
                     Drawing drawing = Drawing::Twins);
    ~InstalledGameBed();

    InstalledGameBed(const InstalledGameBed&) = delete;
    InstalledGameBed& operator=(const InstalledGameBed&) = delete;

    // The game's folder under the user data folder ("<folder>/data/<maker>/<title>").
    std::string UserFolder(const std::string& maker, const std::string& title) const;
    // The game's whole HTML log so far, and the error and fatal lines in it (a piece of text around each).
    std::string LogText(const std::string& maker, const std::string& title) const;
    std::vector<std::string> LogProblems(const std::string& maker, const std::string& title) const;
    // Moves the fake clock on by one frame of 1/60 s.
    void NextFrameTime();
    // Nothing pulls sound from the mixer unless a test does, as an audio device would.
    SoundMixerDevice& GetMixer() { return m_mixer; }

    bool DrawsForReal() const { return m_offscreen != nullptr; }
    // Whichever window side is in use: the cursor's screen position, the window with the keyboard focus, and
    // the texts of the message boxes asked for.
    void SetCursor(POINT screenPosition);
    void SetFocus(HWND window);
    std::vector<std::string> MessageBoxes() const;

    // The game makes its own engine on the twins; drawn for real, the window and display twins stand aside.
    EngineTestBed twins;

private:
    SoundMixerDevice m_mixer;
    std::unique_ptr<ScriptedMouse> m_offscreen;
    std::map<std::string, std::string> m_savedVariables;
};
}
