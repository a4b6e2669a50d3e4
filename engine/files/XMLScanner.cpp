// The character scanner behind XMLParser: the outer scan splits tags from content, then each opening tag's
// text is read for its name and attributes.
#include "engine/files/XMLScanner.h"

#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"

#include <algorithm>
#include <string_view>

namespace GameTools
{
namespace
{
// A fixed white-space set, so documents parse the same under every locale.
bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

// Letters, digits and punctuation of any script: everything but white space and control characters.
bool IsVisible(wchar_t c)
{
    return c > 0x20 && !(c >= 0x7F && c <= 0x9F);
}

bool IsQuote(wchar_t c)
{
    return c == L'"' || c == L'\'';
}

bool IsAllBlank(std::wstring_view text)
{
    return std::all_of(text.begin(), text.end(), IsBlank);
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

std::string ToNarrow(std::wstring_view text)
{
    std::string narrow;
    ToNarrow(text, narrow);
    return narrow;
}

std::wstring_view TrimRight(std::wstring_view text)
{
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}
}

XMLScanner::XMLScanner(XMLNode*& root) : m_root(root), m_current(root)
{
}

void XMLScanner::Scan(const std::wstring& text)
{
    const wchar_t* next = text.data();
    const wchar_t* const end = next + text.size();
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
        const wchar_t c = *next++;
        if (c == L'\n')
            ++m_line;
        if (m_inTag)
        {
            ScanInsideTag(c);
            continue;
        }
        ScanOutsideTag(c);
        if (m_inTag)
        {
            if (const wchar_t* after = TakeWholeTag(next, end))
                next = after;
        }
    }
    if (m_inTag)
        Fail(14);
    if (!m_root)
        Fail(15);
}

const wchar_t* XMLScanner::TakeContent(const wchar_t* from, const wchar_t* end)
{
    const wchar_t* const until = std::find(from, end, L'<');
    if (until == from)
        return until;
    m_line += static_cast<u32>(std::count(from, until, L'\n'));
    m_content.emplace_back(from, static_cast<size_t>(until - from));
    return until;
}

// The character-by-character reading below gives the same tag text; this only spares copying it. A tag
// that starts with anything but its name (or '/' and its name), that drops a character, or that the text
// ends inside is left to it.
const wchar_t* XMLScanner::TakeWholeTag(const wchar_t* from, const wchar_t* end)
{
    const wchar_t* start = from;
    const bool closing = start != end && *start == L'/';
    if (closing)
        ++start;
    if (start == end || !IsVisible(*start) || *start == L'/' || *start == L'?' || *start == L'>' ||
        (closing && m_depth == 0))
        return nullptr;
    bool inQuote = false;
    wchar_t quote = 0;
    // The name's first character never opens a quoted run.
    for (const wchar_t* at = start + 1; at != end; ++at)
    {
        const wchar_t c = *at;
        if (inQuote)
            inQuote = c != quote;
        else if (IsQuote(c))
        {
            inQuote = true;
            quote = c;
        }
        else if (c == L'>')
        {
            m_line += static_cast<u32>(std::count(from, at, L'\n'));
            m_closing = closing;
            EndTag(std::wstring_view(start, static_cast<size_t>(at - start)));
            return at + 1;
        }
        else if (!IsVisible(c) && !IsBlank(c))
            return nullptr;
    }
    return nullptr;
}

const wchar_t* XMLScanner::TakeRun(const wchar_t* from, const wchar_t* end, wchar_t stop, std::wstring& into)
{
    const wchar_t* const until = std::find(from, end, stop);
    m_line += static_cast<u32>(std::count(from, until, L'\n'));
    into.append(from, until);
    return until;
}

// Once a tag's text has begun, every visible or blank character but a quote or '>' is simply kept.
const wchar_t* XMLScanner::TakeTagRun(const wchar_t* from, const wchar_t* end)
{
    const wchar_t* until = from;
    for (; until != end; ++until)
    {
        const wchar_t c = *until;
        if (c == L'>' || IsQuote(c) || !(IsVisible(c) || IsBlank(c)))
            break;
        if (c == L'\n')
            ++m_line;
    }
    m_tag.append(from, until);
    return until;
}

// Element text never comes here: TakeContent takes all of it up to the '<'.
void XMLScanner::ScanOutsideTag(wchar_t c)
{
    if (c == L'<')
        StartTag();
    else if (!m_current && IsVisible(c))
        Fail(13);
}

// An element's text is the last run of content between two tags that is not blank, with the blank runs
// gathered before it since the last opening tag.
void XMLScanner::StartTag()
{
    if (m_current && !m_content.empty() && !IsAllBlank(m_content.back()))
    {
        if (m_content.size() == 1)
            StoreText(m_current->GetValue(), m_content.front());
        else
        {
            std::wstring joined;
            for (std::wstring_view run : m_content)
                joined += run;
            StoreText(m_current->GetValue(), joined);
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

void XMLScanner::ScanInsideTag(wchar_t c)
{
    if (m_inDeclaration)
    {
        if (c == L'>')
            m_inTag = false;
        return;
    }
    if (c == L'/' && m_tag.empty())
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
    if (c == L'?' && m_tag.empty())
    {
        m_inDeclaration = true;
        return;
    }
    if (c != L'>')
    {
        if (IsVisible(c) || (IsBlank(c) && !m_tag.empty()))
            m_tag.push_back(c);
        return;
    }
    EndTag(m_tag);
}

void XMLScanner::EndTag(std::wstring_view tag)
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

void XMLScanner::CloseElement(std::wstring_view tag)
{
    ToNarrow(TrimRight(tag), m_narrowName);
    if (m_narrowName != m_current->GetName())
        Fail(2);
    m_current = m_current->GetParent();
    --m_depth;
}

// Reads the opening tag's text: the element name, then name="value" attributes, then an optional '/'
// that closes the element at once. A name "!--" followed by white space makes the tag a comment.
void XMLScanner::OpenElement(std::wstring_view tag)
{
    XMLNode* const parent = m_current;
    bool selfClosing = false;
    const size_t nameEnd = ReadElementName(tag, selfClosing);
    XMLNode* element = nullptr;
    if (nameEnd < tag.size())
    {
        if (m_elementName == L"!--")
            return;
        element = CreateElement(m_elementName, parent);
        element->ReserveAttributes(static_cast<u32>(std::count(tag.begin() + nameEnd, tag.end(), L'=')));
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
size_t XMLScanner::ReadElementName(std::wstring_view tag, bool& selfClosing)
{
    m_elementName.clear();
    size_t i = 0;
    for (; i < tag.size(); ++i)
    {
        const wchar_t c = tag[i];
        if (IsBlank(c) && !m_elementName.empty())
            break;
        if (!IsVisible(c))
            continue;
        if (c == L'/')
            selfClosing = true;
        else
            m_elementName.push_back(c);
    }
    return i;
}

// Attribute names are the visible characters before '=', white space between them ignored; each value
// runs between two equal quotes. Only the tag's last character may be the closing '/'.
void XMLScanner::ReadAttributes(XMLNode* element, std::wstring_view tag, size_t from, bool& selfClosing)
{
    enum class Reading { Name, Quote, Value } reading = Reading::Name;
    m_attributeName.clear();
    size_t valueStart = 0;
    wchar_t quote = 0;
    for (size_t i = from; i < tag.size(); ++i)
    {
        const wchar_t c = tag[i];
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
        else if (c == L'=')
        {
            if (m_attributeName.empty())
                Fail(4);
            reading = Reading::Quote;
        }
        else if (c == L'/')
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
XMLNode* XMLScanner::CreateElement(const std::wstring& name, XMLNode* parent)
{
    if (m_depth >= MaxDepth)
        Fail(16);
    XMLNode* element = new XMLNode(ToNarrow(name), parent);
    if (!m_root)
        m_root = element;
    return element;
}

void XMLScanner::StoreAttribute(XMLNode* element, const std::wstring& name, std::wstring_view value)
{
    ToNarrow(name, m_narrowName);
    XMLValue* const stored = element->AddAttribute(m_narrowName);
    if (!stored)
        Fail(7);
    StoreText(*stored, value);
}

void XMLScanner::StoreText(XMLValue& target, std::wstring_view text)
{
    std::string narrow;
    if (AsciiToNarrow(text, narrow))
        target.SetString(std::move(narrow));
    else
        target.SetWideString(std::wstring(text));
}

void XMLScanner::Fail(u32 code) const
{
    throw VelkorEngine::FileError("XML format error at line " + std::to_string(m_line) + ": code " +
                                  std::to_string(code));
}
}
