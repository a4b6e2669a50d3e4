// The korvane-datagen program as the build runs it: its exit status and message on bad input, and the
// preview picture it draws.
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

namespace
{
struct Outcome
{
    int status = -1;
    std::string output;
};

Outcome RunGenerator(const std::string& arguments)
{
    const std::string command = std::string(KORVANE_DATAGEN) + " " + arguments + " 2>&1";
    Outcome outcome;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return outcome;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr)
        outcome.output += buffer.data();
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}
}

TEST(pipeline, ProgramStopsOnAMissingFaceWithAClearMessageAndWritesNoPack)
{
    TestSupport::TempFolder folder;
    const Outcome outcome = RunGenerator("--src " + std::string(KORVANE_DATA_SOURCE) + " --out " + (folder / "stage") +
                                         " --pack " + (folder / "pack0.pak") + " --fonts " + (folder / "nowhere"));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.output.find("korvane-datagen: error: font file \"" + (folder / "nowhere")), std::string::npos)
        << outcome.output;
    EXPECT_FALSE(std::filesystem::exists(folder / "pack0.pak"));
    EXPECT_FALSE(std::filesystem::exists(folder / "stage"));
}

TEST(pipeline, ProgramRefusesOptionsItDoesNotKnow)
{
    EXPECT_EQ(RunGenerator("--nonsense x").status, 2);
    EXPECT_EQ(RunGenerator("").status, 2);
}

TEST(pipeline, ProgramDrawsThePreviewPicture)
{
    TestSupport::TempFolder folder;
    const Outcome outcome = RunGenerator("--preview-text 'Hail, Иван!' --font main_menu_1 --out " + (folder / "p.bmp"));
    EXPECT_EQ(outcome.status, 0) << outcome.output;
    EXPECT_EQ(folder.ReadFile("p.bmp").substr(0, 2), "BM");
    EXPECT_EQ(RunGenerator("--preview-text x --font nosuch --out " + (folder / "q.bmp")).status, 1);
    EXPECT_EQ(RunGenerator("--preview-text x --lang xx --out " + (folder / "q.bmp")).status, 1);
}
