// The play windows' test bed.
#include "tests/game/app/PlayWindowBed.h"

#include "engine/core/Engine.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/ProfileBase.h"
#include "game/app/GUIMenuWindowManager.h"
#include "game/app/GameData.h"
#include "tests/support/FilesTestSupport.h"

#include <filesystem>

namespace AppTest
{
using GameFramework::ProfileBase;
using TestSupport::ReadWhole;

namespace
{
std::filesystem::path DescriptionFolder()
{
    return std::filesystem::path(KORVANE_DATA_SOURCE) / "ui" / "windows";
}
}

PlayWindowBed::PlayWindowBed()
{
    for (const auto& entry : std::filesystem::directory_iterator(DescriptionFolder()))
        if (entry.path().extension() == ".xml")
            windows.WriteDescription(entry.path().filename().string(), ReadWhole(entry.path()));
    for (const char* texts : {"texts.xml", "default_texts.xml"})
        windows.gui.engine.folder.WriteFile(
            std::string("data/ui/texts/") + texts,
            ReadWhole(std::filesystem::path(KORVANE_DATA_SOURCE) / "ui" / "texts" / texts));
    windows.Tools();
    VelkorEngine::Engine* engine = &Engine();
    sounds = std::make_unique<TestSupport::RecordingSoundPlayer>(engine);
    data = std::make_unique<Korvane::GameData>(engine, "en");
    menus = std::make_unique<Korvane::GUIMenuWindowManager>(data.get());
    profiles = std::make_unique<FrameworkTest::TestProfileManager>(engine, sounds.get(),
                                                                   windows.gui.engine.folder / "user");
    profiles->LoadProfiles();
    profiles->SetCurrentProfile(profiles->FindOrCreateProfile(L"Ada"), 1);
    // Past the sound player's guard against starts at time 0.
    RunFrames(3);
}

PlayWindowBed::~PlayWindowBed() = default;

std::string PlayWindowBed::ShippedDescription(const std::string& fileName)
{
    return ReadWhole(DescriptionFolder() / fileName);
}

void PlayWindowBed::WriteLevels(const std::vector<int>& levelCounts, int aceTime)
{
    std::string xml = "<levels>";
    for (int count : levelCounts)
    {
        xml += "<stage environment=\"courtyard\">";
        for (int i = 0; i < count; ++i)
            xml += "<level ace_time=\"" + std::to_string(aceTime) + "\"/>";
        xml += "</stage>";
    }
    windows.gui.engine.folder.WriteFile("data/levels/levels.xml", xml + "</levels>");
}

void PlayWindowBed::RunFrames(int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        windows.gui.engine.clock.AdvanceSeconds(1.0 / 60.0);
        Engine().Render();
        menus->PreUpdate();
        for (GameFramework::GUIFrameworkWindow* window : m_windows)
            window->Update();
        menus->Update();
        Engine().Frame(0);
    }
}

void PlayWindowBed::Click(const VelkorEngine::Vector2& point)
{
    windows.gui.MoveMouseTo(point);
    windows.gui.PressMouse();
    RunFrames(1);
    windows.gui.ReleaseMouse();
    RunFrames(1);
}

ProfileBase& PlayWindowBed::Player() const
{
    return *profiles->GetCurrentProfile();
}
}
