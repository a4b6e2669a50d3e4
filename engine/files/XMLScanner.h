// The character scanner behind XMLParser: walks a whole document's text and builds the XMLNode tree,
// raising "XML format error at line N: code K" for malformed text. It reads wide text, or UTF-8 bytes
// directly when they hold no C1 control character: bytes are classed one at a time, and those of a C1
// control, which a tag drops as invisible, look like the bytes of visible characters. Both give the same tree.
#pragma once

#include "engine/files/XMLNode.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace GameTools
{
template <class Char>
class BasicXMLScanner
{
public:
    using Text = std::basic_string<Char>;
    using View = std::basic_string_view<Char>;

    // Elements nest at most this deep; deeper documents are rejected with code 16 rather than building
    // trees that recursive readers of the tree could not walk.
    static constexpr u32 MaxDepth = 1024;

    // With a null root the document's first element becomes the root and is stored through it; otherwise
    // every top-level element becomes a child of the given root. Elements stay in the tree on failure.
    explicit BasicXMLScanner(XMLNode*& root);

    // Throws VelkorEngine::FileError on malformed text.
    void Scan(View text);

private:
    // Takes the element text before the next '<' (or the end); gives where it stopped.
    const Char* TakeContent(const Char* from, const Char* end);
    // Reads a whole tag in place when nothing in it is dropped or unusual; gives where the tag ended, or
    // null to have it read character by character.
    const Char* TakeWholeTag(const Char* from, const Char* end);
    // Reads an opening tag of a name and name="value" pairs apart by white space straight into the tree, in
    // one pass; gives where the tag ended, or null (having changed nothing) for any other tag.
    const Char* TakeSimpleOpeningTag(const Char* from, const Char* end);
    // Finds the name="value" pairs of a simple opening tag from its first blank after the name; gives the
    // tag's '>', or null when the tag is not simple.
    const Char* FindSimpleAttributes(const Char* from, const Char* end, bool& selfClosing);
    // Appends the characters before the next stop character to into; gives the stop's position or end.
    const Char* TakeRun(const Char* from, const Char* end, Char stop, Text& into);
    const Char* TakeTagRun(const Char* from, const Char* end);
    void ScanOutsideTag(Char c);
    void ScanInsideTag(Char c);
    void StartTag();
    void EndTag(View tag);
    void CloseElement(View tag);
    void OpenElement(View tag);
    size_t ReadElementName(View tag, bool& selfClosing);
    void ReadAttributes(XMLNode* element, View tag, size_t from, bool& selfClosing);
    XMLNode* CreateElement(View name, XMLNode* parent);
    void StoreAttribute(XMLNode* element, View name, View value);
    [[noreturn]] void Fail(u32 code) const;

    XMLNode*& m_root;
    XMLNode* m_current;
    u32 m_depth = 0;
    u32 m_line = 1;
    Text m_tag;
    // The element text gathered since the last opening tag, as runs of the document: runs before the last
    // are all blank, since a run that is not is stored when its tag starts.
    std::vector<View> m_content;
    // Buffers of the opening-tag reader, kept between tags so that reading allocates only what the tree keeps.
    Text m_elementName;
    Text m_attributeName;
    std::string m_narrowName;
    // The name and value of each attribute of a simple opening tag, found before the element is made.
    std::vector<std::pair<View, View>> m_simpleAttributes;
    bool m_inTag = false;
    bool m_closing = false;
    bool m_inDeclaration = false;
    bool m_inQuote = false;
    Char m_quote = 0;
};

// The scanner of wide text, whose limits tell those of both.
using XMLScanner = BasicXMLScanner<wchar_t>;
}
