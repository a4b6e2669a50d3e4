// Encoding detection, the line and word reader, and buffered writing of text files.
#include "engine/files/FileTextual.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Vector3.h"
#include "engine/files/FileBinary.h"
#include "engine/files/TextEncoding.h"

#include <algorithm>
#include <exception>

namespace VelkorEngine
{
namespace
{
constexpr u32 CarriageReturn = '\r';
constexpr u32 LineFeed = '\n';

bool IsWhiteSpace(u32 c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void StripComment(std::u32string& characters)
{
    const size_t comment = characters.find(U"//");
    if (comment != std::u32string::npos)
        characters.erase(comment);
}
}

FileTextual::FileTextual(MessageManager* log, std::unique_ptr<FileBinary> file, u32 mode, u32 encoding)
    : m_log(log), m_mode(mode), m_encoding(encoding), m_file(std::move(file)),
      m_exceptionsAtOpen(std::uncaught_exceptions())
{
    DetectEncoding();
}

FileTextual::~FileTextual()
{
    if (m_mode != ModeWrite || m_closed || std::uncaught_exceptions() > m_exceptionsAtOpen)
        return;
    try
    {
        Close();
    }
    catch (const Error& error)
    {
        if (m_log)
            m_log->Error(error.GetMessage());
    }
}

void FileTextual::DetectEncoding()
{
    m_replacement = '?';
    m_replacementUsed = 0;
    m_endOfFile = 0;
    m_bufferPosition = -1;
    m_bufferCount = 0;
    m_atStart = 1;
    m_pushed = 0;
    if (m_mode == ModeWrite)
    {
        if (m_encoding == EncodingUtf16BigEndian || m_encoding == EncodingUtf16LittleEndian ||
            m_encoding == EncodingUtf8)
            PutCharacter(0xFEFF);
        else
            m_encoding = EncodingAnsi;
        return;
    }
    const u8 first = NextByte();
    const u8 second = NextByte();
    if (first == 0xFF && second == 0xFE && !m_endOfFile)
        m_encoding = EncodingUtf16LittleEndian;
    else if (first == 0xFE && second == 0xFF && !m_endOfFile)
        m_encoding = EncodingUtf16BigEndian;
    else if (first == 0xEF && second == 0xBB && NextByte() == 0xBF && !m_endOfFile)
        m_encoding = EncodingUtf8;
    else
        DetectAnsiText();
}

void FileTextual::DetectAnsiText()
{
    m_encoding = EncodingAnsi;
    Rewind();
    Utf8Validator validator;
    while (true)
    {
        const u8 byte = NextByte();
        if (m_endOfFile)
            break;
        validator.Feed(byte);
    }
    m_ansiIsUtf8 = validator.IsValid();
    Rewind();
}

u8 FileTextual::NextByte()
{
    if (m_bufferPosition < 0 || static_cast<u32>(m_bufferPosition) >= m_bufferCount)
    {
        u32 got = 0;
        m_file->Read(m_buffer.data(), BufferSize, &got);
        m_bufferCount = got;
        m_bufferPosition = 0;
        if (got == 0)
        {
            m_bufferPosition = -1;
            m_endOfFile = 1;
            return 0;
        }
    }
    return m_buffer[m_bufferPosition++];
}

u32 FileTextual::NextUtf16Unit()
{
    if (m_unitWaiting)
    {
        m_unitWaiting = 0;
        return m_waitingUnit;
    }
    const u32 first = NextByte();
    const u32 second = NextByte();
    return m_encoding == EncodingUtf16BigEndian ? (first << 8) | second : first | (second << 8);
}

u32 FileTextual::NextUtf8Character()
{
    const u32 lead = NextByte();
    const u32 ones = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 1;
    if (ones == 0)
        return lead;
    if (ones == 2)
        return (lead & 31) * 64 + (NextByte() & 63);
    if (ones == 3)
    {
        const u32 next = NextByte() & 63;
        return (lead & 15) * 4096 + next * 64 + (NextByte() & 63);
    }
    return ReplacementCharacter;
}

u32 FileTextual::NextWideCharacter()
{
    if (m_encoding == EncodingUtf8)
        return NextUtf8Character();
    const u32 unit = NextUtf16Unit();
    if (IsLowSurrogate(unit))
        return ReplacementCharacter;
    if (!IsHighSurrogate(unit) || m_endOfFile)
        return unit;
    const u32 next = NextUtf16Unit();
    if (IsLowSurrogate(next))
        return CombineSurrogates(unit, next);
    m_unitWaiting = m_endOfFile ? 0 : 1;
    m_waitingUnit = next;
    return ReplacementCharacter;
}

u32 FileTextual::NextCharacter()
{
    if (m_pushed)
    {
        m_pushed = 0;
        return m_pushedCharacter;
    }
    return IsWide() ? NextWideCharacter() : NextByte();
}

void FileTextual::PushBack(u32 character)
{
    m_pushed = 1;
    m_pushedCharacter = character;
}

bool FileTextual::ReadCharacters(std::u32string& characters, u8 stripComments, u8 wordMode)
{
    characters.clear();
    if (m_endOfFile || m_mode == ModeWrite)
        return false;
    u32 c = NextCharacter();
    if (!m_atStart)
    {
        if (wordMode)
        {
            if (IsWhiteSpace(c))
                c = NextCharacter();
        }
        else if (c == CarriageReturn)
        {
            c = NextCharacter();
            if (c == LineFeed)
                c = NextCharacter();
        }
        else if (c == LineFeed)
            c = NextCharacter();
    }
    m_atStart = 0;
    bool words = wordMode != 0;
    while (!m_endOfFile && c != CarriageReturn && c != LineFeed && !(words && IsWhiteSpace(c)))
    {
        characters += static_cast<char32_t>(c);
        if (stripComments && words && characters == U"//")
            words = false;
        c = NextCharacter();
    }
    PushBack(c);
    if (stripComments)
        StripComment(characters);
    return true;
}

std::string FileTextual::ToNarrow(const std::u32string& characters)
{
    std::string text;
    text.reserve(characters.size());
    for (char32_t c : characters)
    {
        const u32 code = static_cast<u32>(c);
        if (!IsWide() && m_ansiIsUtf8)
            text += static_cast<char>(code);
        else
        {
            const u32 converted = IsWide() ? code : Windows1252ToCodePoint(static_cast<u8>(code));
            if (converted == NoCodePoint || !IsValidCodePoint(converted))
            {
                text += static_cast<char>(m_replacement);
                m_replacementUsed = 1;
            }
            else
                AppendUtf8(text, converted);
        }
    }
    return text;
}

std::wstring FileTextual::ToWide(const std::u32string& characters) const
{
    if (IsWide())
        return std::wstring(characters.begin(), characters.end());
    if (m_ansiIsUtf8)
    {
        const std::string bytes(characters.begin(), characters.end());
        return StringToWString(bytes);
    }
    std::wstring text;
    text.reserve(characters.size());
    for (char32_t c : characters)
    {
        const u32 code = Windows1252ToCodePoint(static_cast<u8>(c));
        if (code != NoCodePoint)
            text += static_cast<wchar_t>(code);
    }
    return text;
}

bool FileTextual::ReadLine(std::string& text, u8 stripComments, u8 wordMode)
{
    std::u32string characters;
    const bool read = ReadCharacters(characters, stripComments, wordMode);
    text = ToNarrow(characters);
    return read;
}

bool FileTextual::ReadWideLine(std::wstring& text, u8 stripComments, u8 wordMode)
{
    std::u32string characters;
    const bool read = ReadCharacters(characters, stripComments, wordMode);
    text = ToWide(characters);
    return read;
}

bool FileTextual::ReadWord(std::string& text, u8 underscoresToSpaces)
{
    do
    {
        if (!ReadLine(text, 1, 1))
            return false;
    } while (text.empty());
    if (underscoresToSpaces)
        std::replace(text.begin(), text.end(), '_', ' ');
    return true;
}

i32 FileTextual::ReadInt()
{
    std::string word;
    ReadWord(word, 0);
    return StringToInt(word, 10);
}

f32 FileTextual::ReadFloat()
{
    std::string word;
    ReadWord(word, 0);
    return StringToFloat(word);
}

Vector3 FileTextual::ReadVector3()
{
    const f32 x = ReadFloat();
    const f32 y = ReadFloat();
    const f32 z = ReadFloat();
    return Vector3(x, y, z);
}

void FileTextual::ReadAll(std::wstring& text, u8 stripComments)
{
    text.clear();
    text.reserve(static_cast<size_t>(GetLength()) + 2);
    std::wstring line;
    bool first = true;
    while (ReadWideLine(line, stripComments, 0))
    {
        if (!first)
            text += L"\r\n";
        text += line;
        first = false;
    }
}

u32 FileTextual::GetLength() const
{
    const u32 size = m_file->GetSize();
    const bool utf16 = m_encoding == EncodingUtf16BigEndian || m_encoding == EncodingUtf16LittleEndian;
    return utf16 ? size / 2 : size;
}

void FileTextual::Rewind()
{
    m_file->Seek(0, 0);
    m_bufferPosition = -1;
    m_bufferCount = 0;
    m_endOfFile = 0;
    m_pushed = 0;
    m_unitWaiting = 0;
    m_atStart = 1;
}

void FileTextual::PutByte(u8 byte)
{
    if (m_bufferPosition < 0)
        m_bufferPosition = 0;
    m_buffer[m_bufferPosition++] = byte;
    if (static_cast<u32>(m_bufferPosition) == BufferSize)
        Flush();
}

void FileTextual::PutCharacter(u32 code)
{
    if (!IsValidCodePoint(code))
        code = ReplacementCharacter;
    if (m_encoding == EncodingUtf8)
    {
        std::string bytes;
        AppendUtf8(bytes, code);
        for (char byte : bytes)
            PutByte(static_cast<u8>(byte));
        return;
    }
    for (u16 unit : ToUtf16(std::wstring(1, static_cast<wchar_t>(code))))
    {
        const u8 high = static_cast<u8>(unit >> 8), low = static_cast<u8>(unit & 0xFF);
        PutByte(m_encoding == EncodingUtf16BigEndian ? high : low);
        PutByte(m_encoding == EncodingUtf16BigEndian ? low : high);
    }
}

void FileTextual::Flush()
{
    if (m_bufferPosition <= 0)
        return;
    const u32 count = static_cast<u32>(m_bufferPosition);
    m_bufferPosition = 0;
    m_file->Write(m_buffer.data(), count);
}

void FileTextual::WriteString(const std::string& text)
{
    if (m_encoding == EncodingAnsi)
    {
        for (char byte : text)
            PutByte(static_cast<u8>(byte));
        return;
    }
    for (wchar_t character : StringToWString(text))
        PutCharacter(static_cast<u32>(character));
}

void FileTextual::WriteNewLine()
{
    if (m_encoding == EncodingAnsi)
    {
        PutByte('\r');
        PutByte('\n');
        return;
    }
    PutCharacter('\r');
    PutCharacter('\n');
}

void FileTextual::Close()
{
    if (m_mode != ModeWrite || m_closed)
        return;
    m_closed = true;
    Flush();
    m_file->Close();
}
}
