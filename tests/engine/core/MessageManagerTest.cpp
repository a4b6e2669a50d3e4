// The HTML log byte for byte, its texts, paths and records, and entries from two threads at once.
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <thread>

using namespace VelkorEngine;

namespace
{
std::string FixedDate() { return "Sat Dec  6 20:33:00 2025"; }

const std::string kHeader =
    "<HTML><HEAD><TITLE>Game Log</TITLE></HEAD><BODY bgcolor=\"#000000\"><FONT color=\"#FFFFFF\">"
    "<FONT color=\"#FFFFFF\">======== </FONT><FONT color=\"#00FF00\">Game Log: Sat Dec  6 20:33:00 2025</FONT>"
    "<FONT color=\"#FFFFFF\"> ========<BR><BR></FONT>";
const std::string kClosing =
    "<FONT color=\"#FFFFFF\"><BR>======== </FONT><FONT color=\"#00FF00\">Game Log end: Sat Dec  6 20:33:00 2025</FONT>"
    "<FONT color=\"#FFFFFF\"> ========<BR></FONT></FONT></BODY></HTML>";

std::string WriteLog(const TestSupport::TempFolder& folder, u8 reopen, void (*entries)(MessageManager&))
{
    {
        MessageManager log("Game", 1, reopen, folder.Path(), "log", &FixedDate);
        entries(log);
    }
    return folder.ReadFile("log.html");
}

void FourKinds(MessageManager& log)
{
    log.Message("one\ntwo");
    log.Warning("careful");
    log.Error("broken");
    EXPECT_THROW(log.Fatal("dead"), FatalError);
}
}

TEST(MessageManager, WritesTheHtmlPageByteForByte)
{
    TestSupport::TempFolder folder;
    const std::string expected = kHeader + "one<BR>two<BR>" +
                                 "<FONT color=\"#7F7F7F\"><BR>Warning: careful!<BR><BR></FONT>" +
                                 "<FONT color=\"#FF0000\"><BR>Error: broken!<BR><BR></FONT>" +
                                 "<FONT color=\"#FF0000\">PROGRAM ABORTING: dead<BR></FONT>" + kClosing;
    EXPECT_EQ(WriteLog(folder, 0, FourKinds), expected);
}

TEST(MessageManager, ReopeningPerEntryGivesTheSameBytes)
{
    TestSupport::TempFolder once;
    TestSupport::TempFolder reopened;
    EXPECT_EQ(WriteLog(once, 0, FourKinds), WriteLog(reopened, 1, FourKinds));
}

TEST(MessageManager, TextsWithAndWithoutSpacing)
{
    MessageManager log("Game", 0, 0, "", "");
    log.Message("m");
    log.Warning("w");
    log.Error("e");
    log.SetSpacing(0);
    log.Message("m");
    log.Warning("w");
    log.Error("e");
    const std::vector<LogRecord> records = log.TakeRecords();
    ASSERT_EQ(records.size(), 6u);
    const char* expected[] = {"m\n", "\nWarning: w!\n\n", "\nError: e!\n\n", "m", "Warning: w!\n", "Error: e!\n"};
    const u32 kinds[] = {0, 1, 2, 0, 1, 2};
    for (size_t i = 0; i < records.size(); ++i)
    {
        EXPECT_EQ(records[i].text, expected[i]) << i;
        EXPECT_EQ(records[i].kind, kinds[i]) << i;
    }
    EXPECT_EQ(log.GetRecordCount(), 0u);
}

TEST(MessageManager, FatalThrowsTheBareTextEvenWithoutAFile)
{
    MessageManager log("Game", 1, 0, "/proc/no-such-folder", "log");
    try
    {
        log.Fatal("cannot go on");
        FAIL() << "Fatal returned";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetMessage(), "cannot go on");
    }
    ASSERT_EQ(log.GetRecordCount(), 1u);
    EXPECT_EQ(log.GetRecord(0).text, "PROGRAM ABORTING: cannot go on\n");
    EXPECT_EQ(log.GetRecord(0).kind, 3u);
}

TEST(MessageManager, CreatesTheFoldersOfItsPath)
{
    TestSupport::TempFolder folder;
    {
        MessageManager log("Game", 1, 0, folder.Path() + "\\Maker\\Game", "", &FixedDate);
        EXPECT_EQ(log.GetPath(), folder.Path() + "\\Maker\\Game\\Game.html");
    }
    EXPECT_EQ(folder.ReadFile("Maker/Game/Game.html"), kHeader + kClosing);
}

TEST(MessageManager, FileNameDefaultsToTheTitleWhenNotWriting)
{
    MessageManager log("Game", 0, 0, "", "");
    EXPECT_EQ(log.GetPath(), "Game");
}

TEST(MessageManagerThreads, TwoWritersKeepEveryEntryWhole)
{
    TestSupport::TempFolder folder;
    constexpr int kEntries = 10000;
    {
        MessageManager log("Game", 1, 0, folder.Path(), "log", &FixedDate);
        auto writer = [&log](const std::string& text) {
            for (int i = 0; i < kEntries; ++i)
                log.Error(text);
        };
        std::thread first(writer, "first-thread-entry");
        std::thread second(writer, "second-thread-entry");
        first.join();
        second.join();
        EXPECT_EQ(log.GetRecordCount(), 2u * kEntries);
    }
    const std::string html = folder.ReadFile("log.html");
    auto count = [&html](const std::string& entry) {
        size_t found = 0;
        for (size_t at = html.find(entry); at != std::string::npos; at = html.find(entry, at + 1))
            ++found;
        return found;
    };
    EXPECT_EQ(count("<FONT color=\"#FF0000\"><BR>Error: first-thread-entry!<BR><BR></FONT>"), size_t(kEntries));
    EXPECT_EQ(count("<FONT color=\"#FF0000\"><BR>Error: second-thread-entry!<BR><BR></FONT>"), size_t(kEntries));
}
