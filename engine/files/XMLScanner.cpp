// The character scanner behind XMLParser: the outer scan splits tags from content, then each opening tag's
// text is read for its name and attributes.
#include "engine/files/XMLScanner.h"

#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/XMLCharacters.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <type_traits>

namespace GameTools
{
namespace
{
// A fixed white-space set, so documents parse the same under every locale.
template <class Char>
bool IsBlank(Char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Characters a tag keeps as they are: visible or blank, but no quote and no '>'.
bool IsPlainInTag(wchar_t c)
{
    return (IsVisible(c) || IsBlank(c)) && c != '>' && !IsQuote(c);
}

// Tags are most of a document's bytes, so each byte is classed by one look-up.
constexpr std::array<bool, 256> PlainInTagBytes = [] {
    std::array<bool, 256> plain{};
    for (unsigned byte = 0; byte < plain.size(); ++byte)
    {
        const bool blank = byte == ' ' || (byte >= '\t' && byte <= '\r');
        const bool visible = byte > 0x20 && byte != 0x7F;
        plain[byte] = (visible || blank) && byte != '>' && byte != '"' && byte != '\'';
    }
    return plain;
}();

bool IsPlainInTag(char c)
{
    return PlainInTagBytes[static_cast<unsigned char>(c)];
}

template <class Char>
const Char* SkipPlainInTag(const Char* from, const Char* end)
{
    while (from != end && IsPlainInTag(*from))
        ++from;
    return from;
}

template <class Char>
const Char* SkipBlanks(const Char* from, const Char* end)
{
    while (from != end && IsBlank(*from))
        ++from;
    return from;
}

// Characters of a name in a simple tag: visible, and none that the tag reader gives a meaning.
bool IsSimpleNameCharacter(wchar_t c)
{
    return IsVisible(c) && c != '/' && c != '>' && c != '=' && !IsQuote(c);
}

constexpr std::array<bool, 256> SimpleNameBytes = [] {
    std::array<bool, 256> name{};
    for (unsigned byte = 0; byte < name.size(); ++byte)
    {
        const bool visible = byte > 0x20 && byte != 0x7F;
        name[byte] = visible && byte != '/' && byte != '>' && byte != '=' && byte != '"' && byte != '\'';
    }
    return name;
}();

bool IsSimpleNameCharacter(char c)
{
    return SimpleNameBytes[static_cast<unsigned char>(c)];
}

template <class Char>
const Char* FindCharacter(const Char* from, const Char* end, Char c)
{
    const Char* found = std::char_traits<Char>::find(from, static_cast<size_t>(end - from), c);
    return found ? found : end;
}

template <class Char>
const Char* SkipSimpleName(const Char* from, const Char* end)
{
    while (from != end && IsSimpleNameCharacter(*from))
        ++from;
    return from;
}

template <class Char>
bool IsAllBlank(std::basic_string_view<Char> text)
{
    return std::all_of(text.begin(), text.end(), IsBlank<Char>);
}

// Text read is wide, but plain ASCII reads back the same from narrow text, which short strings hold without
// allocating; so such text is kept narrow. Gives false, with narrow left unfinished, for other text.
bool AsciiToNarrow(std::wstring_view text, std::string& narrow)
{
    narrow.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        const wchar_t c = text[i];
        if (c <= 0 || c >= 0x80)
            return false;
        narrow[i] = static_cast<char>(c);
    }
    return true;
}

// Names are nearly always plain ASCII, which needs no real conversion.
void ToNarrow(std::wstring_view text, std::string& narrow)
{
    if (!AsciiToNarrow(text, narrow))
        narrow = VelkorEngine::WStringToString(std::wstring(text));
}

// UTF-8 is narrow text already.
void ToNarrow(std::string_view text, std::string& narrow)
{
    narrow.assign(text);
}

template <class Char>
std::string ToNarrow(std::basic_string_view<Char> text)
{
    std::string narrow;
    ToNarrow(text, narrow);
    return narrow;
}

template <class Char>
bool IsCommentName(std::basic_string_view<Char> name)
{
    return name.size() == 3 && name[0] == '!' && name[1] == '-' && name[2] == '-';
}

template <class Char>
std::basic_string_view<Char> TrimRight(std::basic_string_view<Char> text)
{
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

// Plain ASCII is kept narrow; other text wide, as read from the file, so that a value holds the same text in
// the same form whichever way its document was scanned.
void StoreTextIn(XMLValue& target, std::wstring_view text)
{
    std::string narrow;
    if (AsciiToNarrow(text, narrow))
        target.SetString(std::move(narrow));
    else
        target.SetWideString(std::wstring(text));
}

// Text read from a file has its line breaks as CR LF; bytes scanned as they are may have an LF alone.
std::string WithCarriageReturns(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out.push_back('\r');
        out.push_back(text[i]);
    }
    return out;
}

// What a byte of text asks of its storing: a line break gets its carriage return, anything beyond plain ASCII
// is kept wide.
constexpr unsigned char LineBreakByte = 1;
constexpr unsigned char NotPlainAsciiByte = 2;
constexpr std::array<unsigned char, 256> TextByteKinds = [] {
    std::array<unsigned char, 256> kinds{};
    for (unsigned byte = 0; byte < kinds.size(); ++byte)
        kinds[byte] = static_cast<unsigned char>((byte == '\n' ? LineBreakByte : 0) |
                                                 (byte == 0 || byte >= 0x80 ? NotPlainAsciiByte : 0));
    return kinds;
}();

// Values are short and nearly always plain ASCII on one line, which one pass over them tells.
void StoreTextIn(XMLValue& target, std::string_view text)
{
    unsigned char kinds = 0;
    for (const char c : text)
        kinds |= TextByteKinds[static_cast<unsigned char>(c)];
    std::string narrow = kinds & LineBreakByte ? WithCarriageReturns(text) : std::string(text);
    if (!(kinds & NotPlainAsciiByte))
        target.SetString(std::move(narrow));
    else
        target.SetWideString(VelkorEngine::StringToWString(narrow));
}
}

template <class Char>
BasicXMLScanner<Char>::BasicXMLScanner(XMLNode*& root) : m_root(root), m_current(root)
{
}

template <class Char>
void BasicXMLScanner<Char>::Scan(View text)
{
    const Char* next = text.data();
    const Char* const end = next + text.size();
    while (next != end)
    {
        // Element text, whole tags, quoted runs and the plain middle of a tag are taken at once; the
        // characters that change the scanner's state otherwise are handled one by one.
        if (!m_inTag && m_current)
            next = TakeContent(next, end);
        else if (m_inTag && m_inQuote)
            next = TakeRun(next, end, m_quote, m_tag);
        else if (m_inTag && !m_inDeclaration && !m_tag.empty())
            next = TakeTagRun(next, end);
        if (next == end)
            break;
        const Char c = *next++;
        if (c == '\n')
            ++m_line;
        if (m_inTag)
        {
            ScanInsideTag(c);
            continue;
        }
        ScanOutsideTag(c);
        if (m_inTag)
        {
            if (const Char* after = TakeSimpleOpeningTag(next, end))
                next = after;
            else if (const Char* whole = TakeWholeTag(next, end))
                next = whole;
        }
    }
    if (m_inTag)
        Fail(14);
    if (!m_root)
        Fail(15);
}

template <class Char>
const Char* BasicXMLScanner<Char>::TakeContent(const Char* from, const Char* end)
{
    const Char* const until = std::find(from, end, '<');
    if (until == from)
        return until;
    m_line += static_cast<u32>(std::count(from, until, '\n'));
    m_content.emplace_back(from, static_cast<size_t>(until - from));
    return until;
}

// The character-by-character reading below gives the same tag text; this only spares copying it. A tag
// that starts with anything but its name (or '/' and its name), that drops a character, or that the text
// ends inside is left to it.
template <class Char>
const Char* BasicXMLScanner<Char>::TakeWholeTag(const Char* from, const Char* end)
{
    const Char* start = from;
    const bool closing = start != end && *start == '/';
    if (closing)
        ++start;
    if (start == end || !IsVisible(*start) || *start == '/' || *start == '?' || *start == '>' ||
        (closing && m_depth == 0))
        return nullptr;
    // The name's first character never opens a quoted run.
    for (const Char* at = start + 1; at != end;)
    {
        at = SkipPlainInTag(at, end);
        if (at == end)
            return nullptr;
        const Char c = *at;
        if (IsQuote(c))
        {
            at = std::find(at + 1, end, c);
            if (at == end)
                return nullptr;
            ++at;
        }
        else if (c == '>')
        {
            m_line += static_cast<u32>(std::count(from, at, '\n'));
            m_closing = closing;
            EndTag(View(start, static_cast<size_t>(at - start)));
            return at + 1;
        }
        else
        {
            return nullptr;
        }
    }
    return nullptr;
}

// Gives the tree that TakeWholeTag and the character-by-character reading give the same tag, with one pass
// over it and no copy of its text; comments, declarations and anything unusual are left to them.
template <class Char>
const Char* BasicXMLScanner<Char>::TakeSimpleOpeningTag(const Char* from, const Char* end)
{
    if (from == end || *from == '?')
        return nullptr;
    const Char* const nameEnd = SkipSimpleName(from, end);
    const View name(from, static_cast<size_t>(nameEnd - from));
    if (nameEnd == end || name.empty() || IsCommentName(name))
        return nullptr;
    m_simpleAttributes.clear();
    bool selfClosing = false;
    const Char* close = nullptr;
    if (*nameEnd == '>')
        close = nameEnd;
    else if (*nameEnd == '/' && nameEnd + 1 != end && nameEnd[1] == '>')
    {
        close = nameEnd + 1;
        selfClosing = true;
    }
    else if (IsBlank(*nameEnd))
        close = FindSimpleAttributes(nameEnd, end, selfClosing);
    if (!close)
        return nullptr;
    m_line += static_cast<u32>(std::count(from, close, '\n'));
    XMLNode* const element = CreateElement(name, m_current);
    if (!m_simpleAttributes.empty())
        element->ReserveAttributes(static_cast<u32>(m_simpleAttributes.size()));
    for (const auto& [attributeName, value] : m_simpleAttributes)
        StoreAttribute(element, attributeName, value);
    m_content.clear();
    m_inTag = false;
    if (!selfClosing)
    {
        m_current = element;
        ++m_depth;
    }
    return close + 1;
}

template <class Char>
const Char* BasicXMLScanner<Char>::FindSimpleAttributes(const Char* from, const Char* end, bool& selfClosing)
{
    for (const Char* at = SkipBlanks(from, end); at != end; at = SkipBlanks(at, end))
    {
        if (*at == '>')
            return at;
        if (*at == '/')
        {
            selfClosing = true;
            return at + 1 != end && at[1] == '>' ? at + 1 : nullptr;
        }
        const Char* const nameEnd = SkipSimpleName(at, end);
        const Char* const equals = SkipBlanks(nameEnd, end);
        if (nameEnd == at || equals == end || *equals != '=')
            return nullptr;
        const Char* const quote = SkipBlanks(equals + 1, end);
        if (quote == end || !IsQuote(*quote))
            return nullptr;
        const Char* const valueEnd = FindCharacter(quote + 1, end, *quote);
        if (valueEnd == end)
            return nullptr;
        m_simpleAttributes.emplace_back(View(at, static_cast<size_t>(nameEnd - at)),
                                        View(quote + 1, static_cast<size_t>(valueEnd - quote - 1)));
        at = valueEnd + 1;
    }
    return nullptr;
}

template <class Char>
const Char* BasicXMLScanner<Char>::TakeRun(const Char* from, const Char* end, Char stop, Text& into)
{
    const Char* const until = std::find(from, end, stop);
    m_line += static_cast<u32>(std::count(from, until, '\n'));
    into.append(from, until);
    return until;
}

// Once a tag's text has begun, every visible or blank character but a quote or '>' is simply kept.
template <class Char>
const Char* BasicXMLScanner<Char>::TakeTagRun(const Char* from, const Char* end)
{
    const Char* const until = SkipPlainInTag(from, end);
    m_line += static_cast<u32>(std::count(from, until, '\n'));
    m_tag.append(from, until);
    return until;
}

// Element text never comes here: TakeContent takes all of it up to the '<'.
template <class Char>
void BasicXMLScanner<Char>::ScanOutsideTag(Char c)
{
    if (c == '<')
        StartTag();
    else if (!m_current && IsVisible(c))
        Fail(13);
}

// An element's text is the last run of content between two tags that is not blank, with the blank runs
// gathered before it since the last opening tag.
template <class Char>
void BasicXMLScanner<Char>::StartTag()
{
    if (m_current && !m_content.empty() && !IsAllBlank(m_content.back()))
    {
        if (m_content.size() == 1)
            StoreTextIn(m_current->GetValue(), m_content.front());
        else
        {
            Text joined;
            for (View run : m_content)
                joined += run;
            StoreTextIn(m_current->GetValue(), joined);
        }
        m_content.clear();
    }
    if (!m_current && m_root)
        Fail(12);
    m_inTag = true;
    m_closing = false;
    m_inDeclaration = false;
    m_inQuote = false;
    m_tag.clear();
}

template <class Char>
void BasicXMLScanner<Char>::ScanInsideTag(Char c)
{
    if (m_inDeclaration)
    {
        if (c == '>')
            m_inTag = false;
        return;
    }
    if (c == '/' && m_tag.empty())
    {
        // Only elements the document opened can be closed, never the caller's root or what lies above it.
        if (m_depth == 0)
            Fail(0);
        m_closing = true;
        return;
    }
    if (IsQuote(c) && !m_tag.empty())
    {
        if (!m_inQuote)
        {
            m_inQuote = true;
            m_quote = c;
        }
        else if (c == m_quote)
        {
            m_inQuote = false;
        }
        m_tag.push_back(c);
        return;
    }
    if (m_inQuote)
    {
        m_tag.push_back(c);
        return;
    }
    if (c == '?' && m_tag.empty())
    {
        m_inDeclaration = true;
        return;
    }
    if (c != '>')
    {
        if (IsVisible(c) || (IsBlank(c) && !m_tag.empty()))
            m_tag.push_back(c);
        return;
    }
    EndTag(m_tag);
}

template <class Char>
void BasicXMLScanner<Char>::EndTag(View tag)
{
    if (tag.empty())
        Fail(1);
    if (m_closing)
    {
        CloseElement(tag);
    }
    else
    {
        OpenElement(tag);
        m_content.clear();
    }
    m_tag.clear();
    m_inTag = false;
}

template <class Char>
void BasicXMLScanner<Char>::CloseElement(View tag)
{
    ToNarrow(TrimRight(tag), m_narrowName);
    if (m_narrowName != m_current->GetName())
        Fail(2);
    m_current = m_current->GetParent();
    --m_depth;
}

// Reads the opening tag's text: the element name, then name="value" attributes, then an optional '/'
// that closes the element at once. A name "!--" followed by white space makes the tag a comment.
template <class Char>
void BasicXMLScanner<Char>::OpenElement(View tag)
{
    XMLNode* const parent = m_current;
    bool selfClosing = false;
    const size_t nameEnd = ReadElementName(tag, selfClosing);
    XMLNode* element = nullptr;
    if (nameEnd < tag.size())
    {
        if (IsCommentName(View(m_elementName)))
            return;
        element = CreateElement(m_elementName, parent);
        element->ReserveAttributes(static_cast<u32>(std::count(tag.begin() + nameEnd, tag.end(), '=')));
        ReadAttributes(element, tag, nameEnd, selfClosing);
    }
    if (m_elementName.empty())
        Fail(9);
    if (!element)
        element = CreateElement(m_elementName, parent);
    if (selfClosing)
        return;
    m_current = element;
    ++m_depth;
}

// The name runs from the first visible character to the first white space after it; a '/' in it marks
// the element as closed at once. Gives where the name ended.
template <class Char>
size_t BasicXMLScanner<Char>::ReadElementName(View tag, bool& selfClosing)
{
    m_elementName.clear();
    size_t i = 0;
    for (; i < tag.size(); ++i)
    {
        const Char c = tag[i];
        if (IsBlank(c) && !m_elementName.empty())
            break;
        if (!IsVisible(c))
            continue;
        if (c == '/')
            selfClosing = true;
        else
            m_elementName.push_back(c);
    }
    return i;
}

// Attribute names are the visible characters before '=', white space between them ignored; each value
// runs between two equal quotes. Only the tag's last character may be the closing '/'.
template <class Char>
void BasicXMLScanner<Char>::ReadAttributes(XMLNode* element, View tag, size_t from, bool& selfClosing)
{
    enum class Reading { Name, Quote, Value } reading = Reading::Name;
    m_attributeName.clear();
    size_t valueStart = 0;
    Char quote = 0;
    for (size_t i = from; i < tag.size(); ++i)
    {
        const Char c = tag[i];
        if (reading == Reading::Value)
        {
            i = std::min(tag.find(quote, i), tag.size());
            if (i == tag.size())
                break;
            StoreAttribute(element, m_attributeName, tag.substr(valueStart, i - valueStart));
            m_attributeName.clear();
            reading = Reading::Name;
            continue;
        }
        if (!IsVisible(c))
            continue;
        if (reading == Reading::Quote)
        {
            if (!IsQuote(c))
                Fail(8);
            quote = c;
            valueStart = i + 1;
            reading = Reading::Value;
        }
        else if (c == '=')
        {
            if (m_attributeName.empty())
                Fail(4);
            reading = Reading::Quote;
        }
        else if (c == '/')
        {
            if (!m_attributeName.empty())
                Fail(6);
            if (i + 1 != tag.size())
                Fail(5);
            selfClosing = true;
        }
        else
        {
            m_attributeName.push_back(c);
        }
    }
    if (reading == Reading::Name && !m_attributeName.empty())
        Fail(10);
    if (reading != Reading::Name)
        Fail(11);
}

// The new element is linked into the tree (or stored as the root) at once, so no failure later in its tag
// can leave it without an owner.
template <class Char>
XMLNode* BasicXMLScanner<Char>::CreateElement(View name, XMLNode* parent)
{
    if (m_depth >= MaxDepth)
        Fail(16);
    XMLNode* element = new XMLNode(ToNarrow(name), parent);
    if (!m_root)
        m_root = element;
    return element;
}

template <class Char>
void BasicXMLScanner<Char>::StoreAttribute(XMLNode* element, View name, View value)
{
    XMLValue* stored = nullptr;
    if constexpr (std::is_same_v<Char, char>)
    {
        stored = element->AddAttribute(name);
    }
    else
    {
        ToNarrow(name, m_narrowName);
        stored = element->AddAttribute(m_narrowName);
    }
    if (!stored)
        Fail(7);
    StoreTextIn(*stored, value);
}

template <class Char>
void BasicXMLScanner<Char>::Fail(u32 code) const
{
    throw VelkorEngine::FileError("XML format error at line " + std::to_string(m_line) + ": code " +
                                  std::to_string(code));
}
template class BasicXMLScanner<wchar_t>;
template class BasicXMLScanner<char>;
}
