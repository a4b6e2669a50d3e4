// Text and the console drawn for real through OpenGL on SDL's offscreen driver. The glyph atlas paints the
// top and bottom halves of "A" and "Ж" in different colours, so the screenshot tells whether the text stands
// upright and where it was placed; the console is opened by its key and a typed command changes its alpha.
// The virtual screen and the window are both 800 x 600: a GUI point is the screenshot's pixel.
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/files/Image.h"
#include "engine/gui/GUIFont.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/win32/WindowApi.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/ScriptedKeyboard.h"
#include "tests/support/ScriptedMouse.h"
#include "tests/support/TempFolder.h"
#include "tools/formats/FontFileWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace VelkorEngine;

namespace
{
struct Rgb
{
    int r;
    int g;
    int b;
};

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kWhite{255, 255, 255};

// Left half "A": red above green; right half "Ж": blue above yellow. Rows count from the picture's bottom.
ImageTest::Picture GlyphAtlas()
{
    ImageTest::Picture picture{64, 64, 4, std::vector<u8>(64 * 64 * 4)};
    for (u32 y = 0; y < 64; ++y)
        for (u32 x = 0; x < 64; ++x)
        {
            const bool top = y >= 32;
            const bool right = x >= 32;
            const Rgb colour = right ? (top ? kBlue : kYellow) : (top ? kRed : kGreen);
            u8* pixel = picture.pixels.data() + (static_cast<size_t>(y) * 64 + x) * 4;
            pixel[0] = static_cast<u8>(colour.r);
            pixel[1] = static_cast<u8>(colour.g);
            pixel[2] = static_cast<u8>(colour.b);
            pixel[3] = 255;
        }
    return picture;
}

ImageTest::Picture SolidBlue()
{
    ImageTest::Picture picture{8, 8, 4, std::vector<u8>(8 * 8 * 4)};
    for (size_t i = 0; i < picture.pixels.size(); i += 4)
    {
        picture.pixels[i + 2] = 255;
        picture.pixels[i + 3] = 255;
    }
    return picture;
}

// "A" and "Ж" on their halves, square; every other printable character on a corner of "A".
std::vector<KorvaneTools::FontGlyph> Glyphs()
{
    std::vector<KorvaneTools::FontGlyph> glyphs;
    glyphs.push_back({L'A', 0.0f, 0.0f, 0.5f, 1.0f, 1.0f});
    glyphs.push_back({L'Ж', 0.5f, 0.0f, 0.5f, 1.0f, 1.0f});
    for (wchar_t c = 0x21; c <= 0x7E; ++c)
        if (c != L'A')
            glyphs.push_back({static_cast<u16>(c), 0.0f, 0.0f, 0.01f, 0.01f, 0.5f});
    return glyphs;
}

class GUITextPixelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        clock.SetMilliseconds(1000);
        EngineParameters parameters;
        parameters.applicationName = "Text Pixels";
        parameters.version = 100;
        parameters.basePath = folder.Path();
        parameters.dataFolder = "Data";
        parameters.writeLog = 0;
        parameters.saveSettingsOnExit = 0;
        parameters.defaultVideoMode = "800x600x32";
        parameters.defaultFullScreen = 0;
        parameters.centreWindow = 1;
        parameters.minimizeOnFocusLoss = 0;
        engine = std::make_unique<Engine>(parameters);
        gui = engine->GetGUIManager();
        gui->SetSize(800.0f, 600.0f);

        const std::string atlas = folder / "glyphs.tga";
        ImageTest::WriteBytes(atlas, ImageTest::MakeTga(GlyphAtlas()));
        folder.WriteFile("glyphs.vef", KorvaneTools::WriteFontFile(Glyphs()));
        const ShaderDescriptor shader = BuildTextureShaderDescriptor(1, 1, atlas, "", false);
        gui->GetFontManager()->CreateFont(0, &shader, folder / "glyphs.vef")->SetSize(100.0f);
    }

    void TearDown() override { engine.reset(); }

    void RunFrame()
    {
        clock.AdvanceSeconds(1.0 / 60.0);
        engine->Render();
        engine->Frame(0);
    }

    Image Screenshot()
    {
        Image shot;
        engine->GetRenderSystem()->TakeScreenshot(shot);
        return shot;
    }

    static void ExpectColour(const Image& shot, u32 x, u32 y, Rgb expected)
    {
        ASSERT_EQ(shot.GetWidth(), 800u);
        ASSERT_EQ(shot.GetHeight(), 600u);
        const u32 channels = static_cast<u32>(shot.GetBitsPerPixel()) / 8;
        const u8* pixel = shot.GetData() + (static_cast<size_t>(y) * shot.GetWidth() + x) * channels;
        EXPECT_NEAR(pixel[0], expected.r, 24) << "at " << x << ", " << y;
        EXPECT_NEAR(pixel[1], expected.g, 24) << "at " << x << ", " << y;
        EXPECT_NEAR(pixel[2], expected.b, 24) << "at " << x << ", " << y;
    }

    void Type(UINT message, WPARAM code)
    {
        SendMessage(engine->GetWindow()->GetHandle(), message, code, 0);
        RunFrame();
    }

    TestSupport::TempFolder folder;
    TestSupport::FakeClock clock;
    TestSupport::ScriptedMouse mouse;
    std::unique_ptr<Engine> engine;
    GUIManager* gui = nullptr;
};

TEST_F(GUITextPixelTest, LatinAndCyrillicLettersStandUprightWhereTheirFlagsPutThem)
{
    GUIWindow* window = gui->CreateQuadWindow(GUIWindow::StateVisible | GUIWindow::StateColored,
                                              Vector2(100.0f, 100.0f), Vector2(600.0f, 400.0f), nullptr, nullptr,
                                              Vector2(1.0f, 1.0f));
    window->SetColor(Color(0.5f, 0.5f, 0.5f, 1.0f));
    // Centred: "AЖ" is 200 x 100, so it spans x 300-500 and y 250-350.
    window->AddText(1 | 2, 0, Vector2(0.0f, 0.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), L"AЖ", 0.0f, -1.0f);
    RunFrame();
    Image centred = Screenshot();
    ExpectColour(centred, 350, 330, kRed);
    ExpectColour(centred, 350, 270, kGreen);
    ExpectColour(centred, 450, 330, kBlue);
    ExpectColour(centred, 450, 270, kYellow);
    ExpectColour(centred, 290, 300, kGrey);
    ExpectColour(centred, 510, 300, kGrey);

    // Right and top: x 500-700, y 400-500; the texts of the last frame are gone.
    window->AddText(8 | 16, 0, Vector2(0.0f, 0.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), L"AЖ", 0.0f, -1.0f);
    RunFrame();
    Image placed = Screenshot();
    ExpectColour(placed, 550, 480, kRed);
    ExpectColour(placed, 650, 420, kYellow);
    ExpectColour(placed, 350, 330, kGrey);
}

TEST_F(GUITextPixelTest, TheConsoleOpensOnItsKeyAndATypedCommandChangesItsAlpha)
{
    const std::string panel = folder / "console.tga";
    ImageTest::WriteBytes(panel, ImageTest::MakeTga(SolidBlue()));
    GUIWindow* backdrop = gui->CreateQuadWindow(GUIWindow::StateVisible | GUIWindow::StateColored |
                                                    GUIWindow::StateLayerBack,
                                                Vector2(0.0f, 0.0f), Vector2(800.0f, 600.0f), nullptr, nullptr,
                                                Vector2(1.0f, 1.0f));
    backdrop->SetColor(Color(1.0f, 0.0f, 0.0f, 1.0f));
    gui->GetFontManager()->GetFont(0)->SetSize(4.0f);
    engine->CreateConsole(engine->GetVersionString(), BuildTextureShaderDescriptor(1, 1, panel, "32bit", false), 0,
                          '_', ']', '^', "~", 0.95f, 308.0f, 1000.0f);
    RunFrame();
    ExpectColour(Screenshot(), 790, 40, kRed);

    TestSupport::TapKey(SDL_SCANCODE_GRAVE);
    for (int i = 0; i < 30; ++i)
        RunFrame();
    ASSERT_EQ(engine->GetConsole()->GetState(), Console::StateOpen);
    Image open = Screenshot();
    // The panel rose from the bottom and covers the lowest 308 rows.
    ExpectColour(open, 790, 40, Rgb{13, 0, 242});
    ExpectColour(open, 790, 350, kRed);

    for (const char c : std::string("ui_console_alpha 0.5"))
        Type(WM_CHAR, static_cast<WPARAM>(c));
    Type(WM_KEYDOWN, Console::KeyEnter);
    RunFrame();
    ExpectColour(Screenshot(), 790, 40, Rgb{128, 0, 128});
}
}
