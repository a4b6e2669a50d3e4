// Plays the GUI's sounds by number: each number may have several variants, and the one started longest
// ago plays, at most once per hundredth of a second per number, so a burst of events makes one sound.
#pragma once

#include "engine/core/Types.h"

#include <map>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Sound;
class SoundManager;
class TimerManager;

class GUISoundManager
{
public:
    // The numbers the engine's widgets play.
    enum SoundId : u32
    {
        ButtonHover = 0,
        ButtonPress = 1,
        CheckBoxHover = 2,
        CheckBoxPress = 3,
        SliderHover = 4,
        SliderPress = 5,
        ScrollThumbHover = 6,
        ScrollThumbPress = 7,
        ScrollStepHover = 8,
        ScrollStepPress = 9,
        EditBoxEdit = 10
    };

    // A null sound manager makes a silent GUI.
    GUISoundManager(TimerManager* timers, SoundManager* sounds);
    virtual ~GUISoundManager();

    GUISoundManager(const GUISoundManager&) = delete;
    GUISoundManager& operator=(const GUISoundManager&) = delete;

    void AddSound(u32 id, const std::string& fileName);
    virtual void Play(u32 id);

    f32 GetVolume() const { return m_volume; }

private:
    struct Variant
    {
        Sound* sound = nullptr;
        f32 lastStart = 0.0f;
    };

    f32 Now() const;

    TimerManager* m_timers;
    SoundManager* m_sounds;
    std::map<u32, std::vector<Variant>> m_variants;
    f32 m_volume = 1.0f;
};
}
