// The test game: the framework's bases behind every factory, destruction notes, and the environment.
#include "tests/framework/TestGame.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/files/Registry.h"
#include "framework/DataKeeper.h"
#include "framework/GUIContinueGameLogicWindowBase.h"
#include "framework/GUIDeleteProfileWindowBase.h"
#include "framework/GUIExitWindowBase.h"
#include "framework/GUIGameCompleteWindowBase.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicGameExitWindowBase.h"
#include "framework/GUIGameLogicMenuExitWindowBase.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicPauseWindowBase.h"
#include "framework/GUIGameLogicRestartWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUIGameOverWindowBase.h"
#include "framework/GUIHelpWindowBase.h"
#include "framework/GUIHighScoresWindowBase.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUINewProfileWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GUIProfileNameConflictWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GUIRenameProfileWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/GameSoundPlayer.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileManagerBase.h"
#include "tests/framework/TestGameTypes.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/SoundTestFiles.h"
#include "tests/support/SoundTestSignals.h"

#include <cstdlib>
#include <filesystem>

using namespace GameFramework;

namespace FrameworkTest
{
namespace
{
constexpr const char* Variables[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "HOME"};

// Each object the game makes notes its end, so a test can count how often each went away.
template <typename Base>
class Noted : public Base
{
public:
    template <typename... Arguments>
    explicit Noted(const std::string& name, Arguments&&... arguments)
        : Base(std::forward<Arguments>(arguments)...), m_name(name)
    {
    }
    ~Noted() override
    {
        DestroyedObjects().push_back(m_name);
        TestSupport::EngineCallJournal::Note("destroyed " + m_name);
    }

private:
    std::string m_name;
};

// A level list that reads no file: the start-up tests need no levels.
class EmptyLevelManager : public LevelManagerBase
{
public:
    using LevelManagerBase::LevelManagerBase;

protected:
    std::unique_ptr<StageRecord> CreateStage() override { return std::make_unique<StageRecord>(); }
    std::unique_ptr<LevelRecord> CreateLevel() override { return std::make_unique<LevelRecord>(); }
};

template <typename Base, typename... Arguments>
std::unique_ptr<Base> Make(const std::string& name, Arguments&&... arguments)
{
    return std::make_unique<Noted<Base>>(name, std::forward<Arguments>(arguments)...);
}

std::string Wav(double hertz)
{
    return TestSupport::MakeSoundWav(TestSupport::SoundWavFormat{},
                                     TestSupport::MakeSoundTone(66150, 2, hertz, 22050, 8000.0));
}
}

std::vector<std::string>& DestroyedObjects()
{
    static std::vector<std::string> objects;
    return objects;
}

GameEnvironment::GameEnvironment()
{
    for (const char* name : Variables)
    {
        const char* value = std::getenv(name);
        m_savedVariables[name] = value ? value : std::string("\n");
    }
    setenv("XDG_DATA_HOME", AppDataFolder().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (bed.folder / "config").c_str(), 1);
    setenv("HOME", HomeFolder().c_str(), 1);
    std::filesystem::create_directories(HomeFolder());
    WriteRegistry("", "");
    DestroyedObjects().clear();
}

GameEnvironment::~GameEnvironment()
{
    Platform::SetRegistryFiles("", "");
    for (const auto& [name, value] : m_savedVariables)
    {
        if (value == "\n")
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }
}

std::string GameEnvironment::RegistryLine(const std::string& valueName, const std::string& text)
{
    return std::string(RegistryKey) + "|" + valueName + "=" + text + "\n";
}

void GameEnvironment::WriteRegistry(const std::string& machineLines, const std::string& userLines,
                                    bool withInstallPath)
{
    bed.folder.WriteFile("machine.ini", machineLines);
    const std::string installPath = withInstallPath ? RegistryLine("InstallPath", bed.folder.Path()) : "";
    bed.folder.WriteFile("user.ini", userLines + installPath);
    Platform::SetRegistryFiles(bed.folder / "machine.ini", bed.folder / "user.ini");
}

void GameEnvironment::WriteData(const std::string& name, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(bed.folder / name).parent_path());
    bed.folder.WriteFile(name, bytes);
}

void GameEnvironment::WriteStartupData()
{
    const std::vector<VelkorEngine::u8> picture = ImageTest::MakeTga(ImageTest::MakePattern(4, 4, 3));
    WriteData("data/ui/t.tga", std::string(picture.begin(), picture.end()));
    WriteData("data/ui/resources_basic.xml", "<resources><shader name=\"basic\" diffuse_file_name=\"t.tga\"/>"
                                             "</resources>");
    WriteData("data/ui/resources_additional.xml", "<resources><shader name=\"additional\" "
                                                  "diffuse_file_name=\"t.tga\"/></resources>");
    WriteData("data/ui/fonts/fonts_basic.xml", "<fonts/>");
    WriteData("data/ui/texts/default_texts.xml", "<texts/>");
    WriteData("data/ui/texts/texts.xml", "<texts><game_title><en text=\"The Test Game\"/></game_title></texts>");
    WriteData("data/music_a.wav", Wav(220.0));
    WriteData("data/music_b.wav", Wav(330.0));
}

TestGame::TestGame(GameEnvironment& environment, const TestGameScript& script)
    : GameBase(GameEnvironment::Maker, GameEnvironment::Title, 100), m_environment(environment), m_script(script)
{
    Init();
}

std::vector<std::string> TestGame::Records(VelkorEngine::u32 kind) const
{
    std::vector<std::string> texts;
    VelkorEngine::MessageManager& log = *m_engine->GetMessageManager();
    for (VelkorEngine::u32 i = 0; i < log.GetRecordCount(); ++i)
        if (log.GetRecord(i).kind == kind)
            texts.push_back(log.GetRecord(i).text);
    return texts;
}

void TestGame::Frame()
{
    ++frames;
    if (m_script.frame)
        m_script.frame();
    else
        GameBase::Frame();
}

// The framework's values, with the engine twins' window: windowed, so the tests see no mode switch at start.
void TestGame::SetupEngineParameters(VelkorEngine::EngineParameters& parameters)
{
    GameBase::SetupEngineParameters(parameters);
    parameters.defaultFullScreen = 0;
    if (m_script.ignoreFocusLoss)
        parameters.minimizeOnFocusLoss = 0;
}

void TestGame::RegisterSounds()
{
    if (!m_script.withMusic)
        return;
    m_soundPlayer->AddMusic(0, "music_a.wav", 1);
    m_soundPlayer->AddMusic(1, "music_b.wav", 1);
}

void TestGame::ResetRenderSystem()
{
    ++resets;
    GameBase::ResetRenderSystem();
}

void TestGame::StartPlay()
{
    CreateWindows();
    m_gameLogic = CreateGameLogic(&m_stage, &m_level, 3);
    m_gameLogic->SetState(GameLogicBase::StatePlaying);
    static_cast<GUIGameLogicWindowBase*>(m_windows[16].get())->Show(17, m_gameLogic.get());
}

void TestGame::FailIfScripted(const std::string& factory) const
{
    if (m_script.failingFactory == factory)
        throw VelkorEngine::FatalError("No " + factory + " today");
}

std::unique_ptr<LevelManagerBase> TestGame::CreateLevelManager()
{
    FailIfScripted("level manager");
    return Make<EmptyLevelManager>("level manager", m_engine.get());
}

std::unique_ptr<ProfileManagerBase> TestGame::CreateProfileManager()
{
    FailIfScripted("profile manager");
    return Make<TestProfileManager>("profile manager", m_engine.get(), m_soundPlayer.get(), m_userDataFolder);
}

std::unique_ptr<GameTools::DataKeeper> TestGame::CreateGameData()
{
    FailIfScripted("game data");
    return Make<GameTools::DataKeeper>("game data", m_engine.get(), "en");
}

std::unique_ptr<GUIGameCursorBase> TestGame::CreateGameCursor()
{
    FailIfScripted("game cursor");
    return Make<GUIGameCursorBase>("game cursor", m_engine.get());
}

std::unique_ptr<GUILogosWindowBase> TestGame::CreateLogosWindow()
{
    FailIfScripted("logos window");
    return Make<GUILogosWindowBase>("logos window");
}

std::unique_ptr<GUILoadingWindowBase> TestGame::CreateGameLoadingWindow()
{
    FailIfScripted("loading window");
    return Make<GUILoadingWindowBase>("loading window", m_engine.get());
}

std::unique_ptr<GUILoadingWindowBase> TestGame::CreateGameLogicLoadingWindow()
{
    return Make<GUILoadingWindowBase>("level loading window", m_engine.get());
}

std::unique_ptr<GUIWelcomeWindowBase> TestGame::CreateWelcomeWindow()
{
    return Make<GUIWelcomeWindowBase>("welcome window", m_profileManager.get());
}

std::unique_ptr<GUIExitWindowBase> TestGame::CreateExitWindow() { return Make<GUIExitWindowBase>("exit window"); }

std::unique_ptr<GUIMainMenuWindowBase> TestGame::CreateMainMenuWindow()
{
    return Make<GUIMainMenuWindowBase>("main menu window");
}

std::unique_ptr<GUIProfilesWindowBase> TestGame::CreateProfilesWindow()
{
    return Make<GUIProfilesWindowBase>("profiles window", m_profileManager.get());
}

std::unique_ptr<GUINewProfileWindowBase> TestGame::CreateNewProfileWindow()
{
    return Make<GUINewProfileWindowBase>("new profile window", m_profileManager.get());
}

std::unique_ptr<GUIRenameProfileWindowBase> TestGame::CreateRenameProfileWindow()
{
    return Make<GUIRenameProfileWindowBase>("rename profile window", m_profileManager.get());
}

std::unique_ptr<GUIDeleteProfileWindowBase> TestGame::CreateDeleteProfileWindow()
{
    return Make<GUIDeleteProfileWindowBase>("delete profile window", m_profileManager.get());
}

std::unique_ptr<GUIProfileNameConflictWindowBase> TestGame::CreateProfileNameConflictWindow()
{
    return Make<GUIProfileNameConflictWindowBase>("name conflict window");
}

std::unique_ptr<GUIStartGameLogicWindowBase> TestGame::CreateStartGameLogicWindow()
{
    return Make<GUIStartGameLogicWindowBase>("start game window");
}

std::unique_ptr<GUIContinueGameLogicWindowBase> TestGame::CreateContinueGameLogicWindow()
{
    return Make<GUIContinueGameLogicWindowBase>("continue game window");
}

std::unique_ptr<GUIHighScoresWindowBase> TestGame::CreateHighScoresWindow()
{
    return Make<GUIHighScoresWindowBase>("high scores window", m_highScores.get());
}

std::unique_ptr<GUIOptionsWindowBase> TestGame::CreateOptionsWindow()
{
    return Make<GUIOptionsWindowBase>("options window", m_engine.get(), m_soundPlayer.get(), m_profileManager.get());
}

std::unique_ptr<GUIHelpWindowBase> TestGame::CreateHelpWindow() { return Make<GUIHelpWindowBase>("help window"); }

std::unique_ptr<GUIGameLogicWindowBase> TestGame::CreateGameLogicWindow()
{
    return Make<GUIGameLogicWindowBase>("play window", m_engine.get(), m_profileManager.get());
}

std::unique_ptr<GUIGameLogicPauseWindowBase> TestGame::CreateGameLogicPauseWindow()
{
    return Make<GUIGameLogicPauseWindowBase>("pause window");
}

std::unique_ptr<GUIGameLogicMenuWindowBase> TestGame::CreateGameLogicMenuWindow()
{
    return Make<GUIGameLogicMenuWindowBase>("play menu window", m_engine.get(), m_soundPlayer.get(),
                                            m_profileManager.get());
}

std::unique_ptr<GUIGameLogicMenuExitWindowBase> TestGame::CreateGameLogicMenuExitWindow()
{
    return Make<GUIGameLogicMenuExitWindowBase>("exit to menu window");
}

std::unique_ptr<GUIGameLogicRestartWindowBase> TestGame::CreateGameLogicRestartWindow()
{
    return Make<GUIGameLogicRestartWindowBase>("restart window");
}

std::unique_ptr<GUIGameLogicGameExitWindowBase> TestGame::CreateGameLogicGameExitWindow()
{
    return Make<GUIGameLogicGameExitWindowBase>("exit program window");
}

std::unique_ptr<GUILevelCompleteWindowBase> TestGame::CreateLevelCompleteWindow()
{
    return Make<GUILevelCompleteWindowBase>("level complete window", m_profileManager.get());
}

std::unique_ptr<GUIStageCompleteWindowBase> TestGame::CreateStageCompleteWindow()
{
    return Make<GUIStageCompleteWindowBase>("stage complete window", m_levelManager.get());
}

std::unique_ptr<GUIGameCompleteWindowBase> TestGame::CreateGameCompleteWindow()
{
    return Make<GUIGameCompleteWindowBase>("game complete window");
}

std::unique_ptr<GUIGameOverWindowBase> TestGame::CreateGameOverWindow()
{
    return Make<GUIGameOverWindowBase>("game over window");
}

std::unique_ptr<GameTools::DataKeeper> TestGame::CreateGameLogicData(StageRecord*, LevelRecord*)
{
    return Make<GameTools::DataKeeper>("level data", m_engine.get(), "en");
}

std::unique_ptr<GameLogicBase> TestGame::CreateGameLogic(StageRecord* stage, LevelRecord* level,
                                                        VelkorEngine::u32 lives)
{
    return Make<GameLogicBase>("game logic", m_engine.get(), m_soundPlayer.get(), stage, level, lives);
}
}
