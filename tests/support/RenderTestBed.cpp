// The render system's test bed: engine-made services, a started render system, drawing and read-back helpers.
#include "tests/support/RenderTestBed.h"

#include "engine/core/Matrix4.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"

#include <cstdlib>
#include <cstring>

using namespace VelkorEngine;

namespace KorvaneTest
{
RenderTestBed::RenderTestBed(const RenderTestOptions& options)
    : m_log("Render test", 0, 0, "", ""), m_files(&m_log, m_folder.Path(), "Data"),
      m_config(&m_log, &m_files, m_folder.Path(), "settings", 0,
               options.defaultVideoMode.empty() ? options.videoMode : options.defaultVideoMode, 0, options.fullScreen),
      m_options(options)
{
    m_config.SetFromString("v_mode", options.videoMode);
    u32 width = 0, height = 0;
    ParseVideoMode(options.videoMode, &width, &height, nullptr);
    m_window = std::make_unique<Window>(&m_log, &m_config, "Render test", nullptr, 0, 0, width, height,
                                        options.fullScreen, 1, 0, 0);
}

RenderTestBed::~RenderTestBed()
{
    m_render.reset();
    m_window.reset();
}

RenderSystem_D3D7& RenderTestBed::Start()
{
    m_render = std::make_unique<RenderSystem_D3D7>(&m_log, &m_config, m_window.get(), m_options.stencil,
                                                   m_options.allowOversizedWindow);
    return *m_render;
}

std::string RenderTestBed::Setting(const std::string& name) const
{
    std::string text;
    m_config.GetValueAsString(text, name);
    return text;
}

namespace
{
// The text as logged, without the log's framing: a message's line feed, a warning's or error's label, its
// exclamation mark and its spacing lines.
std::string Unframed(const LogRecord& record)
{
    std::string text = record.text;
    if (record.kind == MessageManager::KindMessage)
        return text.empty() || text.back() != '\n' ? text : text.substr(0, text.size() - 1);
    const std::string label = record.kind == MessageManager::KindWarning ? "Warning: " : "Error: ";
    const size_t start = text.find(label);
    if (start != std::string::npos)
        text = text.substr(start + label.size());
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    if (!text.empty() && text.back() == '!')
        text.pop_back();
    return text;
}
}

std::vector<std::string> RenderTestBed::Entries(u32 kind) const
{
    std::vector<std::string> entries;
    for (u32 i = 0; i < m_log.GetRecordCount(); ++i)
    {
        const LogRecord record = m_log.GetRecord(i);
        if (record.kind == kind)
            entries.push_back(Unframed(record));
    }
    return entries;
}

bool RenderTestBed::Logged(u32 kind, const std::string& text) const
{
    for (const std::string& entry : Entries(kind))
        if (entry == text)
            return true;
    return false;
}

void RenderTestBed::UseScreenSpace()
{
    Matrix4 identity;
    MakeIdentityMatrix(identity);
    m_render->SetProjectionMatrix(identity);
    m_render->SetWorldMatrix(identity);
    // The render system negates the view's z column on its way to the device; this view cancels that.
    Matrix4 view = identity;
    view.m[10] = -1.0f;
    m_render->SetViewMatrix(view);
    m_render->SetLighting(false);
    m_render->SetCullMode(RenderSystem::CullNone);
}

void RenderTestBed::DrawTriangles(const std::vector<RenderVertex>& vertices, const std::vector<std::uint32_t>& indices)
{
    std::unique_ptr<VertexBuffer> vertexBuffer(m_render->CreateVertexBuffer(0, 1, static_cast<u32>(vertices.size())));
    u8* data = vertexBuffer->LockRange(0, vertexBuffer->GetVertexCount());
    for (const RenderVertex& vertex : vertices)
    {
        const float position[6] = {vertex.x, vertex.y, vertex.z, 0.0f, 0.0f, 1.0f};
        std::memcpy(data, position, sizeof(position));
        std::memcpy(data + VertexBuffer::ColorOffset, &vertex.color, 4);
        const float coordinates[2] = {vertex.u, vertex.v};
        std::memcpy(data + vertexBuffer->GetTextureOffset(), coordinates, sizeof(coordinates));
        data += vertexBuffer->GetStride();
    }
    vertexBuffer->Unlock();
    std::unique_ptr<IndexBuffer> indexBuffer(m_render->CreateIndexBuffer(0, static_cast<u32>(indices.size())));
    indexBuffer->SetIndices(0, static_cast<u32>(indices.size()), indices.data());
    m_render->DrawIndexedPrimitive(RenderSystem::TriangleList, indexBuffer.get(), vertexBuffer.get(),
                                   static_cast<u32>(indices.size() / 3));
}

Image RenderTestBed::Screenshot()
{
    Image image;
    m_render->TakeScreenshot(image);
    return image;
}

RenderRgba RenderPixel(const Image& image, u32 x, u32 yFromTop)
{
    RenderRgba pixel{0, 0, 0, 255};
    const u32 bytes = static_cast<u32>(image.GetBitsPerPixel()) / 8;
    if (image.IsEmpty() || x >= image.GetWidth() || yFromTop >= image.GetHeight() || bytes < 3)
        return pixel;
    const u32 row = image.GetHeight() - 1 - yFromTop;
    const u8* at = image.GetData() + (static_cast<size_t>(row) * image.GetWidth() + x) * bytes;
    for (u32 channel = 0; channel < bytes; ++channel)
        pixel[channel] = at[channel];
    return pixel;
}

::testing::AssertionResult RenderRgbNear(const RenderRgba& actual, std::uint8_t red, std::uint8_t green,
                                         std::uint8_t blue, int tolerance)
{
    const int expected[3] = {red, green, blue};
    for (int channel = 0; channel < 3; ++channel)
        if (std::abs(int(actual[channel]) - expected[channel]) > tolerance)
            return ::testing::AssertionFailure() << "got (" << int(actual[0]) << ", " << int(actual[1]) << ", "
                                                 << int(actual[2]) << "), expected (" << int(red) << ", "
                                                 << int(green) << ", " << int(blue) << ")";
    return ::testing::AssertionSuccess();
}
}
