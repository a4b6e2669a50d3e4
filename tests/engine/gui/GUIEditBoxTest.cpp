// The edit box: typing, the editing keys, both limits, the scrolled view, the caret's blink and its sound.
#include "engine/gui/GUIEditBox.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFontManager.h"
#include "tests/support/GUIFontTestFiles.h"
#include "tests/support/GUITestBed.h"
#include "tests/support/TypedKeys.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VelkorEngine;
using TestSupport::Characters;
using TestSupport::EditingKey;
using TestSupport::TypedKey;

namespace
{
constexpr u16 kBackspace = GUIEditBox::KeyBackspace;
constexpr u16 kLeft = GUIEditBox::KeyLeft;
constexpr u16 kRight = GUIEditBox::KeyRight;
constexpr u16 kHome = GUIEditBox::KeyHome;
constexpr u16 kEnd = GUIEditBox::KeyEnd;
constexpr u16 kInsert = GUIEditBox::KeyInsert;
constexpr u16 kDelete = GUIEditBox::KeyDelete;

// Every glyph of the font is 10 units wide (0.5 at size 20), the caret "_" too; it has no blank and no "?".
class GUIEditBoxTest : public testing::Test
{
protected:
    GUIEditBoxTest()
    {
        TestSupport::CreateGridFont(*bed.Manager().GetFontManager(), bed.engine.folder, 0,
                                    L"abcdefghijklmnopqrstuvwxyzXY_Жж", 0.5f, 20.0f);
    }

    GUIEditBox& Box(u32 maximumLength, f32 maximumWidth = 1000.0f, f32 visibleWidth = 1000.0f)
    {
        const GUIEditBox::TextLimits limits{maximumLength, maximumWidth, visibleWidth};
        m_box = std::make_unique<GUIEditBox>(bed.Services(), GUIWindow::StateVisible, Vector2(0.0f, 0.0f),
                                             Vector2(300.0f, 30.0f), static_cast<const Model*>(nullptr), 0,
                                             Color(1.0f, 1.0f, 1.0f, 1.0f), Vector2(2.0f, 3.0f), limits, L'_', nullptr);
        return *m_box;
    }

    // One frame per key, as the controls hand them out.
    void Type(const std::vector<TypedKey>& keys)
    {
        for (const TypedKey& key : keys)
        {
            TestSupport::SendTypedKey(bed.engine.GetEngine(), key);
            Pass();
        }
    }

    void Pass()
    {
        bed.engine.GetEngine().Render();
        m_box->HandleMouse(Vector2(0.0f, 0.0f), false, false);
        bed.engine.GetEngine().GetControls()->ClearPressed();
    }

    void SetTime(f32 seconds) { bed.engine.GetEngine().GetTimerManager()->GetFrameTimer()->SetTime(seconds); }

    TestSupport::GUITestBed bed;
    std::unique_ptr<GUIEditBox> m_box;
};

std::vector<TypedKey> operator+(std::vector<TypedKey> keys, const std::vector<TypedKey>& more)
{
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

std::vector<TypedKey> Keys(std::initializer_list<u16> codes)
{
    std::vector<TypedKey> keys;
    for (const u16 code : codes)
        keys.push_back(EditingKey(code));
    return keys;
}

struct EditCase
{
    const char* what;
    u32 maximumLength;
    f32 maximumWidth;
    std::vector<TypedKey> keys;
    std::wstring text;
    u32 caret;
};

TEST_F(GUIEditBoxTest, EditingKeysAndLimits)
{
    const EditCase cases[] = {
        {"typing", 10, 1000.0f, Characters(L"abc"), L"abc", 3},
        {"a full text keeps the caret on its last character", 5, 1000.0f, Characters(L"abcdef"), L"abcde", 4},
        {"Backspace in a full text takes the last character", 5, 1000.0f, Characters(L"abcde") + Keys({kBackspace}),
         L"abcd", 4},
        {"and then the one before the caret", 5, 1000.0f, Characters(L"abcde") + Keys({kBackspace, kBackspace}),
         L"abc", 3},
        {"Backspace takes the character before the caret", 10, 1000.0f,
         Characters(L"abc") + Keys({kLeft, kBackspace}), L"ac", 1},
        {"Backspace at the start does nothing", 10, 1000.0f, Characters(L"abc") + Keys({kHome, kBackspace}), L"abc", 0},
        {"Home then Delete", 10, 1000.0f, Characters(L"abc") + Keys({kHome, kDelete}), L"bc", 0},
        {"Delete at the end does nothing", 10, 1000.0f, Characters(L"abc") + Keys({kDelete}), L"abc", 3},
        {"inserting in the middle", 10, 1000.0f, Characters(L"ace") + Keys({kLeft, kLeft}) + Characters(L"b"),
         L"abce", 2},
        {"Right stops at the end, End goes there", 10, 1000.0f,
         Characters(L"abc") + Keys({kHome, kRight, kRight, kRight, kRight, kHome, kEnd}), L"abc", 3},
        {"overwriting replaces even in a full text", 5, 1000.0f,
         Characters(L"abcde") + Keys({kHome, kRight, kInsert}) + Characters(L"XY"), L"aXYde", 3},
        {"overwriting at the end appends", 10, 1000.0f, Characters(L"ab") + Keys({kInsert}) + Characters(L"c"),
         L"abc", 3},
        {"no glyph, no character; a blank needs none", 10, 1000.0f, Characters(L"a?b cЖ"), L"ab cЖ", 5},
        {"the width limit", 10, 35.0f, Characters(L"abcd"), L"abc", 3},
        {"a refused insert leaves the text", 3, 1000.0f, Characters(L"abc") + Keys({kHome}) + Characters(L"x"),
         L"abc", 0},
    };
    for (const EditCase& c : cases)
    {
        Box(c.maximumLength, c.maximumWidth);
        Type(c.keys);
        EXPECT_EQ(m_box->GetText(), c.text) << c.what;
        EXPECT_EQ(m_box->GetCaret(), c.caret) << c.what;
    }
}

TEST_F(GUIEditBoxTest, EveryEditPlaysTheEditSoundAndOtherKeysDoNot)
{
    Box(10);
    Type(Characters(L"ab?") + Keys({kLeft, kInsert, kHome, kEnd, kBackspace, kDelete}));
    EXPECT_EQ(bed.sounds.played, (std::vector<u32>{10, 10, 10}));
}

// Checked after every key: the caret lies inside the view, and the view starts before the caret.
TEST_F(GUIEditBoxTest, TheViewFollowsTheCaretInStepsOfUpToFive)
{
    // Five units of 10 fit: four characters and the caret.
    Box(40, 1000.0f, 50.0f);
    u32 lastScroll = 0;
    for (const TypedKey& key : Characters(L"abcdefghijklmnopqrstuvwxyz"))
    {
        Type({key});
        const u32 scroll = m_box->GetScrollStart();
        EXPECT_LE(scroll, m_box->GetCaret());
        EXPECT_LE((m_box->GetCaret() - scroll + 1) * 10.0f, 50.0f) << "caret " << m_box->GetCaret();
        EXPECT_LE(scroll - lastScroll, GUIEditBox::ScrollStep);
        lastScroll = scroll;
    }
    Type(Keys({kHome}));
    EXPECT_EQ(m_box->GetScrollStart(), 0u);
    for (int i = 0; i < 26; ++i)
    {
        Type(Keys({kRight}));
        EXPECT_LE(m_box->GetScrollStart(), m_box->GetCaret());
        EXPECT_LE((m_box->GetCaret() - m_box->GetScrollStart() + 1) * 10.0f, 50.0f);
    }
    for (int i = 0; i < 26; ++i)
    {
        Type(Keys({kLeft}));
        EXPECT_LE(m_box->GetScrollStart(), m_box->GetCaret());
    }
    EXPECT_EQ(m_box->GetScrollStart(), 0u);
}

TEST_F(GUIEditBoxTest, ACaretWiderThanTheViewNeitherHangsNorScrollsPastIt)
{
    Box(10, 1000.0f, 5.0f);
    Type(Characters(L"abc") + Keys({kLeft}));
    EXPECT_EQ(m_box->GetCaret(), 2u);
    EXPECT_LE(m_box->GetScrollStart(), 2u);
    m_box->SetText(L"abcdefghijklmnop");
    EXPECT_EQ(m_box->GetCaret(), 9u) << "a text longer than the limit puts the caret on the last place";
    EXPECT_EQ(m_box->GetScrollStart(), 9u);
    Type(Keys({kRight, kEnd, kBackspace}));
    EXPECT_LE(m_box->GetScrollStart(), m_box->GetCaret());
}

TEST_F(GUIEditBoxTest, TheViewDrawsTheRunThatFitsAndTheCaretAfterIt)
{
    Box(40, 1000.0f, 50.0f);
    m_box->SetText(L"abcdefgh");
    SetTime(0.1f);
    Pass();
    ASSERT_EQ(m_box->GetTextCount(), 2u);
    const u32 scroll = m_box->GetScrollStart();
    EXPECT_EQ(scroll, 4u);
    EXPECT_EQ(m_box->GetText(0).text, L"efgh");
    EXPECT_EQ(m_box->GetText(0).offset.x, 2.0f);
    EXPECT_EQ(m_box->GetText(0).offset.y, 3.0f);
    EXPECT_EQ(m_box->GetText(1).text, L"_");
    EXPECT_NEAR(m_box->GetText(1).offset.x, 2.0f + 40.0f, 0.0001f);
    EXPECT_EQ(m_box->GetText(1).offset.y, 3.0f);
}

TEST_F(GUIEditBoxTest, TheCaretBlinksEveryPointFourSecondsOnlyWhileFocused)
{
    Box(10);
    const struct
    {
        f32 time;
        bool shown;
    } times[] = {{0.0f, true}, {0.39f, true}, {0.4f, false}, {0.79f, false}, {0.8f, true}};
    for (const auto& t : times)
    {
        SetTime(t.time);
        Pass();
        EXPECT_EQ(m_box->GetTextCount(), t.shown ? 1u : 0u) << t.time;
        m_box->Render();
    }
    m_box->SetFocused(false);
    SetTime(0.0f);
    Type(Characters(L"a"));
    EXPECT_EQ(m_box->GetText(), L"") << "an unfocused box takes no keys";
    EXPECT_EQ(m_box->GetTextCount(), 0u);
}

TEST_F(GUIEditBoxTest, TheTextFadesWithTheBoxAndABoxWithoutAFontDoesNothing)
{
    auto box = std::make_unique<GUIEditBox>(bed.Services(), GUIWindow::StateVisible | GUIWindow::StateColored,
                                            Vector2(0.0f, 0.0f),
                                            Vector2(300.0f, 30.0f), nullptr, 0, Color(1.0f, 1.0f, 1.0f, 0.5f),
                                            Vector2(0.0f, 0.0f), GUIEditBox::TextLimits{10, 1000.0f, 1000.0f}, L'_',
                                            nullptr, Vector2(1.0f, 1.0f));
    box->SetColor(Color(1.0f, 1.0f, 1.0f, 0.5f));
    box->SetText(L"ab");
    SetTime(0.0f);
    EXPECT_TRUE(box->HandleMouse(Vector2(0.0f, 0.0f), false, false));
    ASSERT_GE(box->GetTextCount(), 1u);
    EXPECT_NEAR(box->GetText(0).color.a, 0.25f, 0.01f);

    box->SetFont(7);
    box->Render();
    EXPECT_FALSE(box->HandleMouse(Vector2(0.0f, 0.0f), false, false));
    EXPECT_EQ(box->GetTextCount(), 0u);
}
}
