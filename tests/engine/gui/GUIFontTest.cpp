// Fonts: the glyph file's checks and round trip, measuring, the quads of a depth copy and the case copies.
#include "engine/gui/GUIFont.h"

#include "engine/core/Error.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "tests/support/GUIFontTestFiles.h"
#include "tests/support/GUITestBed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

using namespace VelkorEngine;
using KorvaneTools::FontGlyph;

namespace
{
using TestSupport::kFontTolerance;

std::string ReplaceAt(std::string bytes, size_t offset, const void* data, size_t size)
{
    std::memcpy(bytes.data() + offset, data, size);
    return bytes;
}

template <typename Value>
std::string PutAt(const std::string& bytes, size_t offset, Value value)
{
    return ReplaceAt(bytes, offset, &value, sizeof(value));
}

class GUIFontTest : public testing::Test
{
protected:
    GUIFontManager& Fonts() { return *bed.Manager().GetFontManager(); }
    TestSupport::TempFolder& Folder() { return bed.engine.folder; }

    // A font whose letters are half a size wide, "W" a whole one and "i" a quarter.
    GUIFont* Proportional(f32 size = 20.0f)
    {
        std::vector<FontGlyph> glyphs = TestSupport::GridGlyphs(L"abcdefghjklmnopqrstuvxyz", 0.5f);
        for (const FontGlyph& g : TestSupport::GridGlyphs(L"W", 1.0f))
            glyphs.push_back(g);
        for (const FontGlyph& g : TestSupport::GridGlyphs(L"i", 0.25f))
            glyphs.push_back(g);
        GUIFont* font = Fonts().CreateFont(0, nullptr, TestSupport::WriteFontFile(Folder(), "proportional", glyphs));
        font->SetSize(size);
        font->SetSpace(0.3f);
        return font;
    }

    std::string Refused(const std::string& bytes)
    {
        Folder().WriteFile("bad.vef", bytes);
        try
        {
            Fonts().CreateFont(7, nullptr, Folder() / "bad.vef");
        }
        catch (const FileError& error)
        {
            EXPECT_EQ(Fonts().GetFont(7), nullptr);
            return error.GetMessage();
        }
        return "accepted";
    }

    TestSupport::GUITestBed bed;
};

TEST_F(GUIFontTest, BadFilesAreRefusedWithTheirMessages)
{
    const std::string good = KorvaneTools::WriteFontFile(TestSupport::GridGlyphs(L"ab", 0.5f));
    const std::string name = Folder() / "bad.vef";
    const std::string format = "Incorrect \"" + name + "\" file format";
    const std::string version = "Incorrect \"" + name + "\" format version, current is 201";
    struct Case
    {
        const char* what;
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"stored length one short", PutAt<u32>(good, 0, static_cast<u32>(good.size() - 1)), format},
        {"wrong magic", ReplaceAt(good, 4, "VEFNX", 5), format},
        {"version 200", PutAt<u32>(good, 9, 200), version},
        {"version 202", PutAt<u32>(good, 9, 202), version},
        {"count larger than the records", PutAt<u32>(good, 13, 3), format},
        {"count smaller than the records", PutAt<u32>(good, 13, 1), format},
        {"huge count", PutAt<u32>(good, 13, 0xFFFFFFFFu), format},
        {"header only", PutAt<u32>(good.substr(0, 13), 0, 13), format},
        {"rectangle past the right edge", PutAt<f32>(good, 17 + 2, 0.99f), format},
        {"negative height", PutAt<f32>(good, 17 + 14, -0.1f), format},
        {"width not a number", PutAt<f32>(good, 17 + 18, std::nanf("")), format},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Refused(c.bytes), c.message) << c.what;
}

TEST_F(GUIFontTest, TheWritersGlyphsReadBackWithTheFirstOfTwoCodesKept)
{
    std::vector<FontGlyph> glyphs = TestSupport::GridGlyphs(L"aП", 0.5f);
    FontGlyph wide = glyphs[0];
    wide.width = 0.9f;
    wide.u = 0.5f;
    glyphs.push_back(wide);
    glyphs.push_back(TestSupport::GridGlyphs(L"W", 0.75f)[0]);
    GUIFont* font = Fonts().CreateFont(3, nullptr, TestSupport::WriteFontFile(Folder(), "round", glyphs));

    ASSERT_EQ(font->GetGlyphs().size(), 3u);
    for (const FontGlyph& written : {glyphs[0], glyphs[1], glyphs[3]})
    {
        const GUIFont::Glyph& read = font->GetGlyphs().at(written.code);
        EXPECT_EQ(read.code, written.code);
        EXPECT_EQ(read.u, written.u);
        EXPECT_EQ(read.v, written.v);
        EXPECT_EQ(read.du, written.du);
        EXPECT_EQ(read.dv, written.dv);
        EXPECT_EQ(read.width, written.width);
    }
    EXPECT_FLOAT_EQ(font->GetCellWidth(), 0.9f) << "the later duplicate still counts for the cell";
    EXPECT_TRUE(font->HasGlyph(L'П'));
    EXPECT_FALSE(font->HasGlyph(L'b'));
    EXPECT_FALSE(font->HasGlyph(0x10000 + L'a'));
}

struct SizeCase
{
    const wchar_t* text;
    f32 angle;
    f32 size;
    f32 width;
    f32 height;
};

TEST_F(GUIFontTest, TextsMeasureTheBoxOfTheirGlyphBoxes)
{
    Proportional();
    const GUIFont& font = *Fonts().GetFont(0);
    const f32 halfPi = std::numbers::pi_v<f32> / 2.0f;
    const SizeCase cases[] = {
        {L"", 0.0f, -1.0f, 0.0f, 0.0f},
        {L" ", 0.0f, -1.0f, 6.0f, 20.0f},         // a space is the space advance
        {L"ab", 0.0f, -1.0f, 20.0f, 20.0f},       // 10 + 10
        {L"Wi", 0.0f, -1.0f, 25.0f, 20.0f},       // 20 + 5
        {L"a?", 0.0f, -1.0f, 16.0f, 20.0f},       // no glyph: a space's advance
        {L"a\nb", 0.0f, -1.0f, 26.0f, 20.0f},     // a line feed is only an advance
        {L"ab", 0.0f, 10.0f, 10.0f, 10.0f},       // the size argument wins
        {L"ab", 0.0f, 0.0f, 0.0f, 0.0f},          // even when 0
        {L"ab", halfPi, -1.0f, 20.0f, 20.0f},
        {L"Wi", halfPi, -1.0f, 20.0f, 25.0f},     // turned upright: width and height change places
    };
    for (const SizeCase& c : cases)
    {
        const Vector2 size = font.GetTextSize(c.text, c.angle, c.size);
        EXPECT_NEAR(size.x, c.width, kFontTolerance) << "\"" << testing::PrintToString(std::wstring(c.text)) << "\"";
        EXPECT_NEAR(size.y, c.height, kFontTolerance) << testing::PrintToString(std::wstring(c.text));
    }
}

class GUIFontDrawTest : public GUIFontTest
{
protected:
    struct Vertex
    {
        f32 x, y, z;
        u32 color;
        f32 u, v;
    };

    static Vertex VertexAt(const GUIFont& font, u32 index)
    {
        const VertexBuffer& buffer = *font.GetModel()->vertexBuffer;
        const u8* at = buffer.GetData() + static_cast<size_t>(index) * buffer.GetStride();
        Vertex vertex{};
        std::memcpy(&vertex.x, at, 12);
        std::memcpy(&vertex.color, at + VertexBuffer::ColorOffset, 4);
        std::memcpy(&vertex.u, at + buffer.GetTextureOffset(), 8);
        return vertex;
    }

    GUIFont& Copy()
    {
        if (Fonts().GetFont(0) == nullptr)
            Proportional();
        m_copy = std::make_unique<GUIFont>(*Fonts().GetFont(0));
        return *m_copy;
    }

    std::unique_ptr<GUIFont> m_copy;
};

TEST_F(GUIFontDrawTest, AQuadHasItsCornersAndTextureCornersInOrder)
{
    GUIFont& copy = Copy();
    copy.DrawText(Vector2(100.0f, 50.0f), 0.0f, Color(1.0f, 0.0f, 0.0f, 1.0f), L"a b");
    ASSERT_EQ(copy.GetQueuedCount(), 2u) << "the blank writes no quad";
    EXPECT_EQ(copy.GetModel()->indexBuffer->GetIndexCount(), 12u);

    const GUIFont::Glyph& a = copy.GetGlyphs().at(L'a');
    const Vertex expected[4] = {{100.0f, 70.0f, 0.0f, 0, a.u, a.v + a.dv},
                                {100.0f, 50.0f, 0.0f, 0, a.u, a.v},
                                {110.0f, 70.0f, 0.0f, 0, a.u + a.du, a.v + a.dv},
                                {110.0f, 50.0f, 0.0f, 0, a.u + a.du, a.v}};
    for (u32 i = 0; i < 4; ++i)
    {
        const Vertex got = VertexAt(copy, i);
        EXPECT_NEAR(got.x, expected[i].x, kFontTolerance) << i;
        EXPECT_NEAR(got.y, expected[i].y, kFontTolerance) << i;
        EXPECT_EQ(got.z, 0.0f);
        EXPECT_EQ(got.u, expected[i].u) << i;
        EXPECT_EQ(got.v, expected[i].v) << i;
    }
    // "b" starts after "a" (10) and the blank (6).
    EXPECT_NEAR(VertexAt(copy, 5).x, 116.0f, kFontTolerance);
    Color color;
    copy.GetModel()->vertexBuffer->ColorToFloats(color, VertexAt(copy, 0).color);
    EXPECT_FALSE(color != Color(1.0f, 0.0f, 0.0f, 1.0f));
}

TEST_F(GUIFontDrawTest, TheQuadsOfAFrameStopAtTheLimitAndTheNextFrameStartsAgain)
{
    GUIFont& copy = Copy();
    copy.DrawText(Vector2(0.0f, 0.0f), 0.0f, Color(1.0f, 1.0f, 1.0f, 1.0f), std::wstring(GUIFont::MaxQuads + 1, L'a'));
    EXPECT_EQ(copy.GetQueuedCount(), GUIFont::MaxQuads);
    EXPECT_EQ(copy.GetModel()->indexBuffer->GetIndexCount(), GUIFont::MaxQuads * 6);
    copy.Finish();
    EXPECT_EQ(copy.GetQueuedCount(), 0u);
    EXPECT_FALSE(copy.GetModel()->vertexBuffer->IsLocked());
    EXPECT_EQ(copy.GetModel()->indexBuffer->GetIndexCount(), GUIFont::MaxQuads * 6) << "drawn in this frame";
    copy.DrawText(Vector2(0.0f, 0.0f), 0.0f, Color(1.0f, 1.0f, 1.0f, 1.0f), L"ab");
    EXPECT_EQ(copy.GetQueuedCount(), 2u);
    copy.Finish();
    copy.Finish();
    EXPECT_EQ(copy.GetModel()->indexBuffer->GetIndexCount(), 0u) << "a frame with nothing draws nothing";
}

TEST_F(GUIFontDrawTest, MonospaceGlyphsAreCentredInCellsOfOneWidth)
{
    GUIFont* base = Proportional(10.0f);
    base->SetMonospace(true);
    base->SetShift(2.0f);
    GUIFont& copy = Copy();
    // Cells of 1.0 (the widest glyph) × size 10 × shift 2 = 20; "i" (0.25) is centred: 7.5 before it.
    copy.DrawText(Vector2(0.0f, 0.0f), 0.0f, Color(1.0f, 1.0f, 1.0f, 1.0f), L"iW?i");
    ASSERT_EQ(copy.GetQueuedCount(), 3u);
    const f32 lowerLeftX[3] = {7.5f, 20.0f, 67.5f};
    for (u32 q = 0; q < 3; ++q)
        EXPECT_NEAR(VertexAt(copy, q * 4 + 1).x, lowerLeftX[q], kFontTolerance) << q;
    EXPECT_NEAR(VertexAt(copy, 2).x - VertexAt(copy, 1).x, 2.5f, kFontTolerance) << "the box keeps the glyph's width";
}

TEST_F(GUIFontDrawTest, ACopyTakesItsSourcesSizeAtEveryDraw)
{
    GUIFont& copy = Copy();
    Fonts().GetFont(0)->SetSize(40.0f);
    copy.DrawText(Vector2(0.0f, 0.0f), 0.0f, Color(1.0f, 1.0f, 1.0f, 1.0f), L"a");
    EXPECT_EQ(copy.GetSize(), 40.0f);
    EXPECT_NEAR(VertexAt(copy, 0).y, 40.0f, kFontTolerance);
}

TEST_F(GUIFontTest, CaseCopiesFillOnlyTheMissingLetters)
{
    const std::string file = TestSupport::WriteFontFile(Folder(), "case", TestSupport::GridGlyphs(L"abBпЯ", 0.5f));
    GUIFont* lower = Fonts().CreateFont(0, nullptr, file);
    lower->SetCaseLower();
    EXPECT_EQ(lower->GetGlyphs().at(L'A').u, lower->GetGlyphs().at(L'a').u);
    EXPECT_NE(lower->GetGlyphs().at(L'B').u, lower->GetGlyphs().at(L'b').u) << "its own B stays";
    EXPECT_EQ(lower->GetGlyphs().at(L'П').u, lower->GetGlyphs().at(L'п').u);
    EXPECT_EQ(lower->GetGlyphs().at(L'A').code, L'A');

    GUIFont* upper = Fonts().CreateFont(1, nullptr, file);
    upper->SetCaseUpper();
    EXPECT_EQ(upper->GetGlyphs().at(L'я').u, upper->GetGlyphs().at(L'Я').u);
    EXPECT_FALSE(upper->HasGlyph(L'A'));
    EXPECT_EQ(upper->GetGlyphs().size(), 6u);
}
}
