// Text files: byte-order marks, the line and word reader, comments, numbers, the four encodings written
// byte-exact and read back, and closing that reports failures instead of ending the program.
#include "engine/files/FileTextual.h"

#include "engine/core/Error.h"
#include "engine/core/Vector3.h"
#include "engine/files/FileBinary.h"
#include "tests/support/FilesTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

using namespace VelkorEngine;
using TestSupport::Bytes;
using TestSupport::TempFolder;

namespace
{
std::unique_ptr<FileTextual> Reader(const std::string& bytes)
{
    return std::make_unique<FileTextual>(nullptr, TestSupport::MemoryFile(bytes), 0, 0);
}

std::vector<std::string> Lines(const std::string& bytes, u8 strip = 0, u8 words = 0)
{
    auto reader = Reader(bytes);
    std::vector<std::string> lines;
    std::string line;
    while (reader->ReadLine(line, strip, words))
        lines.push_back(line);
    return lines;
}

std::vector<std::wstring> WideLines(const std::string& bytes)
{
    auto reader = Reader(bytes);
    std::vector<std::wstring> lines;
    std::wstring line;
    while (reader->ReadWideLine(line, 0, 0))
        lines.push_back(line);
    return lines;
}

std::string Written(u32 encoding, const std::function<void(FileTextual&)>& write)
{
    TempFolder folder;
    auto file = std::make_unique<FileBinary>(nullptr, folder / "out.txt", 1, 0, 0, 0, nullptr);
    FileTextual text(nullptr, std::move(file), FileTextual::ModeWrite, encoding);
    write(text);
    text.Close();
    return folder.ReadFile("out.txt");
}

using Strings = std::vector<std::string>;

struct MarkCase
{
    std::string bytes;
    u32 encoding;
    Strings lines;
};

class FileTextualMarks : public testing::TestWithParam<MarkCase>
{
};
}

TEST_P(FileTextualMarks, DecideTheEncoding)
{
    const MarkCase& c = GetParam();
    auto reader = Reader(c.bytes);
    EXPECT_EQ(reader->GetEncoding(), c.encoding);
    std::vector<std::string> lines;
    std::string line;
    while (reader->ReadLine(line, 0, 0))
        lines.push_back(line);
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileTextualMarks,
    testing::Values(MarkCase{Bytes({0xFF, 0xFE, 'h', 0, 'i', 0}), FileTextual::EncodingUtf16LittleEndian, {"hi"}},
                    MarkCase{Bytes({0xFE, 0xFF, 0, 'h', 0, 'i'}), FileTextual::EncodingUtf16BigEndian, {"hi"}},
                    MarkCase{Bytes({0xEF, 0xBB, 0xBF, 'h', 'i'}), FileTextual::EncodingUtf8, {"hi"}},
                    MarkCase{Bytes({0xEF, 0xBB, 0x41}), FileTextual::EncodingAnsi, {"\xC3\xAF\xC2\xBB" "A"}},
                    MarkCase{"plain", FileTextual::EncodingAnsi, {"plain"}},
                    MarkCase{"\xC3\xA9t\xC3\xA9", FileTextual::EncodingAnsi, {"\xC3\xA9t\xC3\xA9"}},
                    MarkCase{"", FileTextual::EncodingAnsi, {""}},
                    MarkCase{Bytes({0xFF}), FileTextual::EncodingAnsi, {"\xC3\xBF"}}));

TEST(FileTextual, LinesEndAtEveryKindOfLineEndAndLoseTheirCommentsOnRequest)
{
    const struct
    {
        const char* bytes;
        u8 strip;
        u8 words;
        Strings lines;
    } cases[] = {
        {"a\r\nb\nc\rd", 0, 0, {"a", "b", "c", "d"}},
        {"a\r\n\r\nb\r\n", 0, 0, {"a", "", "b", ""}},
        {"a\n\nb", 0, 0, {"a", "", "b"}},
        {"\r\nx", 0, 0, {"", "x"}},
        {"v_gamma 1.2 //note\r\n// whole line\r\nname//x", 1, 0, {"v_gamma 1.2 ", "", "name"}},
        {"keep //this", 0, 0, {"keep //this"}},
        // Word mode yields the empty word between two blanks.
        {"a  b", 0, 1, {"a", "", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(c.bytes, c.strip, c.words), c.lines) << c.bytes;
}

TEST(FileTextual, WordsSkipEmptyOnesAndComments)
{
    auto reader = Reader("a  b\r\n\tc // ignored words\r\nd_e");
    std::string word;
    std::vector<std::string> words;
    while (reader->ReadWord(word, 1))
        words.push_back(word);
    EXPECT_EQ(words, (Strings{"a", "b", "c", "d e"}));
}

TEST(FileTextual, NumbersAndVectors)
{
    auto reader = Reader("12 -3.5\r\n1 2.5 -3 // light\r\nx");
    EXPECT_EQ(reader->ReadInt(), 12);
    EXPECT_FLOAT_EQ(reader->ReadFloat(), -3.5f);
    const Vector3 v = reader->ReadVector3();
    EXPECT_FLOAT_EQ(v.x, 1.0f);
    EXPECT_FLOAT_EQ(v.y, 2.5f);
    EXPECT_FLOAT_EQ(v.z, -3.0f);
    EXPECT_EQ(reader->ReadInt(), 0);
    EXPECT_EQ(reader->ReadInt(), 0);
    EXPECT_FLOAT_EQ(reader->ReadFloat(), 0.0f);
}

TEST(FileTextual, Utf8SequencesOfEveryLength)
{
    const std::string text = Bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80, 0x80});
    const std::wstring expected = std::wstring(L"a\x00E9\x20AC") + std::wstring(5, wchar_t(0xFFFD));
    EXPECT_EQ(WideLines(text), std::vector<std::wstring>{expected});
}

TEST(FileTextual, Utf16SurrogatePairsCombine)
{
    const std::string little = Bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE, 'x', 0, 0x00, 0xDC, 'y', 0});
    EXPECT_EQ(WideLines(little), std::vector<std::wstring>{std::wstring(L"\x1F600x") + wchar_t(0xFFFD) + L"y"});
    const std::string big = Bytes({0xFE, 0xFF, 0xD8, 0x3D, 0, 'z', 0xD8, 0x3D, 0xDE, 0x00});
    EXPECT_EQ(WideLines(big), std::vector<std::wstring>{std::wstring(1, wchar_t(0xFFFD)) + L"z\x1F600"});
}

TEST(FileTextual, NarrowLinesOfUtf16AreUtf8)
{
    auto reader = Reader(Bytes({0xFF, 0xFE, 'a', 0, 0xE9, 0, 0x00, 0xDC, 0x16, 0x04}));
    std::string line;
    ASSERT_TRUE(reader->ReadLine(line, 0, 0));
    EXPECT_EQ(line, "a\xC3\xA9\xEF\xBF\xBD\xD0\x96");
    EXPECT_FALSE(reader->WasReplacementUsed());
}

TEST(FileTextual, AnsiThatIsNotUtf8IsWindows1252)
{
    const std::string bytes = Bytes({'c', 'a', 'f', 0xE9, ' ', 0x80, 0x81, '\r', '\n', 'x'});
    EXPECT_EQ(WideLines(bytes), (std::vector<std::wstring>{L"caf\x00E9 \x20AC", L"x"}));
    auto reader = Reader(bytes);
    std::string line;
    reader->ReadLine(line, 0, 0);
    EXPECT_EQ(line, "caf\xC3\xA9 \xE2\x82\xAC?");
    EXPECT_TRUE(reader->WasReplacementUsed());
}

TEST(FileTextual, ReadAllJoinsLinesWithCrLf)
{
    auto reader = Reader("a\nb\r\nc");
    std::wstring all;
    reader->ReadAll(all, 0);
    EXPECT_EQ(all, L"a\r\nb\r\nc");
    reader->Rewind();
    reader->ReadAll(all, 1);
    EXPECT_EQ(all, L"a\r\nb\r\nc");
}

TEST(FileTextual, LengthCountsUnitsOfUtf16)
{
    EXPECT_EQ(Reader("abcd")->GetLength(), 4u);
    EXPECT_EQ(Reader(Bytes({0xFF, 0xFE, 'a', 0, 'b', 0}))->GetLength(), 3u);
}

TEST(FileTextual, RewindStartsOverFromTheFirstByte)
{
    auto reader = Reader("one\r\ntwo");
    std::string line;
    reader->ReadLine(line, 0, 0);
    reader->ReadLine(line, 0, 0);
    EXPECT_FALSE(reader->ReadLine(line, 0, 0));
    reader->Rewind();
    ASSERT_TRUE(reader->ReadLine(line, 0, 0));
    EXPECT_EQ(line, "one");
}

TEST(FileTextual, WritesEveryEncodingByteExact)
{
    const auto write = [](FileTextual& text) {
        text.WriteString("a\xC3\xA9\xF0\x9F\x98\x80");
        text.WriteNewLine();
    };
    EXPECT_EQ(Written(FileTextual::EncodingAnsi, write), "a\xC3\xA9\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(Written(FileTextual::EncodingUtf8, write), "\xEF\xBB\xBF" "a\xC3\xA9\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(Written(FileTextual::EncodingUtf16LittleEndian, write),
              Bytes({0xFF, 0xFE, 'a', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE, '\r', 0, '\n', 0}));
    EXPECT_EQ(Written(FileTextual::EncodingUtf16BigEndian, write),
              Bytes({0xFE, 0xFF, 0, 'a', 0, 0xE9, 0xD8, 0x3D, 0xDE, 0x00, 0, '\r', 0, '\n'}));
}

TEST(FileTextual, LongTextCrossesTheBufferAndReadsBack)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i)
        lines.push_back("line " + std::to_string(i) + " \xD0\x96\xC3\xA9");
    for (u32 encoding : {0u, 1u, 2u, 3u})
    {
        const std::string bytes = Written(encoding, [&](FileTextual& text) {
            for (const std::string& line : lines)
            {
                text.WriteString(line);
                text.WriteNewLine();
            }
        });
        std::vector<std::string> read = Lines(bytes);
        ASSERT_EQ(read.size(), lines.size() + 1) << encoding;
        EXPECT_EQ(read.back(), "");
        read.pop_back();
        EXPECT_EQ(read, lines) << encoding;
    }
}

TEST(FileTextual, CloseReportsAFailedReplacement)
{
    TempFolder folder;
    folder.WriteFile("settings.ini", "old");
    auto file = std::make_unique<FileBinary>(nullptr, folder / "settings.ini", 1, 0, 0, 0, nullptr);
    FileTextual text(nullptr, std::move(file), FileTextual::ModeWrite, 0);
    text.WriteString("new");
    // Taking the folder away makes the final replacement fail.
    std::filesystem::remove_all(folder.Path());
    EXPECT_THROW(text.Close(), FileError);
}

TEST(FileTextual, DestructorLogsAFailedCloseInsteadOfThrowing)
{
    TempFolder folder;
    auto log = TestSupport::MakeQuietLog();
    {
        auto file = std::make_unique<FileBinary>(nullptr, folder / "settings.ini", 1, 0, 0, 0, nullptr);
        FileTextual text(log.get(), std::move(file), FileTextual::ModeWrite, 0);
        text.WriteString("new");
        std::filesystem::remove_all(folder.Path());
    }
    EXPECT_NE(TestSupport::LogText(*log).find("Error: Failed to write"), std::string::npos);
}

TEST(FileTextual, DestructorWritesWhatIsBuffered)
{
    TempFolder folder;
    {
        auto file = std::make_unique<FileBinary>(nullptr, folder / "a.txt", 1, 0, 0, 0, nullptr);
        FileTextual text(nullptr, std::move(file), FileTextual::ModeWrite, 0);
        text.WriteString("kept");
    }
    EXPECT_EQ(folder.ReadFile("a.txt"), "kept");
}

namespace
{
// The rest of a text read line by line and joined by CR LF: what ReadAll must give.
std::wstring JoinedLines(FileTextual& reader, u8 strip)
{
    std::wstring all;
    std::wstring line;
    for (bool first = true; reader.ReadWideLine(line, strip, 0); first = false)
        all += (first ? L"" : L"\r\n") + line;
    return all;
}

// Texts of random pieces: line breaks of every kind, comment marks, zero bytes, UTF-8 sequences whole, cut
// and stray, UTF-16 surrogates and bytes that Windows-1252 leaves undefined.
std::vector<std::string> MixedTexts()
{
    const std::vector<std::string> pieces = {"a", "z", " ", "\r", "\n", "\r\n", "/", "//", std::string(1, '\0'),
                                             "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xC3", "\xE2\x82",
                                             "\x80", "\x81", "\xFF", "\xFE", "\xD8", "\xDC", "\x3D", "\xEF\xBB"};
    const std::vector<std::string> marks = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    std::mt19937 random(12345);
    std::vector<std::string> texts;
    for (const std::string& mark : marks)
        for (int i = 0; i < 150; ++i)
        {
            std::string text = mark;
            const int count = static_cast<int>(random() % 20);
            for (int j = 0; j < count; ++j)
                text += pieces[random() % pieces.size()];
            texts.push_back(text);
        }
    // Valid UTF-8 without a mark, read as UTF-8 rather than Windows-1252.
    const std::vector<std::string> valid = {"a", " ", "\r", "\n", "/", std::string(1, '\0'), "\xC3\xA9",
                                            "\xE2\x82\xAC", "\xF0\x9F\x98\x80"};
    for (int i = 0; i < 150; ++i)
    {
        std::string text;
        const int count = static_cast<int>(random() % 20);
        for (int j = 0; j < count; ++j)
            text += valid[random() % valid.size()];
        texts.push_back(text);
    }
    return texts;
}
}

TEST(FileTextualReadAll, GivesWhatTheLineReaderGivesForMixedTexts)
{
    for (const std::string& text : MixedTexts())
        for (u8 strip : {0, 1})
        {
            std::wstring all;
            Reader(text)->ReadAll(all, strip);
            auto lines = Reader(text);
            ASSERT_EQ(all, JoinedLines(*lines, strip)) << testing::PrintToString(text) << " strip " << int(strip);
        }
}

// After lines or words were read, the pushed-back character, a UTF-16 unit waiting to be read again and
// the break that ended the last read carry over as they do for the line reader.
TEST(FileTextualReadAll, GivesWhatTheLineReaderGivesAfterEarlierReads)
{
    for (const std::string& text : MixedTexts())
        for (int reads = 1; reads <= 3; ++reads)
        {
            auto whole = Reader(text);
            auto lines = Reader(text);
            std::string skipped;
            for (int i = 0; i < reads; ++i)
            {
                const u8 words = i % 2 == 0 ? 1 : 0;
                whole->ReadLine(skipped, 0, words);
                lines->ReadLine(skipped, 0, words);
            }
            std::wstring all;
            whole->ReadAll(all, 1);
            ASSERT_EQ(all, JoinedLines(*lines, 1)) << testing::PrintToString(text) << " after " << reads;
        }
}

TEST(FileTextualReadAll, MarkReadAgainAfterRewindIsText)
{
    auto reader = Reader("\xEF\xBB\xBF" "a\r\nb");
    std::wstring all;
    reader->ReadAll(all, 0);
    EXPECT_EQ(all, L"a\r\nb");
    reader->ReadAll(all, 0);
    EXPECT_EQ(all, L"") << "nothing is left";
    reader->Rewind();
    reader->ReadAll(all, 0);
    EXPECT_EQ(all, L"\xFEFF" L"a\r\nb");
}

// Files past the preload limit are read from the disk in pieces.
TEST(FileTextualReadAll, LargeFileReadFromTheDisk)
{
    TempFolder folder;
    std::string text;
    for (int i = 0; text.size() <= FileBinary::PreloadLimit; ++i)
        text += "line " + std::to_string(i) + (i % 3 ? " \xC3\xA9//x\n" : "\r\n");
    folder.WriteFile("large.txt", text);
    const auto open = [&] {
        auto file = std::make_unique<FileBinary>(nullptr, folder / "large.txt", 0, 0, 0, 0, nullptr);
        return std::make_unique<FileTextual>(nullptr, std::move(file), 0, 0);
    };
    std::wstring all;
    open()->ReadAll(all, 1);
    EXPECT_EQ(all, JoinedLines(*open(), 1));
    EXPECT_EQ(all.substr(0, 22), L"line 0\r\nline 1 \x00E9\r\nline");
}
