// A level in play with the bat's weapons: the play test bed with the stand-in weapon models, a sound player
// that notes which effects were started in each frame, the two guns with their bolts, the hammer and the
// barrier, all stepped frame by frame in the game's order with the models' animations advancing.
#pragma once

#include "tests/support/PlayTestBed.h"

#include <array>
#include <map>
#include <memory>
#include <vector>

namespace GameFramework
{
struct SoundEffectInstance;
}

namespace Korvane
{
class BulletManager;
class Gun;
class Hammer;
}

namespace TestSupport
{
class WeaponTestBed
{
public:
    explicit WeaponTestBed(unsigned seed = 1234);
    ~WeaponTestBed();

    WeaponTestBed(const WeaponTestBed&) = delete;
    WeaponTestBed& operator=(const WeaponTestBed&) = delete;

    // The level and every play object; then the frames until the bat has risen into place.
    void Build(std::vector<KorvaneTools::LevelObject> objects);
    // One frame each: models animated, then bat, guns, hammer, bolts, balls, blocks and effects.
    // bulletActivity: how fast the bolts move (0 holds them where they are).
    void Frames(int count, float activity = 1.0f, float bulletActivity = 1.0f);
    // Frames until the condition holds, at most the limit; whether it came to hold.
    template <typename Condition>
    bool FramesUntil(Condition condition, int limit = 1000)
    {
        for (int i = 0; i < limit; ++i)
        {
            if (condition())
                return true;
            Frames(1);
        }
        return condition();
    }

    // How many times the game sound has been started since the bed was built.
    int SoundCount(VelkorEngine::u32 id) const;
    // Whether it was started in the last frame (or since the frame before, by a call between frames).
    bool SoundInLastFrame(VelkorEngine::u32 id) const;
    int DestroyedCount() const;

    PlayTestBed play;
    std::unique_ptr<GameFramework::GameSoundPlayer> sounds;
    std::unique_ptr<Korvane::Barrier> barrier;
    std::unique_ptr<Korvane::BulletManager> bullets;
    std::array<std::unique_ptr<Korvane::Gun>, 2> guns;
    std::unique_ptr<Korvane::Hammer> hammer;

private:
    void NoteSounds();

    std::map<VelkorEngine::u32, int> m_soundCounts;
    std::map<VelkorEngine::u32, bool> m_lastFrameSounds;
    std::map<const GameFramework::SoundEffectInstance*, float> m_startTimes;
    int m_initialBlocks = 0;
};
}
