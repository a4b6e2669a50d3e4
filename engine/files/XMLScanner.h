// The character scanner behind XMLParser: walks a whole document's text and builds the XMLNode tree,
// raising "XML format error at line N: code K" for malformed text.
#pragma once

#include "engine/files/XMLNode.h"

#include <string>
#include <string_view>
#include <vector>

namespace GameTools
{
class XMLScanner
{
public:
    // Elements nest at most this deep; deeper documents are rejected with code 16 rather than building
    // trees that recursive readers of the tree could not walk.
    static constexpr u32 MaxDepth = 1024;

    // With a null root the document's first element becomes the root and is stored through it; otherwise
    // every top-level element becomes a child of the given root. Elements stay in the tree on failure.
    explicit XMLScanner(XMLNode*& root);

    // Throws VelkorEngine::FileError on malformed text.
    void Scan(const std::wstring& text);

private:
    // Takes the element text before the next '<' (or the end); gives where it stopped.
    const wchar_t* TakeContent(const wchar_t* from, const wchar_t* end);
    // Reads a whole tag in place when nothing in it is dropped or unusual; gives where the tag ended, or
    // null to have it read character by character.
    const wchar_t* TakeWholeTag(const wchar_t* from, const wchar_t* end);
    // Appends the characters before the next stop character to into; gives the stop's position or end.
    const wchar_t* TakeRun(const wchar_t* from, const wchar_t* end, wchar_t stop, std::wstring& into);
    const wchar_t* TakeTagRun(const wchar_t* from, const wchar_t* end);
    void ScanOutsideTag(wchar_t c);
    void ScanInsideTag(wchar_t c);
    void StartTag();
    void EndTag(std::wstring_view tag);
    void CloseElement(std::wstring_view tag);
    void OpenElement(std::wstring_view tag);
    size_t ReadElementName(std::wstring_view tag, bool& selfClosing);
    void ReadAttributes(XMLNode* element, std::wstring_view tag, size_t from, bool& selfClosing);
    XMLNode* CreateElement(const std::wstring& name, XMLNode* parent);
    void StoreAttribute(XMLNode* element, const std::wstring& name, std::wstring_view value);
    static void StoreText(XMLValue& target, std::wstring_view text);
    [[noreturn]] void Fail(u32 code) const;

    XMLNode*& m_root;
    XMLNode* m_current;
    u32 m_depth = 0;
    u32 m_line = 1;
    std::wstring m_tag;
    // The element text gathered since the last opening tag, as runs of the document: runs before the last
    // are all blank, since a run that is not is stored when its tag starts.
    std::vector<std::wstring_view> m_content;
    // Buffers of the opening-tag reader, kept between tags so that reading allocates only what the tree keeps.
    std::wstring m_elementName;
    std::wstring m_attributeName;
    std::string m_narrowName;
    std::string m_narrowValue;
    bool m_inTag = false;
    bool m_closing = false;
    bool m_inDeclaration = false;
    bool m_inQuote = false;
    wchar_t m_quote = 0;
};
}
