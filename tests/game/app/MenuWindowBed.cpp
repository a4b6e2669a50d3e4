#include "tests/game/app/MenuWindowBed.h"

#include "engine/gui/GUIWindow.h"
#include "framework/GameWindowIds.h"
#include "game/app/SoundTable.h"
#include "platform/dinput7/DirectInput.h"
#include "platform/win32/WindowApi.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestSignals.h"
#include "tests/support/TypedKeys.h"

#include <filesystem>
#include <regex>

using namespace VelkorEngine;

namespace AppTest
{
namespace
{
using TestSupport::ReadWhole;

constexpr f32 DefaultMusicVolume = 0.285f;
constexpr f32 DefaultSoundVolume = 0.315f;
constexpr u32 HighScoreLimit = 10;
constexpr DWORD KeyDown = 0x80;
constexpr DWORD KeyUp = 0x00;
// Long enough for every entrance of the data set's faders.
constexpr int SettleFrames = 90;
constexpr double FrameSeconds = 1.0 / 60.0;

std::filesystem::path DataSource()
{
    return std::filesystem::path(KORVANE_DATA_SOURCE);
}
}

MenuWindowBed::MenuWindowBed()
{
    for (const auto& entry : std::filesystem::directory_iterator(DataSource() / "ui" / "windows"))
    {
        if (entry.path().extension() == ".xml")
            descriptions.WriteDescription(entry.path().filename().string(), ReadWhole(entry.path()));
    }
    // Every font the data set names, each the bed's own grid font, so that edit boxes take keys.
    std::string fonts = "<fonts>";
    for (const char* list : {"fonts_basic.xml", "fonts_additional.xml"})
    {
        const std::string text = ReadWhole(DataSource() / "ui" / "fonts" / list);
        const std::regex font("<font name=\"([^\"]+)\"");
        for (auto found = std::sregex_iterator(text.begin(), text.end(), font); found != std::sregex_iterator();
             ++found)
            fonts += "<font name=\"" + (*found)[1].str() +
                     "\" size=\"10\"><description_file_path path=\"data\\ui\\fonts\\text.vef\"/>"
                     "<diffuse_image_path path=\"ui\\fonts\\text.tga\"/>"
                     "<opacity_image_path path=\"ui\\fonts\\text.tga\"/></font>";
    }
    descriptions.gui.engine.folder.WriteFile("data/ui/fonts/fonts_basic.xml", fonts + "</fonts>");
    // The data set's texts, so that a text shows what a player reads.
    for (const char* texts : {"texts.xml", "default_texts.xml"})
        descriptions.gui.engine.folder.WriteFile(std::string("data/ui/texts/") + texts,
                                                 ReadWhole(DataSource() / "ui" / "texts" / texts));
    const TestSupport::SoundWavFormat format;
    descriptions.gui.engine.folder.WriteFile(
        "Data/effect.wav", TestSupport::MakeSoundWav(format, TestSupport::MakeSoundTone(441, 2, 440.0, 22050, 8000.0)));
    sound = std::make_unique<GameFramework::GameSoundPlayer>(GetEngine(), DefaultMusicVolume, DefaultSoundVolume);
    sound->AddSound(Korvane::SoundTable::VolumeSlider, "effect.wav", 1, 1);
    data = std::make_unique<Korvane::GameData>(GetEngine(), descriptions.language);
    menus = std::make_unique<Korvane::GUIMenuWindowManager>(data.get());
    descriptions.Tools();
}

MenuWindowBed::~MenuWindowBed() = default;

Korvane::ProfileManager& MenuWindowBed::Profiles()
{
    if (m_profiles == nullptr)
        m_profiles = std::make_unique<Korvane::ProfileManager>(GetEngine(), sound.get(), UserFolder());
    return *m_profiles;
}

GameFramework::HighScoresTable& MenuWindowBed::HighScores()
{
    if (m_highScores == nullptr)
        m_highScores = std::make_unique<GameFramework::HighScoresTable>(GetEngine(), HighScoreLimit, UserFolder());
    return *m_highScores;
}

void MenuWindowBed::RunFrame(GameFramework::GUIFrameworkWindow& window)
{
    // The windows run between the engine's render step, which reads the input, and its frame step, which
    // ends the frame's key presses.
    descriptions.gui.engine.clock.AdvanceSeconds(FrameSeconds);
    GetEngine()->Render();
    sound->Update();
    menus->PreUpdate();
    window.Update();
    menus->Update();
    GetEngine()->Frame(0);
}

void MenuWindowBed::RunFrames(GameFramework::GUIFrameworkWindow& window, int frames)
{
    for (int i = 0; i < frames; ++i)
        RunFrame(window);
}

void MenuWindowBed::Settle(GameFramework::GUIFrameworkWindow& window)
{
    RunFrames(window, SettleFrames);
}

void MenuWindowBed::MoveOver(const GUIWindow* widget)
{
    const Vector2 position = widget->GetAbsolutePosition();
    const Vector2 size = widget->GetSize();
    descriptions.gui.MoveMouseTo(Vector2{position.x + size.x / 2.0f, position.y + size.y / 2.0f});
}

u32 MenuWindowBed::Click(GameFramework::GUIFrameworkWindow& window, const GUIWindow* widget)
{
    Hold(window, widget, 1);
    return window.GetResultCode();
}

void MenuWindowBed::Hold(GameFramework::GUIFrameworkWindow& window, const GUIWindow* widget, int frames)
{
    MoveOver(widget);
    RunFrame(window);
    descriptions.gui.PressMouse();
    RunFrames(window, frames);
    descriptions.gui.ReleaseMouse();
    RunFrame(window);
}

void MenuWindowBed::Type(GameFramework::GUIFrameworkWindow& window, const std::wstring& text)
{
    for (const TestSupport::TypedKey& key : TestSupport::Characters(text))
    {
        TestSupport::SendTypedKey(*GetEngine(), key);
        RunFrame(window);
    }
}

void MenuWindowBed::SendEnterDown()
{
    descriptions.gui.engine.input.keyboard.AddRecord(DIK_RETURN, KeyDown);
    TestSupport::SendTypedKey(*GetEngine(), TestSupport::EditingKey(VK_RETURN));
}

u32 MenuWindowBed::PressEnter(GameFramework::GUIFrameworkWindow& window)
{
    SendEnterDown();
    RunFrame(window);
    const u32 result = window.GetResultCode();
    descriptions.gui.engine.input.keyboard.AddRecord(DIK_RETURN, KeyUp);
    RunFrame(window);
    return result;
}

u32 MenuWindowBed::TypeWithEnterInOneFrame(GameFramework::GUIFrameworkWindow& window, const std::wstring& text)
{
    for (const TestSupport::TypedKey& key : TestSupport::Characters(text))
        TestSupport::SendTypedKey(*GetEngine(), key);
    SendEnterDown();
    descriptions.gui.engine.input.keyboard.AddRecord(DIK_RETURN, KeyUp);
    for (size_t frame = 0; frame <= text.size() && window.GetResultCode() == GameFramework::ResultCode::None; ++frame)
        RunFrame(window);
    return window.GetResultCode();
}
}
