// The pack appended to an executable after linking is found by that program's file manager.
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{
std::string RunProbe(const std::string& installation, const std::string& name)
{
    const std::string command = std::string(FILES_APPENDED_PACK_PROBE) + " '" + installation + "' '" + name + "'";
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
