// The play of one level: it makes and owns everything on the playfield, turns the player's click into a launch,
// a shot or a hammer strike, runs every play object at the activity factor (which slows play down to a stop
// while the game is paused and brings it back when play resumes), hands caught bonuses out, takes lives and
// tells the framework when the level is complete or the game is over.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "framework/GameLogicBase.h"
#include "game/play/ActivityFactor.h"

#include <array>
#include <memory>
#include <string>

namespace VelkorEngine
{
class Engine;
}

namespace GameFramework
{
class GameSoundPlayer;
}

namespace GameTools
{
class DataKeeper;
class GameCamera;
}

namespace GUITools
{
class GUITextTool;
}

namespace Korvane
{
class BallManager;
class Barrier;
class Bat;
class BonusManager;
class BulletManager;
class Effects;
class Environment;
class FloatingTexts;
class GameField;
class GameGeometry;
class GameLogicData;
class Gun;
class Hammer;
class Lighting;
struct LevelInfo;
struct StageInfo;
using VelkorEngine::f32;
using VelkorEngine::u32;

// The services a level is played with; none is owned.
struct GameLogicServices
{
    VelkorEngine::Engine* engine = nullptr;
    GameFramework::GameSoundPlayer* sounds = nullptr;
    // The start-up keeper: balls, bat, bonuses, weapons and the shared effects.
    GameTools::DataKeeper* resources = nullptr;
    // The level keeper: the level's blocks and its stage's surroundings.
    GameLogicData* level = nullptr;
    // The caught-bonus texts; none without one.
    const GUITools::GUITextTool* texts = nullptr;
    // The GUI position the bat and the hammer follow; null is the GUI manager's cursor.
    const VelkorEngine::Vector2* cursor = nullptr;
};

class GameLogic : public GameFramework::GameLogicBase
{
public:
    // Score events and their points.
    static constexpr u32 ScoreEventCount = 9;
    static constexpr u32 ScoreBonusCaught = 0;
    static constexpr u32 SoundLevelBegin = 5;
    static constexpr u32 SoundLevelComplete = 6;
    static constexpr u32 SoundLevelFailed = 7;
    static constexpr u32 SoundBonusCaught = 23;
    // The field has to stay empty this long before the level is complete.
    static constexpr f32 CompletionDelay = 0.3f;
    // With fewer blocks left than this, hammer bonuses start falling now and then.
    static constexpr u32 FewBlocksLeft = 8;
    static constexpr u32 ArbalestShots = 24;
    static constexpr u32 BallistaShots = 12;
    static constexpr u32 HammerStrikes = 6;

    // The kinds of bonus ApplyBonus knows; any other number does nothing.
    enum BonusType : u32
    {
        BonusLife,
        BonusBatIncrease,
        BonusBatDecrease,
        BonusBallsSpeedUp,
        BonusBallsSlowDown,
        BonusBallsSplit,
        BonusSuperBall,
        BonusBarrier,
        BonusArbalest,
        BonusBallista,
        BonusHammer,
        BonusTypeCount
    };

    // floatingTexts: the caught-bonus texts, owned from now on; none are shown without them. A missing field,
    // lighting or surroundings file throws the error of the object that reads it.
    GameLogic(const GameLogicServices& services, StageInfo* stage, LevelInfo* level, u32 lives,
              std::unique_ptr<FloatingTexts> floatingTexts = nullptr);
    ~GameLogic() override;

    // One frame of play.
    void Update() override;
    void ApplyBonus(u32 type);
    // Some ball is free of the bat.
    bool IsBallInPlay() const;
    // The player clicked: acted on in the next update.
    void Click() { m_clickPending = true; }
    bool IsClickPending() const { return m_clickPending; }
    // The key of a caught bonus's text, "game_logic/bonuses/" and the type's name; empty past the table.
    static std::string BonusTextKey(u32 type);

    f32 GetActivity() const { return m_activity.GetValue(); }
    f32 GetCompletionTime() const { return m_completionTime; }
    GameTools::GameCamera& GetCamera() const { return *m_camera; }
    Effects& GetEffects() const { return *m_effects; }
    GameField& GetField() const { return *m_field; }
    Barrier& GetBarrier() const { return *m_barrier; }
    BonusManager& GetBonusManager() const { return *m_bonuses; }
    GameGeometry& GetGeometry() const { return *m_geometry; }
    Bat& GetBat() const { return *m_bat; }
    BulletManager& GetBulletManager() const { return *m_bullets; }
    // 0 the arbalest, 1 the ballista.
    Gun& GetGun(u32 index) const { return *m_guns[index]; }
    Hammer& GetHammer() const { return *m_hammer; }
    BallManager& GetBallManager() const { return *m_balls; }
    FloatingTexts* GetFloatingTexts() const { return m_texts.get(); }

private:
    void RegisterScoreEvents();
    void CreateCamera();
    void SetObjectsStopped(bool stopped);
    void HandleClick();
    bool MayFire(const Gun& gun) const;
    void PutGunsAway();
    void UpdateWeapons(f32 activity);
    void UpdateLives();
    void LoseBat();
    void UpdateCompletion(f32 dt);
    void CatchBonuses();
    void ShowBonusText(u32 type, const VelkorEngine::Vector3& point);
    void UpdateTexts();
    bool HasLevelEnded() const;
    void UpdateLevelTimer();
    void PlaySound(u32 id) const;

    GameLogicServices m_services;
    std::unique_ptr<FloatingTexts> m_texts;
    std::unique_ptr<GameTools::GameCamera> m_camera;
    std::unique_ptr<Effects> m_effects;
    std::unique_ptr<GameField> m_field;
    std::unique_ptr<Environment> m_environment;
    std::unique_ptr<Lighting> m_lighting;
    std::unique_ptr<Barrier> m_barrier;
    std::unique_ptr<BonusManager> m_bonuses;
    std::unique_ptr<GameGeometry> m_geometry;
    std::unique_ptr<Bat> m_bat;
    std::unique_ptr<BulletManager> m_bullets;
    std::array<std::unique_ptr<Gun>, 2> m_guns;
    std::unique_ptr<Hammer> m_hammer;
    std::unique_ptr<BallManager> m_balls;
    bool m_clickPending = false;
    ActivityFactor m_activity;
    f32 m_completionTime = 0.0f;
};
}
