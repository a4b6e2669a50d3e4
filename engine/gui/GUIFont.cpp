// Bitmap fonts: the glyph file, measuring, and the per-frame quads of a depth copy.
#include "engine/gui/GUIFont.h"

#include "engine/core/BoundingVolume.h"
#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/BinaryFileHeader.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"
#include "engine/gui/GUIVertexBytes.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace VelkorEngine
{
namespace
{
constexpr const char* kMagic = "VEFNT";
constexpr u32 kVersion = 201;
constexpr u32 kCountSize = 4;
constexpr u32 kRecordSize = 22;
constexpr u32 kVerticesPerQuad = 4;
constexpr u32 kIndicesPerQuad = 6;
constexpr wchar_t kLineFeed = 10;
// Glyph rectangles may touch the texture's edges within this much rounding.
constexpr f32 kTextureSlack = 0.0001f;
// Drawn after the scene in depth order like every GUI model, never culled (the text moves every frame while
// the bounds do not), and hidden until the model is a depth copy.
constexpr u32 kFontFlagsSet =
    ModelFlags::SecondList | ModelFlags::KeepDepth | ModelFlags::TriangleList | ModelFlags::VertexColor;
constexpr u32 kFontFlagsCleared = ModelFlags::Visible | ModelFlags::DepthTest | ModelFlags::Lit;
constexpr f32 kEverywhere = 100000.0f;

std::string FormatMessage(const std::string& fileName)
{
    return "Incorrect \"" + fileName + "\" file format";
}

template <typename Value>
Value ReadValue(const u8* at)
{
    Value value;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

// The white space of the wide-character classification, kept here so the result does not hang on the
// process locale.
bool IsWhiteSpace(wchar_t c)
{
    return c == 32 || (c >= 9 && c <= 13) || c == 0x85 || c == 0x1680 || (c >= 0x2000 && c <= 0x2006) ||
           (c >= 0x2008 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x205F || c == 0x3000;
}

bool InsideTexture(f32 start, f32 extent)
{
    return std::isfinite(start) && std::isfinite(extent) && start >= -kTextureSlack && extent >= 0.0f &&
           start + extent <= 1.0f + kTextureSlack;
}
}

GUIFont::GUIFont(FileManager* files, ModelManager* models, Camera* camera, const ShaderDescriptor* shader,
                 const std::string& fileName)
    : m_files(files), m_models(models)
{
    ReadFile(fileName);
    CreateModel(camera, shader);
}

GUIFont::GUIFont(const GUIFont& source)
    : m_files(source.m_files), m_models(source.m_models), m_source(&source), m_glyphs(source.m_glyphs),
      m_size(source.m_size), m_space(source.m_space), m_shift(source.m_shift), m_cellWidth(source.m_cellWidth),
      m_monospace(source.m_monospace)
{
    if (source.m_model == nullptr)
        return;
    m_model = m_models->CreateModelCopy(*source.m_model, source.m_model->GetCamera(), 0);
    if (m_model == nullptr)
        return;
    m_model->SetFlags(ModelFlags::Visible);
    m_model->indexBuffer->SetIndexCount(0);
    m_model->depth = StartDepth;
    m_model->bounds = source.m_model->bounds;
}

GUIFont::~GUIFont()
{
    if (m_model != nullptr && m_vertices != nullptr)
        m_model->vertexBuffer->Unlock();
    m_models->DeleteModel(m_model);
}

// The whole file is checked before anything is built from it: header, a length of exactly one count and its
// records, and every glyph rectangle inside the texture.
void GUIFont::ReadFile(const std::string& fileName)
{
    std::unique_ptr<FileBinary> file = m_files->OpenBinary(fileName, FileBinary::ForReading, FileBinary::PreloadWhole);
    BinaryFileHeader::ReadChecked(*file, fileName, kMagic, kVersion);
    const u32 size = file->GetSize();
    if (size < BinaryFileHeader::Size + kCountSize)
        throw FileError(FormatMessage(fileName));
    std::vector<u8> bytes(size - BinaryFileHeader::Size);
    file->Read(bytes.data(), static_cast<u32>(bytes.size()));
    const u32 count = ReadValue<u32>(bytes.data());
    if (static_cast<u64>(count) * kRecordSize != bytes.size() - kCountSize)
        throw FileError(FormatMessage(fileName));
    for (u32 i = 0; i < count; ++i)
    {
        const u8* record = bytes.data() + kCountSize + static_cast<size_t>(i) * kRecordSize;
        Glyph glyph;
        glyph.code = ReadValue<u16>(record);
        glyph.u = ReadValue<f32>(record + 2);
        glyph.v = ReadValue<f32>(record + 6);
        glyph.du = ReadValue<f32>(record + 10);
        glyph.dv = ReadValue<f32>(record + 14);
        glyph.width = ReadValue<f32>(record + 18);
        if (!InsideTexture(glyph.u, glyph.du) || !InsideTexture(glyph.v, glyph.dv) || !std::isfinite(glyph.width) ||
            glyph.width < 0.0f)
            throw FileError(FormatMessage(fileName));
        m_glyphs.emplace(glyph.code, glyph);
        if (glyph.width > m_cellWidth)
            m_cellWidth = glyph.width;
    }
}

void GUIFont::CreateModel(Camera* camera, const ShaderDescriptor* shader)
{
    m_model = m_models->CreateSelfMadeModel(kFontFlagsSet, MaxQuads * kVerticesPerQuad, MaxQuads * kIndicesPerQuad,
                                            1, shader, camera);
    if (m_model == nullptr)
        return;
    m_model->name = "font_model";
    m_model->ClearFlags(kFontFlagsCleared);
    std::vector<u32> indices(static_cast<size_t>(MaxQuads) * kIndicesPerQuad);
    for (u32 q = 0; q < MaxQuads; ++q)
    {
        const u32 first = q * kVerticesPerQuad;
        const u32 pattern[kIndicesPerQuad] = {first, first + 1, first + 2, first + 2, first + 1, first + 3};
        std::memcpy(&indices[static_cast<size_t>(q) * kIndicesPerQuad], pattern, sizeof(pattern));
    }
    m_model->indexBuffer->SetIndices(0, static_cast<u32>(indices.size()), indices.data());
    m_model->indexBuffer->SetIndexCount(0);
    m_model->depth = StartDepth;
    m_model->bounds.SetBox(Vector3(-kEverywhere, -kEverywhere, -kEverywhere),
                           Vector3(kEverywhere, kEverywhere, kEverywhere));
}

const GUIFont::Glyph* GUIFont::FindGlyph(u32 code) const
{
    if (code > 0xFFFF)
        return nullptr;
    const auto found = m_glyphs.find(static_cast<u16>(code));
    return found != m_glyphs.end() ? &found->second : nullptr;
}

bool GUIFont::HasGlyph(u32 code) const { return FindGlyph(code) != nullptr; }

f32 GUIFont::GetDepth() const { return m_model != nullptr ? m_model->depth : StartDepth; }

void GUIFont::SetDepth(f32 depth)
{
    if (m_model != nullptr)
        m_model->depth = depth;
}

f32 GUIFont::BoxWidth(wchar_t code, const Glyph* glyph, f32 size) const
{
    if (code != kLineFeed && !IsWhiteSpace(code) && glyph != nullptr)
        return size * glyph->width;
    return size * m_space;
}

GUIFont::Box GUIFont::GlyphBox(const Pen& pen, wchar_t code, const Glyph* glyph, f32 size, f32 cosA, f32 sinA) const
{
    const f32 w = BoxWidth(code, glyph, size);
    const Vector2 local[4] = {Vector2(0.0f, size), Vector2(0.0f, 0.0f), Vector2(w, size), Vector2(w, 0.0f)};
    Box box;
    for (u32 i = 0; i < 4; ++i)
        box.corners[i] = Vector2(local[i].x * cosA - local[i].y * sinA + pen.x,
                                 local[i].y * cosA + local[i].x * sinA + pen.y);
    return box;
}

// A monospace glyph is centred in its cell: half the spare room before it, the rest after.
void GUIFont::AdvanceBefore(Pen& pen, const Glyph* glyph, f32 size, f32 cosA, f32 sinA) const
{
    if (m_monospace == 0 || glyph == nullptr)
        return;
    const f32 half = (m_cellWidth - glyph->width) * size * m_shift * 0.5f;
    pen.x += cosA * half;
    pen.y += sinA * half;
}

void GUIFont::AdvanceAfter(Pen& pen, const Glyph* glyph, f32 size, f32 cosA, f32 sinA) const
{
    f32 step = 0.0f;
    if (m_monospace == 0)
        step = glyph != nullptr ? size * glyph->width * m_shift : size * m_space;
    else if (glyph != nullptr)
        step = size * glyph->width * m_shift + (m_cellWidth - glyph->width) * size * m_shift * 0.5f;
    else
        step = size * m_cellWidth * m_shift;
    pen.x += cosA * step;
    pen.y += sinA * step;
}

Vector2 GUIFont::GetTextSize(const std::wstring& text, f32 angle, f32 size) const
{
    if (text.empty())
        return Vector2(0.0f, 0.0f);
    const f32 s = size >= 0.0f ? size : m_size;
    const f32 cosA = std::cos(angle);
    const f32 sinA = std::sin(angle);
    Vector2 minimum(10000.0f, 10000.0f);
    Vector2 maximum(-10000.0f, -10000.0f);
    Pen pen;
    for (const wchar_t code : text)
    {
        const Glyph* glyph = FindGlyph(static_cast<u32>(code));
        AdvanceBefore(pen, glyph, s, cosA, sinA);
        const Box box = GlyphBox(pen, code, glyph, s, cosA, sinA);
        for (const Vector2& corner : box.corners)
        {
            minimum = Vector2(std::min(minimum.x, corner.x), std::min(minimum.y, corner.y));
            maximum = Vector2(std::max(maximum.x, corner.x), std::max(maximum.y, corner.y));
        }
        AdvanceAfter(pen, glyph, s, cosA, sinA);
    }
    return Vector2(maximum.x - minimum.x, maximum.y - minimum.y);
}

void GUIFont::DrawText(const Vector2& position, f32 angle, const Color& color, const std::wstring& text)
{
    if (m_source != nullptr)
    {
        m_size = m_source->m_size;
        m_space = m_source->m_space;
        m_shift = m_source->m_shift;
    }
    if (m_model == nullptr)
        return;
    const f32 cosA = std::cos(angle);
    const f32 sinA = std::sin(angle);
    const u32 packedColor = m_model->vertexBuffer->FloatsToColor(color);
    Pen pen;
    for (const wchar_t code : text)
    {
        const Glyph* glyph = FindGlyph(static_cast<u32>(code));
        AdvanceBefore(pen, glyph, m_size, cosA, sinA);
        if (glyph != nullptr && code != kLineFeed && !IsWhiteSpace(code) && m_glyphCount < MaxQuads)
            WriteQuad(GlyphBox(pen, code, glyph, m_size, cosA, sinA), position, *glyph, packedColor);
        AdvanceAfter(pen, glyph, m_size, cosA, sinA);
    }
}

void GUIFont::WriteQuad(const Box& box, const Vector2& position, const Glyph& glyph, u32 packedColor)
{
    VertexBuffer& buffer = *m_model->vertexBuffer;
    if (m_vertices == nullptr)
        m_vertices = buffer.Lock(0, MaxQuads * kVerticesPerQuad);
    const f32 uv[4][2] = {{glyph.u, glyph.v + glyph.dv},
                          {glyph.u, glyph.v},
                          {glyph.u + glyph.du, glyph.v + glyph.dv},
                          {glyph.u + glyph.du, glyph.v}};
    const u32 stride = buffer.GetStride();
    for (u32 i = 0; i < kVerticesPerQuad; ++i)
    {
        u8* vertex = m_vertices + static_cast<size_t>(m_glyphCount * kVerticesPerQuad + i) * stride;
        WriteFloat(vertex, box.corners[i].x + position.x);
        WriteFloat(vertex + 4, box.corners[i].y + position.y);
        WriteFloat(vertex + 8, 0.0f);
        std::memcpy(vertex + VertexBuffer::ColorOffset, &packedColor, sizeof(packedColor));
        WriteFloat(vertex + buffer.GetTextureOffset(), uv[i][0]);
        WriteFloat(vertex + buffer.GetTextureOffset() + 4, uv[i][1]);
    }
    ++m_glyphCount;
    m_model->indexBuffer->SetIndexCount(m_glyphCount * kIndicesPerQuad);
}

void GUIFont::Finish()
{
    if (m_model == nullptr)
        return;
    if (m_glyphCount == 0)
        m_model->indexBuffer->SetIndexCount(0);
    m_glyphCount = 0;
    if (m_vertices != nullptr)
    {
        m_model->vertexBuffer->Unlock();
        m_vertices = nullptr;
    }
}

void GUIFont::SetCaseLower() { AddCaseCopies(true); }

void GUIFont::SetCaseUpper() { AddCaseCopies(false); }

// The pairs are collected first so that a copy made in this scan is never copied again.
void GUIFont::AddCaseCopies(bool toUpper)
{
    std::vector<std::pair<u16, Glyph>> copies;
    for (const auto& [code, glyph] : m_glyphs)
    {
        std::wstring mapped(1, static_cast<wchar_t>(code));
        if (toUpper)
            WStringToUpper(mapped);
        else
            WStringToLower(mapped);
        const u32 other = static_cast<u32>(mapped[0]);
        if (other != code && other <= 0xFFFF && m_glyphs.count(static_cast<u16>(other)) == 0)
        {
            Glyph copy = glyph;
            copy.code = static_cast<u16>(other);
            copies.emplace_back(static_cast<u16>(other), copy);
        }
    }
    for (const auto& [code, glyph] : copies)
        m_glyphs.emplace(code, glyph);
}
}
