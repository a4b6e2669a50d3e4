// Line breaks, comments and zeros of a whole text, handled as the line reader handles them line by line.
#include "engine/files/JoinedLines.h"

#include "engine/files/TextEncoding.h"

namespace VelkorEngine
{
JoinedLines::JoinedLines(std::wstring& text, size_t capacity, bool afterALine, bool stripComments,
                         bool zeroEndsLine)
    : m_text(text), m_stripComments(stripComments), m_zeroEndsLine(zeroEndsLine), m_atStart(afterALine)
{
    m_text.resize(capacity);
    m_out = m_text.data();
}

void JoinedLines::Put(u32 raw, u32 code)
{
    const bool lineFeed = raw == '\n';
    if (m_afterCarriageReturn)
    {
        m_afterCarriageReturn = false;
        if (lineFeed)
            return;
    }
    if (lineFeed || raw == '\r')
        return Break(!lineFeed);
    m_atStart = false;
    if (m_skippingLine)
        return;
    const bool slash = raw == '/';
    if (slash && m_afterSlash && m_stripComments)
    {
        // The first '/' of the two was written already.
        --m_out;
        m_skippingLine = true;
        return;
    }
    m_afterSlash = slash;
    if (code == 0 && m_zeroEndsLine)
        m_skippingLine = true;
    else if (code != NoCodePoint)
        *m_out++ = static_cast<wchar_t>(code);
}

void JoinedLines::Break(bool carriageReturn)
{
    m_afterCarriageReturn = carriageReturn;
    if (m_atStart)
    {
        m_atStart = false;
        return;
    }
    *m_out++ = L'\r';
    *m_out++ = L'\n';
    m_afterSlash = m_skippingLine = false;
}

void JoinedLines::Finish() { m_text.resize(static_cast<size_t>(m_out - m_text.data())); }
}
