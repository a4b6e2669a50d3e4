// The game's sound ids and the files behind them: the GUI widget sounds, the
// music tracks and the sound effects. Everything in the game plays sounds by
// these ids.
#pragma once

#include "engine/core/Types.h"

#include <array>

namespace Korvane
{
class SoundTable
{
public:
    using u8 = VelkorEngine::u8;
    using u32 = VelkorEngine::u32;

    struct GUISound
    {
        u32 id;
        const char* name;
    };
    struct Music
    {
        u32 id;
        const char* group;
        const char* name;
        u8 looping;
    };
    struct Effect
    {
        u32 id;
        const char* group;
        const char* name;
        u8 looping;
        u32 instances;
    };

    // The GUI widget sounds are all of this group.
    static constexpr const char* GUISoundGroup = "menu";

    static constexpr u32 MenuMusic = 0;
    static constexpr u32 FirstGameMusic = 1;
    static constexpr u32 GameMusicCount = 1;

    static constexpr u32 VolumeSlider = 0;
    static constexpr u32 Upgrade = 1;
    static constexpr u32 WindowAppear = 2;
    static constexpr u32 WindowDisappear = 3;
    static constexpr u32 ChargeScore = 4;
    static constexpr u32 LevelBegin = 5;
    static constexpr u32 LevelComplete = 6;
    static constexpr u32 LevelFailed = 7;
    static constexpr u32 HitHardBrick = 8;
    static constexpr u32 HitUnbreakableBrick = 9;
    static constexpr u32 CrashSimpleBrick0 = 10;
    static constexpr u32 CrashSimpleBrick1 = 11;
    static constexpr u32 CrashSimpleBrick2 = 12;
    static constexpr u32 CrashHardBrick = 13;
    static constexpr u32 CrashUnbreakableBrick = 14;
    static constexpr u32 CrashExplosiveBrick = 15;
    static constexpr u32 CrashBallKeeper = 16;
    static constexpr u32 BallHitBat = 17;
    static constexpr u32 BallHitFieldSimple = 18;
    static constexpr u32 BallHitFieldSuper = 19;
    static constexpr u32 BallHitBarrier = 20;
    static constexpr u32 BallLost = 21;
    static constexpr u32 BonusCreation = 22;
    static constexpr u32 BonusGet = 23;
    static constexpr u32 ArbalestShot = 24;
    static constexpr u32 BallistaShot = 25;
    static constexpr u32 ArbalestHitField = 26;
    static constexpr u32 BallistaHitField = 27;
    static constexpr u32 BatCreation = 28;
    static constexpr u32 BatDestruction = 29;
    static constexpr u32 Hammer = 30;

    // In registration order; an id with two entries has two variants.
    static constexpr std::array<GUISound, 12> GUISounds = {{
        {0, "button_select_0"},
        {0, "button_select_1"},
        {1, "button_click"},
        {2, "button_select_0"},
        {3, "button_click"},
        {4, "button_select_0"},
        {5, "button_click"},
        {6, "button_select_0"},
        {7, "button_click"},
        {8, "button_select_0"},
        {9, "button_click"},
        {10, "edit_box_print"},
    }};

    static constexpr std::array<Music, 2> MusicTracks = {{
        {MenuMusic, "music", "menu", 1},
        {FirstGameMusic, "music", "game0", 1},
    }};

    // In registration order: the window sounds first.
    static constexpr std::array<Effect, 31> Effects = {{
        {WindowAppear, "menu", "window_appear", 0, 1},
        {WindowDisappear, "menu", "window_disappear", 0, 1},
        {VolumeSlider, "menu", "volume_slider", 1, 1},
        {Upgrade, "menu", "upgrade", 0, 1},
        {ChargeScore, "menu", "charge_score", 1, 1},
        {LevelBegin, "game", "level_begin", 0, 1},
        {LevelComplete, "game", "level_complete", 0, 1},
        {LevelFailed, "game", "level_failed", 0, 1},
        {HitHardBrick, "game", "hit_hard_brick", 0, 2},
        {HitUnbreakableBrick, "game", "hit_unbreakable_brick", 0, 2},
        {CrashSimpleBrick0, "game", "crash_simple_brick_0", 0, 2},
        {CrashSimpleBrick1, "game", "crash_simple_brick_1", 0, 2},
        {CrashSimpleBrick2, "game", "crash_simple_brick_2", 0, 2},
        {CrashHardBrick, "game", "crash_hard_brick", 0, 2},
        {CrashUnbreakableBrick, "game", "crash_unbreakable_brick", 0, 2},
        {CrashExplosiveBrick, "game", "crash_explosive_brick", 0, 2},
        {CrashBallKeeper, "game", "crash_ballkeeper", 0, 1},
        {BallHitBat, "game", "ball_hit_bat", 0, 2},
        {BallHitFieldSimple, "game", "ball_hit_field_simple", 0, 1},
        {BallHitFieldSuper, "game", "ball_hit_field_super", 0, 1},
        {BallHitBarrier, "game", "ball_hit_barrier", 0, 1},
        {BallLost, "game", "ball_losed", 0, 1},
        {BonusCreation, "game", "bonus_creation", 0, 2},
        {BonusGet, "game", "bonus_get", 0, 1},
        {ArbalestShot, "game", "arbalest_shot", 0, 2},
        {BallistaShot, "game", "ballista_shot", 0, 2},
        {ArbalestHitField, "game", "arbalest_hit_field", 0, 1},
        {BallistaHitField, "game", "ballista_hit_field", 0, 1},
        {BatCreation, "game", "bat_creation", 0, 1},
        {BatDestruction, "game", "bat_destruction", 0, 1},
        {Hammer, "game", "hammer", 0, 2},
    }};
};
} // namespace Korvane
