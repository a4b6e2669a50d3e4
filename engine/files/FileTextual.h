// Text read or written over a binary file in ANSI, UTF-16 (either byte order) or UTF-8, through a 1024-byte
// buffer; reads lines or words, with "//" comments stripped on request. Narrow strings hold UTF-8; an ANSI
// file is taken as UTF-8 when all of it is valid UTF-8, else as Windows-1252.
#pragma once

#include "engine/core/Types.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileBinary;
class MessageManager;
struct Vector3;

class FileTextual
{
public:
    enum Encoding : u32
    {
        EncodingAnsi = 0,
        EncodingUtf16BigEndian = 1,
        EncodingUtf16LittleEndian = 2,
        EncodingUtf8 = 3
    };
    static constexpr u32 ModeWrite = 1;
    static constexpr u32 BufferSize = 1024;

    // Mode 1 writes, any other reads; reading replaces the encoding by what the file's byte-order mark shows.
    FileTextual(MessageManager* log, std::unique_ptr<FileBinary> file, u32 mode, u32 encoding);
    // A written file not closed yet is closed here; a failure is logged, never thrown.
    virtual ~FileTextual();

    FileTextual(const FileTextual&) = delete;
    FileTextual& operator=(const FileTextual&) = delete;

    // Names of the byte flags of the readers.
    static constexpr u8 KeepComments = 0;
    static constexpr u8 StripComments = 1;
    static constexpr u8 WholeLines = 0;
    static constexpr u8 WordByWord = 1;
    static constexpr u8 KeepUnderscores = 0;
    static constexpr u8 UnderscoresToSpaces = 1;

    // One line, or one word in word mode; false at the end of the file.
    bool ReadLine(std::string& text, u8 stripComments, u8 wordMode);
    bool ReadWideLine(std::wstring& text, u8 stripComments, u8 wordMode);
    // The next non-empty word, comments skipped; false at the end of the file.
    bool ReadWord(std::string& text, u8 underscoresToSpaces);
    i32 ReadInt();
    f32 ReadFloat();
    Vector3 ReadVector3();
    // The rest of the file, lines joined by CR LF.
    void ReadAll(std::wstring& text, u8 stripComments);
    // The rest of the file as ReadAll gives it without comment stripping, except that when those characters
    // are exactly the file's bytes read as UTF-8 with every LF alone standing for CR LF (valid UTF-8, no CR
    // without an LF after it, no zero), the bytes are given in utf8 instead and text is left empty: readers
    // that work on UTF-8 are spared widening the text and narrowing it back. Returns true for the bytes.
    bool ReadAllAsUtf8(std::vector<u8>& utf8, std::wstring& text);

    // The file's size in bytes, halved for UTF-16.
    u32 GetLength() const;
    void Rewind();

    void WriteString(const std::string& text);
    void WriteNewLine();
    // Writes what is buffered and puts the written file in place; throws FileError when that fails.
    void Close();

    u32 GetEncoding() const { return m_encoding; }
    // A character of the file had no narrow form and was read as '?'.
    bool WasReplacementUsed() const { return m_replacementUsed != 0; }

private:
    void DetectEncoding();
    void DetectAnsiText();
    bool IsWide() const { return m_encoding != EncodingAnsi; }
    void DecodeAll(const std::vector<u8>& bytes, bool afterALine, bool anyPushed, u32 pushed, bool stripComments,
                   std::wstring& text) const;

    u8 NextByte();
    u32 NextUtf16Unit();
    u32 NextUtf8Character();
    u32 NextWideCharacter();
    u32 NextCharacter();
    void PushBack(u32 character);
    bool ReadCharacters(std::u32string& characters, u8 stripComments, u8 wordMode);
    std::vector<u8> TakeRestOfFile();
    std::string ToNarrow(const std::u32string& characters);
    std::wstring ToWide(const std::u32string& characters) const;

    void PutByte(u8 byte);
    void PutCharacter(u32 code);
    void Flush();

    MessageManager* m_log = nullptr;
    u32 m_mode = 0;
    u32 m_encoding = EncodingAnsi;
    std::unique_ptr<FileBinary> m_file;
    u8 m_endOfFile = 0;
    std::array<u8, BufferSize> m_buffer{};
    i32 m_bufferPosition = -1;
    u32 m_bufferCount = 0;
    u8 m_replacement = '?';
    u8 m_replacementUsed = 0;
    u8 m_atStart = 1;
    u8 m_pushed = 0;
    u32 m_pushedCharacter = 0;
    // A UTF-16 unit read while looking for the second half of a surrogate pair.
    u8 m_unitWaiting = 0;
    u32 m_waitingUnit = 0;
    bool m_ansiIsUtf8 = true;
    bool m_closed = false;
    int m_exceptionsAtOpen = 0;
};
}
