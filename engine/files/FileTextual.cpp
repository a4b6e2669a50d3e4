// Encoding detection, the line and word reader, and buffered writing of text files.
#include "engine/files/FileTextual.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Vector3.h"
#include "engine/files/FileBinary.h"
#include "engine/files/JoinedLines.h"
#include "engine/files/TextEncoding.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

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

// Plain runs are passed on whole; anything else one byte at a time.
template <class PutSpecial>
void PutBytes(const u8* next, const u8* end, JoinedLines& lines, PutSpecial putSpecial)
{
    while (next != end)
    {
        const u8* const plain = std::find_if_not(next, end, [](u8 byte) { return JoinedLines::IsPlain(byte); });
        lines.PutPlain(next, plain);
        next = plain == end ? end : putSpecial(plain);
    }
}

// A valid UTF-8 text of an ANSI file. Bytes above 0x7F come in runs that hold whole sequences, which
// convert as they would within their line.
void PutAnsiUtf8(const u8* next, const u8* end, JoinedLines& lines)
{
    PutBytes(next, end, lines, [&](const u8* at) {
        if (*at < 0x80)
        {
            lines.Put(*at, *at);
            return at + 1;
        }
        const u8* const run = std::find_if(at, end, [](u8 byte) { return byte < 0x80; });
        for (wchar_t c : StringToWString(std::string(at, run)))
            lines.Put(static_cast<u32>(c), static_cast<u32>(c));
        return run;
    });
}

// Bytes that stand for no Windows-1252 character write nothing.
void PutWindows1252(const u8* next, const u8* end, JoinedLines& lines)
{
    PutBytes(next, end, lines, [&](const u8* at) {
        lines.Put(*at, Windows1252ToCodePoint(*at));
        return at + 1;
    });
}

// UTF-8 as the character reader takes it: a lead byte of two or three bytes takes the bytes after it whatever
// they are, any other byte above 0x7F is U+FFFD; a sequence that the end cuts short is dropped.
void PutFileUtf8(const u8* next, const u8* end, JoinedLines& lines)
{
    PutBytes(next, end, lines, [&](const u8* at) {
        const u32 lead = *at;
        const std::ptrdiff_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 1;
        if (end - at < length)
            return end;
        u32 c = lead;
        if (length == 2)
            c = (lead & 31) * 64 + (at[1] & 63);
        else if (length == 3)
            c = (lead & 15) * 4096 + (at[1] & 63) * 64 + (at[2] & 63);
        else if (lead >= 0x80)
            c = ReplacementCharacter;
        lines.Put(c, c);
        return at + length;
    });
}

// UTF-16 as the character reader takes it: pairs combined, a lone surrogate U+FFFD (the unit after a lone
// high surrogate is read again); an odd last byte, and a high surrogate at the end, are dropped.
void PutFileUtf16(const u8* bytes, size_t count, bool bigEndian, JoinedLines& lines)
{
    const size_t units = count / 2;
    const auto unitAt = [&](size_t i) {
        const u32 first = bytes[2 * i];
        const u32 second = bytes[2 * i + 1];
        return bigEndian ? (first << 8) | second : first | (second << 8);
    };
    for (size_t i = 0; i < units; ++i)
    {
        u32 c = unitAt(i);
        if (IsHighSurrogate(c) && i + 1 == units)
            return;
        if (IsHighSurrogate(c) && IsLowSurrogate(unitAt(i + 1)))
            c = CombineSurrogates(c, unitAt(++i));
        else if (IsSurrogate(c))
            c = ReplacementCharacter;
        lines.Put(c, c);
    }
}

size_t CountByte(const std::vector<u8>& bytes, u8 value)
{
    size_t count = 0;
    const u8* const end = bytes.data() + bytes.size();
    for (const u8* at = bytes.data(); at != end; ++at, ++count)
    {
        at = static_cast<const u8*>(std::memchr(at, value, static_cast<size_t>(end - at)));
        if (!at)
            break;
    }
    return count;
}

// Whether any byte is above 0x7F, eight at a time.
bool HasNonAscii(const u8* data, size_t count)
{
    u64 any = 0;
    size_t i = 0;
    for (; i + sizeof(u64) <= count; i += sizeof(u64))
    {
        u64 word;
        std::memcpy(&word, data + i, sizeof(word));
        any |= word;
    }
    for (; i < count; ++i)
        any |= data[i];
    return (any & 0x8080808080808080ull) != 0;
}

// Whether the characters read from these UTF-8 bytes are the bytes themselves, once every LF without a CR
// before it is read as CR LF: no zero (which may end a line), no CR without an LF after it, and valid UTF-8,
// without the four-byte sequences that the reader of a marked file does not take. A file read as ANSI was
// found valid when it was opened.
bool ReadsAsItself(const std::vector<u8>& bytes, bool marked)
{
    const u8* const data = bytes.data();
    const size_t count = bytes.size();
    const u8* const end = data + count;
    if (count == 0)
        return true;
    if (std::memchr(data, 0, count))
        return false;
    for (const u8* at = data; (at = static_cast<const u8*>(std::memchr(at, '\r', static_cast<size_t>(end - at))));
         ++at)
    {
        if (at + 1 == end || at[1] != '\n')
            return false;
    }
    if (!marked || !HasNonAscii(data, count))
        return true;
    return std::none_of(data, end, [](u8 byte) { return byte >= 0xF0; }) &&
           IsValidUtf8(reinterpret_cast<const char*>(data), count);
}

// Every line break may become two characters.
size_t JoinedCapacity(const std::vector<u8>& bytes, bool utf16)
{
    const size_t breaks = CountByte(bytes, '\r') + CountByte(bytes, '\n');
    return (utf16 ? bytes.size() / 2 : bytes.size()) + breaks + 2;
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
    for (u32 got = BufferSize; got > 0;)
    {
        m_file->Read(m_buffer.data(), BufferSize, &got);
        validator.Feed(m_buffer.data(), got);
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
        if (!ReadLine(text, StripComments, WordByWord))
            return false;
    } while (text.empty());
    if (underscoresToSpaces)
        std::replace(text.begin(), text.end(), '_', ' ');
    return true;
}

i32 FileTextual::ReadInt()
{
    std::string word;
    ReadWord(word, KeepUnderscores);
    return StringToInt(word, 10);
}

f32 FileTextual::ReadFloat()
{
    std::string word;
    ReadWord(word, KeepUnderscores);
    return StringToFloat(word);
}

Vector3 FileTextual::ReadVector3()
{
    const f32 x = ReadFloat();
    const f32 y = ReadFloat();
    const f32 z = ReadFloat();
    return Vector3(x, y, z);
}

// The rest of the file is decoded in one pass rather than line by line; the result is the same, lines
// joined by CR LF, as reading every line with ReadWideLine.
void FileTextual::ReadAll(std::wstring& text, u8 stripComments)
{
    text.clear();
    if (m_endOfFile || m_mode == ModeWrite)
        return;
    const bool afterALine = !m_atStart;
    const bool anyPushed = m_pushed != 0;
    const u32 pushed = m_pushedCharacter;
    DecodeAll(TakeRestOfFile(), afterALine, anyPushed, pushed, stripComments != 0, text);
}

bool FileTextual::ReadAllAsUtf8(std::vector<u8>& utf8, std::wstring& text)
{
    utf8.clear();
    const bool untouched = m_atStart && !m_pushed && !m_unitWaiting;
    const bool utf8Encoded = m_encoding == EncodingUtf8 || (m_encoding == EncodingAnsi && m_ansiIsUtf8);
    if (m_endOfFile || m_mode == ModeWrite || !untouched || !utf8Encoded)
    {
        ReadAll(text, KeepComments);
        return false;
    }
    text.clear();
    utf8 = TakeRestOfFile();
    if (ReadsAsItself(utf8, m_encoding == EncodingUtf8))
        return true;
    DecodeAll(utf8, false, false, 0, false, text);
    utf8.clear();
    return false;
}

void FileTextual::DecodeAll(const std::vector<u8>& bytesRead, bool afterALine, bool anyPushed, u32 pushed,
                            bool stripComments, std::wstring& text) const
{
    const std::vector<u8>* source = &bytesRead;
    std::vector<u8> withPushed;
    if (anyPushed && !IsWide())
    {
        withPushed.reserve(bytesRead.size() + 1);
        withPushed.push_back(static_cast<u8>(pushed));
        withPushed.insert(withPushed.end(), bytesRead.begin(), bytesRead.end());
        source = &withPushed;
    }
    const std::vector<u8>& bytes = *source;
    const bool utf16 = m_encoding == EncodingUtf16BigEndian || m_encoding == EncodingUtf16LittleEndian;
    const bool zeroEndsLine = !IsWide() && m_ansiIsUtf8;
    JoinedLines lines(text, JoinedCapacity(bytes, utf16), afterALine, stripComments, zeroEndsLine);
    if (anyPushed && IsWide())
        lines.Put(pushed, pushed);
    const u8* const begin = bytes.data();
    const u8* const end = begin + bytes.size();
    if (utf16)
        PutFileUtf16(begin, bytes.size(), m_encoding == EncodingUtf16BigEndian, lines);
    else if (IsWide())
        PutFileUtf8(begin, end, lines);
    else if (m_ansiIsUtf8)
        PutAnsiUtf8(begin, end, lines);
    else
        PutWindows1252(begin, end, lines);
    lines.Finish();
}

// Everything not read yet, a UTF-16 unit waiting to be read again first; the reader is left at the end.
std::vector<u8> FileTextual::TakeRestOfFile()
{
    std::vector<u8> bytes;
    if (m_unitWaiting)
    {
        const u8 high = static_cast<u8>(m_waitingUnit >> 8), low = static_cast<u8>(m_waitingUnit & 0xFF);
        bytes = m_encoding == EncodingUtf16BigEndian ? std::vector<u8>{high, low} : std::vector<u8>{low, high};
    }
    if (m_bufferPosition >= 0 && static_cast<u32>(m_bufferPosition) < m_bufferCount)
        bytes.insert(bytes.end(), m_buffer.begin() + m_bufferPosition, m_buffer.begin() + m_bufferCount);
    const u32 size = m_file->GetSize();
    const u32 position = m_file->GetPosition();
    u32 wanted = std::max(position < size ? size - position : 0u, BufferSize);
    while (true)
    {
        const size_t start = bytes.size();
        bytes.resize(start + wanted);
        u32 got = 0;
        m_file->Read(bytes.data() + start, wanted, &got);
        bytes.resize(start + got);
        if (got == 0)
            break;
        wanted = BufferSize;
    }
    m_endOfFile = 1;
    m_bufferPosition = -1;
    m_bufferCount = 0;
    m_pushed = 0;
    m_unitWaiting = 0;
    m_atStart = 0;
    return bytes;
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
