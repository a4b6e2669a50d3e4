// The services a render system needs, made the way the engine makes them (log, settings, window), and the
// Direct3D 7 render system on top. With the scripted driver and window backend installed first it tests the
// render system's logic; without them it draws for real through OpenGL on an offscreen window, and pixel
// tests read the frame back through RenderSystem::TakeScreenshot.
#pragma once

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/files/FileManager.h"
#include "engine/files/Image.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace KorvaneTest
{
struct RenderTestOptions
{
    std::string videoMode = "640x480x32";
    // The setting's default text; empty means the same as the mode asked for.
    std::string defaultVideoMode;
    std::uint8_t fullScreen = 0;
    std::uint8_t stencil = 1;
    std::uint8_t allowOversizedWindow = 0;
};

// Position, packed colour (A8R8G8B8) and texture coordinates of one vertex for the drawing helpers.
struct RenderVertex
{
    float x, y, z;
    std::uint32_t color = 0xFFFFFFFFu;
    float u = 0.0f, v = 0.0f;
};

class RenderTestBed
{
public:
    explicit RenderTestBed(const RenderTestOptions& options = {});
    ~RenderTestBed();

    RenderTestBed(const RenderTestBed&) = delete;
    RenderTestBed& operator=(const RenderTestBed&) = delete;

    // Makes the render system; a fatal set-up failure leaves this as FatalError, as in the engine.
    VelkorEngine::RenderSystem_D3D7& Start();
    VelkorEngine::RenderSystem_D3D7& Render() { return *m_render; }
    void Stop() { m_render.reset(); }

    VelkorEngine::MessageManager& Log() { return m_log; }
    VelkorEngine::Config& Settings() { return m_config; }
    VelkorEngine::Window& GetWindow() { return *m_window; }
    std::string Setting(const std::string& name) const;
    // The log's entries of one kind (message, warning, error), in order, as the code logged them.
    std::vector<std::string> Entries(VelkorEngine::u32 kind) const;
    bool Logged(VelkorEngine::u32 kind, const std::string& text) const;

    // Screen-space drawing for pixel tests: identity matrices, no lighting, no culling; x and y from -1 to 1,
    // z from 0 (near) to 1 (far).
    void UseScreenSpace();
    // A triangle list through the render system's own buffers and draw.
    void DrawTriangles(const std::vector<RenderVertex>& vertices, const std::vector<std::uint32_t>& indices);
    // The frame as the render system's screenshot gives it.
    VelkorEngine::Image Screenshot();

private:
    TestSupport::TempFolder m_folder;
    VelkorEngine::MessageManager m_log;
    VelkorEngine::FileManager m_files;
    VelkorEngine::Config m_config;
    RenderTestOptions m_options;
    std::unique_ptr<VelkorEngine::Window> m_window;
    std::unique_ptr<VelkorEngine::RenderSystem_D3D7> m_render;
};

using RenderRgba = std::array<std::uint8_t, 4>;
// One pixel of an image in the image convention, x from the left and y from the top of the picture.
RenderRgba RenderPixel(const VelkorEngine::Image& image, VelkorEngine::u32 x, VelkorEngine::u32 yFromTop);
::testing::AssertionResult RenderRgbNear(const RenderRgba& actual, std::uint8_t red, std::uint8_t green,
                                         std::uint8_t blue, int tolerance = 2);
}
