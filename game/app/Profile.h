// One player's saved state as the game keeps it: the framework's profile plus the game's two flags, of which
// the first says the game-complete screen is still to be shown to this player.
#pragma once

#include "framework/ProfileBase.h"

namespace Korvane
{
class Profile : public GameFramework::ProfileBase
{
public:
    static constexpr const char* Magic = "KRPRF";
    static constexpr VelkorEngine::u32 Version = 102;

    Profile(VelkorEngine::Engine* engine, const std::string& userDataFolder);

    // Both flags start set for a new player.
    void Create(const std::wstring& name) override;

    bool IsGameCompleteShowPending() const { return m_flags[0] != 0; }
    void SetGameCompleteShowPending(bool pending) { m_flags[0] = pending ? 1 : 0; }

protected:
    void Write(VelkorEngine::FileBinary& file) override;
    void Read(VelkorEngine::FileBinary& file) override;

private:
    // The second flag is kept in the file for its layout; nothing reads it.
    VelkorEngine::u8 m_flags[2] = {0, 0};
};
}
