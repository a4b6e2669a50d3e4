// Builds in one pass over a whole text what its lines, read one by one and joined by CR LF, give: every line
// break (CR LF, a lone CR or a lone LF) becomes CR LF, the text after the last break is the last line, and
// with comment stripping a line ends at its first "//".
#pragma once

#include "engine/core/Types.h"

#include <algorithm>
#include <string>

namespace VelkorEngine
{
class JoinedLines
{
public:
    // capacity: the most characters that will be written (each break may take one more than it had).
    // afterALine: the text goes on from a read that a line break ended, so a break at its very start only
    // ends that read. zeroEndsLine: a zero character ends its line's text (the rest of the line is dropped).
    JoinedLines(std::wstring& text, size_t capacity, bool afterALine, bool stripComments, bool zeroEndsLine);

    // A character of a plain run: no break, no '/', no zero and nothing above 0x7F.
    static bool IsPlain(u32 c) { return c > 0 && c < 0x80 && c != '\r' && c != '\n' && c != '/'; }

    // raw is the character as breaks and "//" are looked for in it (the byte of an ANSI file), code what is
    // written for it; NoCodePoint writes nothing.
    void Put(u32 raw, u32 code);
    // Characters that are all plain, written as they are.
    template <class Char>
    void PutPlain(const Char* from, const Char* to)
    {
        if (from == to)
            return;
        m_atStart = m_afterCarriageReturn = m_afterSlash = false;
        if (!m_skippingLine)
            m_out = std::copy(from, to, m_out);
    }
    // Gives the text its final length.
    void Finish();

private:
    void Break(bool carriageReturn);

    std::wstring& m_text;
    wchar_t* m_out;
    bool m_stripComments;
    bool m_zeroEndsLine;
    bool m_atStart;
    bool m_afterCarriageReturn = false;
    bool m_afterSlash = false;
    bool m_skippingLine = false;
};
}
