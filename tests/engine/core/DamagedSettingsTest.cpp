// The settings file damaged every way a disk or a hand edit can damage it: cut at every length and given
// seeded random bytes (byte-order marks and line ends among them). Each load runs in a bounded child process,
// so a crash, a hang or a huge allocation fails the case; whatever was read, the file saved next loads back to
// the same values.
#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileManager.h"
#include "tests/support/BoundedRun.h"
#include "tests/support/FileDamage.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace VelkorEngine;
using namespace TestSupport;

namespace
{
const std::vector<std::string> kNames = {"v_gamma", "v_mode", "v_fullscreen", "c_invert_mouse", "g_name"};

class DamagedSettingsTest : public testing::Test
{
protected:
    std::unique_ptr<Config> Make()
    {
        return std::make_unique<Config>(log.get(), files.get(), "", "Korvane", 0, "1024x768x32", 0, 1);
    }

    // Every value of interest, one per line, as the settings hold them after a load.
    std::string LoadedValues()
    {
        auto config = Make();
        config->Load();
        std::string name;
        config->AddVariable("g_name", Config::KindString, 0, 1, &name, "Ann", 0);
        std::string values;
        for (const std::string& variable : kNames)
        {
            std::string text;
            config->GetValueAsString(text, variable);
            values += variable + "=" + text + "\n";
        }
        config->Save();
        config->RemoveVariable("g_name");
        return values;
    }

    std::string GoodFile()
    {
        auto config = Make();
        std::string name;
        config->AddVariable("g_name", Config::KindString, 0, 1, &name, "Ann", 0);
        config->Execute("v_gamma 1.5");
        config->Execute("v_mode 800x600x16");
        config->Execute("g_name Zo\xC3\xAB Smith");
        config->Save();
        config->RemoveVariable("g_name");
        return folder.ReadFile("Korvane.ini");
    }

    void ExpectEach(const std::vector<DamagedFile>& damagedFiles)
    {
        const BoundedOutcome outcome = CheckEachBounded(damagedFiles, [this](const DamagedFile& damaged) {
            folder.WriteFile("Korvane.ini", damaged.bytes);
            const std::string first = LoadedValues();
            const std::string again = LoadedValues();
            return first == again ? std::string() : "changed on reload:\n" + first + "---\n" + again;
        });
        ASSERT_TRUE(outcome.HasFinished()) << outcome.Describe();
        EXPECT_EQ(outcome.text, "");
    }

    TempFolder folder;
    std::unique_ptr<MessageManager> log = MakeQuietLog();
    std::unique_ptr<FileManager> files = std::make_unique<FileManager>(log.get(), folder.Path(), "");
};
}

TEST_F(DamagedSettingsTest, EveryCutLoadsAndSavesAFileThatLoadsTheSame)
{
    ExpectEach(CutsAtEveryLength(GoodFile(), StoredLength::AsItWas));
}

TEST_F(DamagedSettingsTest, RandomBytesLoadAndSaveAFileThatLoadsTheSame)
{
    const std::string good = GoodFile();
    ExpectEach(RandomBytes(good, 0, 28, 60, StoredLength::AsItWas));
    ExpectEach({{"UTF-16 mark, odd length", "\xFF\xFE" "v\0_\0m\0o\0d\0e\0 \0" "9"},
                {"UTF-8 mark only", "\xEF\xBB\xBF"},
                {"huge video mode", "v_mode 4294967295x4294967295x4294967295\r\nv_gamma 1e39\r\n"},
                {"no line ends", std::string(5000, 'v')},
                {"zero bytes", std::string(300, '\0')}});
}
