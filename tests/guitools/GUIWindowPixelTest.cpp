// A described window drawn for real through OpenGL on SDL's offscreen driver: a grey panel holding a green
// button, a text label whose glyph is red above green, and a blue slider with a white thumb that the
// scripted mouse drags. The virtual screen and the window are both 800 x 600: a GUI point is the
// screenshot's pixel, rows counted from the bottom.
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/files/Image.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISlider.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "guitools/GUISliderControl.h"
#include "guitools/GUIToolManager.h"
#include "guitools/GUIWindowBase.h"
#include "tests/support/GUIPixelBed.h"
#include "tests/support/ImageTestFiles.h"
#include "tests/support/ScriptedMouse.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowDescriptionBed.h"
#include "tools/formats/FontFileWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace VelkorEngine;
using namespace TestSupport;

namespace
{
ImageTest::Picture Solid(Rgb colour)
{
    ImageTest::Picture picture{8, 8, 4, std::vector<u8>(8 * 8 * 4)};
    for (size_t i = 0; i < picture.pixels.size(); i += 4)
    {
        picture.pixels[i] = static_cast<u8>(colour.r);
        picture.pixels[i + 1] = static_cast<u8>(colour.g);
        picture.pixels[i + 2] = static_cast<u8>(colour.b);
        picture.pixels[i + 3] = 255;
    }
    return picture;
}

// One glyph "A" over the whole atlas, red in its top half and green in its bottom half.
ImageTest::Picture GlyphAtlas()
{
    ImageTest::Picture picture{32, 32, 4, std::vector<u8>(32 * 32 * 4)};
    for (u32 y = 0; y < 32; ++y)
        for (u32 x = 0; x < 32; ++x)
        {
            u8* pixel = picture.pixels.data() + (static_cast<size_t>(y) * 32 + x) * 4;
            pixel[y >= 16 ? 0 : 1] = 255;
            pixel[3] = 255;
        }
    return picture;
}

const char* const Description =
    "<window name=\"w\">"
    "<window name=\"panel\" shader=\"grey\" position=\"100 100\" size=\"600 400\">"
    "<button name=\"ok\" shader=\"green\" position=\"50 50\" size=\"200 100\"/>"
    "<text_label name=\"title\" font=\"big\" text=\"'A'\" position=\"300 250\" size=\"200 100\" "
    "alignment_h=\"center\" alignment_v=\"center\"/>"
    "<slider name=\"volume\" shader=\"blue\" position=\"50 300\" size=\"220 20\" toddler_shader=\"white\" "
    "toddler_size=\"20 20\" toddler_min_position=\"0 0\" toddler_max_position=\"200 0\"/>"
    "</window></window>";

class GUIWindowPixelTest : public TestSupport::GUIPixelBed
{
protected:
    void SetUp() override
    {
        StartEngine("Window Pixels", "data");
        WriteData();
        for (const auto& [name, colour] : {std::pair{"grey", kGrey}, std::pair{"green", kGreen},
                                           std::pair{"blue", kBlue}, std::pair{"white", kWhite}})
            resources.shaders[std::string("ui/") + name] = SolidShader(name, colour);
        tools = std::make_unique<GUITools::GUIToolManager>(engine.get(), "en");
        window = std::make_unique<GUITools::GUIWindowBase>(engine.get(), &resources, tools.get(), nullptr, "w");
    }

    void TearDown() override
    {
        window.reset();
        tools.reset();
        GUIPixelBed::TearDown();
    }

    void WriteData()
    {
        folder.WriteFile("data/ui/fonts/glyphs.vef", KorvaneTools::WriteFontFile({{L'A', 0.0f, 0.0f, 1.0f, 1.0f, 1.0f}}));
        folder.WriteFile("data/ui/fonts/fonts_basic.xml",
                         "<fonts><font name=\"big\" size=\"100\">"
                         "<description_file_path path=\"data\\ui\\fonts\\glyphs.vef\"/>"
                         "<diffuse_image_path path=\"ui\\fonts\\glyphs.tga\"/>"
                         "<opacity_image_path path=\"ui\\fonts\\glyphs.tga\"/></font></fonts>");
        folder.WriteFile("data/ui/windows/w.xml", Description);
        // The folder exists once the font file is written.
        ImageTest::WriteBytes(folder / "data/ui/fonts/glyphs.tga", ImageTest::MakeTga(GlyphAtlas()));
    }

    ShaderUser* SolidShader(const std::string& name, Rgb colour)
    {
        const std::string file = folder / (name + ".tga");
        ImageTest::WriteBytes(file, ImageTest::MakeTga(Solid(colour)));
        return engine->GetShaderManager()->CreateShaderUser(BuildTextureShaderDescriptor(1, 1, file, "", false));
    }

    void MoveTo(int x, int y) { mouse.MoveTo(engine->GetWindow()->GetHandle(), x, 599 - y); }

    void UpdateWidgets() override { window->Update(); }

    TestSupport::ScriptedMouse mouse;
    TestSupport::TableGUIResources resources;
    std::unique_ptr<GUITools::GUIToolManager> tools;
    std::unique_ptr<GUITools::GUIWindowBase> window;
};

TEST_F(GUIWindowPixelTest, ADescribedWindowShowsItsButtonTextAndSliderWhereTheyAreDescribed)
{
    MoveTo(20, 20);
    RunFrame();
    ExpectColour(Screenshot(), 400, 300, Rgb{0, 0, 0});

    window->Show(true);
    RunFrame();
    RunFrame();
    Image shot = Screenshot();
    ExpectColour(shot, 120, 120, kGrey);
    ExpectColour(shot, 250, 200, kGreen);
    // The glyph is 100 x 100, centred in the label's box from (400, 350) to (600, 450).
    ExpectColour(shot, 500, 430, kRed);
    ExpectColour(shot, 500, 370, kGreen);
    ExpectColour(shot, 420, 400, kGrey);
    // The track runs from (150, 400) to (370, 420) and its thumb stands at its start.
    ExpectColour(shot, 160, 410, kWhite);
    ExpectColour(shot, 300, 410, kBlue);

    auto& volume = dynamic_cast<GUITools::GUISliderControl&>(*window->GetControl("w/panel/volume"));
    volume.GetSlider()->SetCount(11);
    MoveTo(160, 410);
    mouse.PressLeft();
    RunFrame();
    MoveTo(360, 410);
    RunFrame();
    mouse.ReleaseLeft();
    RunFrame();
    RunFrame();
    EXPECT_EQ(volume.GetSlider()->GetPosition(), 10u);
    Image dragged = Screenshot();
    ExpectColour(dragged, 360, 410, kWhite);
    ExpectColour(dragged, 160, 410, kBlue);

    window->Show(false);
    RunFrame();
    RunFrame();
    EXPECT_FALSE(window->IsShown());
    ExpectColour(Screenshot(), 400, 300, Rgb{0, 0, 0});
}
}
