// The loading window: the keeper's queued lists load on a worker thread while the main thread handles the
// messages, presents and keeps the sounds going; an error of the load reaches the main thread (and from
// there the loader's "Fatal Error" box) instead of ending the process; show and hide reset the window.
#include "framework/GUILoadingWindowBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/Window.h"
#include "framework/DataKeeper.h"
#include "framework/GameLoaderBase.h"
#include "tests/framework/TestGame.h"
#include "tests/support/EngineTestBed.h"
#include "tests/support/ImageTestFiles.h"
#include "tools/formats/ModelFileWriter.h"
#include "tools/formats/ShaderFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

using namespace GameFramework;
using namespace KorvaneTools;
using TestSupport::EngineTestBed;

namespace
{
// Notes the thread the queued lists were loaded on.
class ThreadNotingKeeper : public GameTools::DataKeeper
{
public:
    using DataKeeper::DataKeeper;

    void LoadQueuedFiles() override
    {
        loadThread = std::this_thread::get_id();
        DataKeeper::LoadQueuedFiles();
    }

    std::thread::id loadThread;
};

class LoadingWindowTest
{
public:
    LoadingWindowTest()
    {
        bed.Start();
        window = std::make_unique<GUILoadingWindowBase>(&bed.GetEngine());
        keeper = std::make_unique<ThreadNotingKeeper>(&bed.GetEngine(), "en");
    }

    // Twenty models and twenty shaders, as a level's list brings them.
    void WriteList()
    {
        std::filesystem::create_directories(bed.folder / "data/game/models");
        bed.folder.WriteFile("data/game/models/quad.mlf", WriteModelFile(MakeStaticQuad()));
        bed.folder.WriteFile("data/game/models/quad.srf", BuildShaderFile(ShaderFile{}));
        const std::vector<VelkorEngine::u8> picture = ImageTest::MakeTga(ImageTest::MakePattern(4, 4, 3));
        bed.folder.WriteFile("data/game/t.tga", std::string(picture.begin(), picture.end()));
        bed.folder.WriteFile("data/game/list.xml", "<resources><loop count=\"20\">"
                                                   "<model name=\"m%i%\" file_name=\"models\\quad.mlf\"/>"
                                                   "<shader name=\"s%i%\" diffuse_file_name=\"t.tga\"/>"
                                                   "</loop></resources>");
    }

    void PostKeys(int count)
    {
        const HWND handle = bed.GetEngine().GetWindow()->GetHandle();
        for (int i = 0; i < count; ++i)
            PostMessage(handle, WM_CHAR, 'a' + i, 0);
    }

    bool MessagesWaiting()
    {
        MSG message;
        return PeekMessage(&message, nullptr, 0, 0, 0) != 0;
    }

    EngineTestBed bed;
    std::unique_ptr<GUILoadingWindowBase> window;
    std::unique_ptr<ThreadNotingKeeper> keeper;
};
}

TEST(GUILoadingWindowThreads, TheQueuedListsLoadOnAWorkerWhileMessagesAreHandled)
{
    LoadingWindowTest test;
    test.WriteList();
    test.keeper->AddResourcesFile("data\\game\\list.xml", 0);
    test.window->Show(16, test.keeper.get());
    test.PostKeys(3);

    test.window->RunLoading();

    EXPECT_TRUE(test.window->IsDone());
    EXPECT_EQ(test.keeper->GetModelCount(), 20u);
    EXPECT_EQ(test.keeper->GetShaderUserCount(), 20u);
    EXPECT_NE(test.keeper->loadThread, std::this_thread::get_id());
    EXPECT_FALSE(test.MessagesWaiting());
    EXPECT_EQ(test.bed.GetEngine().GetWindow()->GetTypedKey(), 'a');
    EXPECT_TRUE(test.bed.Records(VelkorEngine::MessageManager::KindError).empty());
}

TEST(GUILoadingWindowThreads, ABrokenListEndsInItsFatalErrorOnTheMainThread)
{
    LoadingWindowTest test;
    test.keeper->AddResourcesFile("data\\game\\missing.xml", 0);
    test.window->Show(16, test.keeper.get());
    try
    {
        test.window->RunLoading();
        ADD_FAILURE() << "the load did not fail";
    }
    catch (const VelkorEngine::FatalError& error)
    {
        EXPECT_NE(error.GetMessage().find("missing.xml"), std::string::npos) << error.GetMessage();
    }
    EXPECT_FALSE(test.window->IsDone());
    // The window can load again once the list is there.
    test.WriteList();
    GameTools::DataKeeper second(&test.bed.GetEngine(), "en");
    second.AddResourcesFile("data\\game\\list.xml", 0);
    test.window->Hide();
    test.window->Show(16, &second);
    test.window->RunLoading();
    EXPECT_EQ(second.GetModelCount(), 20u);
}

TEST(GUILoadingWindowThreads, ABrokenStartupListEndsInTheLoadersFatalBox)
{
    FrameworkTest::GameEnvironment environment;
    environment.WriteStartupData();
    std::filesystem::remove(environment.bed.folder / "data/ui/resources_additional.xml");
    class Loader : public GameLoaderBase
    {
    public:
        explicit Loader(FrameworkTest::GameEnvironment& environment)
            : GameLoaderBase(nullptr, nullptr, "", 0), m_environment(environment)
        {
        }
        // The start-up loading runs in the first frame, as the game's loading window does.
        void CreateGame() override
        {
            FrameworkTest::TestGameScript script;
            script.frame = [this] {
                auto* loading = static_cast<GUILoadingWindowBase*>(m_game->GetWindow(1));
                loading->Show(2, m_game->GetGameData());
                loading->RunLoading();
            };
            m_game = std::make_unique<FrameworkTest::TestGame>(m_environment, script);
        }

    private:
        FrameworkTest::GameEnvironment& m_environment;
    } loader(environment);

    loader.Run();

    EXPECT_EQ(loader.GetExitCode(), GameLoaderBase::ExitFailed);
    ASSERT_EQ(environment.bed.windows.messageBoxes.size(), 1u);
    EXPECT_EQ(environment.bed.windows.messageBoxes[0].caption, "Fatal Error");
    EXPECT_NE(environment.bed.windows.messageBoxes[0].text.find("resources_additional.xml"), std::string::npos)
        << environment.bed.windows.messageBoxes[0].text;
}

TEST(GUILoadingWindowThreads, AnEmptyKeeperReturnsAtOnceAfterTheWaitingMessages)
{
    LoadingWindowTest test;
    test.window->Show(16, test.keeper.get());
    test.PostKeys(2);
    test.window->RunLoading();
    EXPECT_TRUE(test.window->IsDone());
    EXPECT_FALSE(test.MessagesWaiting());
}

TEST(GUILoadingWindowBase, ShowKeepsTheKeeperAndHideForgetsItWithTheDoneFlag)
{
    LoadingWindowTest test;
    EXPECT_EQ(test.window->GetKeeper(), nullptr);
    EXPECT_FALSE(test.window->IsDone());
    test.window->Show(15, test.keeper.get());
    EXPECT_EQ(test.window->GetStateId(), 15u);
    EXPECT_EQ(test.window->GetKeeper(), test.keeper.get());
    test.window->RunLoading();
    EXPECT_TRUE(test.window->IsDone());
    test.window->Hide();
    EXPECT_EQ(test.window->GetKeeper(), nullptr);
    EXPECT_FALSE(test.window->IsDone());
    test.window->Show(3, test.keeper.get());
    EXPECT_FALSE(test.window->IsDone());
    EXPECT_EQ(test.window->GetStateId(), 3u);
}
