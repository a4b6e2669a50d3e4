// The pack appended to an executable after linking is found by that program's file manager.
#include "tests/support/FilesTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
std::string RunProbe(const std::string& installation, const std::string& name,
                     const std::string& program = FILES_APPENDED_PACK_PROBE)
{
    const std::string command = program + " '" + installation + "' '" + name + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    if (pipe)
        ::pclose(pipe);
    return output;
}
}

TEST(AppendedPack, EntriesAreReadFromTheExecutable)
{
    TestSupport::TempFolder installation;
    EXPECT_EQ(RunProbe(installation.Path(), "Data\\Greeting.txt"), "1 hello from the appended pack");
}

TEST(AppendedPack, LooseFileStillWins)
{
    TestSupport::TempFolder installation;
    installation.WriteFile("data/greeting.txt", "loose");
    EXPECT_EQ(RunProbe(installation.Path(), "data\\greeting.txt"), "1 loose");
}

// A trailer that promises a pack the executable cannot hold (longer than the file, shorter than a pack header,
// or the whole file) names no pack: the program starts without it and still reads its loose files.
TEST(AppendedPack, TrailerThatCannotBeAPackIsIgnored)
{
    const std::string huge = TestSupport::U32Bytes(0xFFFFFFF0u) + "APC";
    const std::string tiny = TestSupport::U32Bytes(5) + "APC";
    const std::uintmax_t probeSize = std::filesystem::file_size(FILES_APPENDED_PACK_PROBE);
    const std::string whole = TestSupport::U32Bytes(static_cast<std::uint32_t>(probeSize)) + "APC";
    for (const std::string& trailer : {huge, tiny, whole})
    {
        TestSupport::TempFolder installation;
        installation.WriteFile("data/greeting.txt", "loose");
        const std::string program = installation / "probe";
        std::filesystem::copy_file(FILES_APPENDED_PACK_PROBE, program);
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        std::ofstream(program, std::ios::binary | std::ios::app) << trailer;
        EXPECT_EQ(RunProbe(installation.Path(), "data\\greeting.txt", program), "0 loose");
        EXPECT_EQ(RunProbe(installation.Path(), "data\\absent.txt", program).rfind("0 Failed to open", 0), 0u);
    }
}
