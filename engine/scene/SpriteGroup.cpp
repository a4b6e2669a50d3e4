// Sprite records with their free queue, and the per-frame rebuild of the group's squares.
#include "engine/scene/SpriteGroup.h"

#include "engine/core/MathTolerance.h"
#include "engine/core/Matrix4.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VelkorEngine
{
namespace
{
constexpr u32 kVerticesPerSprite = 4;
constexpr u32 kIndicesPerSprite = 6;
// The two triangles of sprite i over its vertices 4i to 4i + 3.
constexpr u32 kQuadIndices[kIndicesPerSprite] = {0, 1, 2, 2, 1, 3};
// Texture coordinates of the four corners: bottom left, top left, bottom right, top right.
constexpr f32 kCornerUV[kVerticesPerSprite][2] = {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}};

u32 HeldCapacity(u32 capacity)
{
    return std::min(capacity, SpriteGroup::MaxCapacity);
}

void WriteFloats(u8* at, const f32* values, u32 count)
{
    std::memcpy(at, values, count * sizeof(f32));
}

// The depth's bits as a key whose unsigned order is the depth's order, farthest (largest) first. Both zeros
// give one key, as they compare equal.
u32 FarthestFirstKey(f32 depth)
{
    u32 bits = 0;
    const f32 normalised = depth + 0.0f;
    std::memcpy(&bits, &normalised, sizeof(bits));
    const u32 ascending = (bits & 0x80000000u) != 0 ? ~bits : bits | 0x80000000u;
    return ~ascending;
}

void WritePosition(u8* vertex, const Vector3& position)
{
    const f32 xyz[3] = {position.x, position.y, position.z};
    WriteFloats(vertex, xyz, 3);
}
}

SpriteGroup::SpriteGroup(MessageManager*, CameraManager* cameraManager, ShaderManager*, ModelManager* modelManager,
                         u32 capacity, const ShaderDescriptor* shader, Camera* camera)
    : m_cameraManager(cameraManager), m_modelManager(modelManager), m_freeIndices(HeldCapacity(capacity)),
      m_capacity(HeldCapacity(capacity)), m_sprites(m_capacity)
{
    m_drawList.reserve(m_capacity);
    this->camera = camera != nullptr ? camera : m_cameraManager->GetDefaultCamera();
    m_model = m_modelManager->CreateSelfMadeModel(GroupModelFlags, kVerticesPerSprite * m_capacity,
                                                  kIndicesPerSprite * m_capacity, 1, shader, this->camera);
    WriteIndices();
    WriteTextureCoordinates();
    // Nothing is drawn until an update has put sprites in place: the model may be drawn before that.
    m_model->indexBuffer->SetIndexCount(0);
    m_freeIndices.FillAscending();
}

SpriteGroup::SpriteGroup(const SpriteGroup& source, bool copySprites)
    : camera(source.camera), sortByDepth(source.sortByDepth), center(source.center), groupColor(source.groupColor),
      m_cameraManager(source.m_cameraManager), m_modelManager(source.m_modelManager),
      m_freeIndices(source.m_capacity), m_capacity(source.m_capacity), m_sprites(m_capacity)
{
    m_drawList.reserve(m_capacity);
    m_model = m_modelManager->CreateModelCopy(*source.m_model, nullptr, 0);
    if (copySprites)
    {
        m_sprites = source.m_sprites;
        m_freeIndices = source.m_freeIndices;
        return;
    }
    // Every sprite is free, so every index must be free to hand out, and the source's squares are not ours.
    m_freeIndices.FillAscending();
    m_model->indexBuffer->SetIndexCount(0);
}

SpriteGroup::~SpriteGroup()
{
    m_modelManager->DeleteModel(m_model);
}

void SpriteGroup::WriteIndices()
{
    std::vector<u32> indices(kIndicesPerSprite * m_capacity);
    for (u32 i = 0; i < m_capacity; ++i)
        for (u32 j = 0; j < kIndicesPerSprite; ++j)
            indices[kIndicesPerSprite * i + j] = kVerticesPerSprite * i + kQuadIndices[j];
    m_model->indexBuffer->SetIndices(0, static_cast<u32>(indices.size()), indices.data());
}

void SpriteGroup::WriteTextureCoordinates()
{
    VertexBuffer& vertices = *m_model->vertexBuffer;
    const u32 count = kVerticesPerSprite * m_capacity;
    u8* data = vertices.Lock(0, count);
    for (u32 v = 0; v < count; ++v)
        WriteFloats(data + v * vertices.GetStride() + vertices.GetTextureOffset(), kCornerUV[v % kVerticesPerSprite],
                    2);
    vertices.Unlock();
}

u32 SpriteGroup::AddSprite(const Vector3& position, f32 size, const Color& color)
{
    if (m_freeIndices.IsEmpty())
        return 0;
    const u32 index = m_freeIndices.PopFront();
    Sprite& sprite = m_sprites[index];
    sprite.free = 0;
    sprite.position = position;
    sprite.size = size;
    sprite.color = color;
    sprite.rotation = 0.0f;
    return index;
}

void SpriteGroup::ReleaseSprite(u32 index)
{
    if (index >= m_capacity || m_sprites[index].free)
        return;
    m_sprites[index].free = 1;
    m_freeIndices.PushBack(index);
}

Sprite* SpriteGroup::GetSprite(u32 index)
{
    return index < m_capacity ? &m_sprites[index] : nullptr;
}

bool SpriteGroup::IsVisible() const
{
    return (m_model->flags & ModelFlags::Visible) != 0;
}

void SpriteGroup::SetVisible(bool visible)
{
    if (visible)
        m_model->SetFlags(ModelFlags::Visible);
    else
        m_model->ClearFlags(ModelFlags::Visible);
}

ShaderUser* SpriteGroup::GetShader() const
{
    return m_model->GetShader();
}

void SpriteGroup::SetShader(const ShaderDescriptor& descriptor)
{
    m_model->SetShaderDescriptor(descriptor);
}

void SpriteGroup::Update()
{
    if (!IsVisible())
        return;
    const Camera& view = camera != nullptr ? *camera : *m_cameraManager->GetDefaultCamera();
    const u32 count = CollectSprites(view);
    if (sortByDepth)
        SortFarthestFirst();
    WriteQuads(view, count);
    m_model->indexBuffer->SetIndexCount(kIndicesPerSprite * count);
}

u32 SpriteGroup::CollectSprites(const Camera& view)
{
    const Vector3 eye = view.position;
    const Vector3& viewAxis = view.GetViewAxis();
    m_drawList.clear();
    for (u32 i = 0; i < m_capacity; ++i)
    {
        Sprite& sprite = m_sprites[i];
        if (sprite.free)
            continue;
        if (sortByDepth)
            sprite.depth = viewAxis.Dot(eye - sprite.position);
        m_drawList.push_back(DrawEntry{sprite.depth, i});
    }
    return static_cast<u32>(m_drawList.size());
}

// Blended squares are drawn back to front. Equal depths keep record order, so they never swap between frames:
// a stable radix sort over the records collected in index order, a byte of the key per pass.
void SpriteGroup::SortFarthestFirst()
{
    m_sortScratch.resize(m_drawList.size());
    std::vector<u32>& keys = m_sortKeys;
    std::vector<u32>& scratchKeys = m_sortScratchKeys;
    keys.resize(m_drawList.size());
    scratchKeys.resize(m_drawList.size());
    for (size_t i = 0; i < m_drawList.size(); ++i)
        keys[i] = FarthestFirstKey(m_drawList[i].depth);
    for (u32 shift = 0; shift < 32; shift += 8)
    {
        size_t counts[257] = {};
        for (const u32 key : keys)
            ++counts[((key >> shift) & 0xFFu) + 1];
        for (size_t digit = 1; digit < 257; ++digit)
            counts[digit] += counts[digit - 1];
        for (size_t i = 0; i < keys.size(); ++i)
        {
            const size_t to = counts[(keys[i] >> shift) & 0xFFu]++;
            m_sortScratch[to] = m_drawList[i];
            scratchKeys[to] = keys[i];
        }
        m_drawList.swap(m_sortScratch);
        keys.swap(scratchKeys);
    }
}

void SpriteGroup::WriteQuads(const Camera& view, u32 count)
{
    const Vector3& right = view.GetRightAxis();
    const Vector3& up = view.GetUpAxis();
    const Vector3& viewAxis = view.GetViewAxis();
    const Vector3 rightMinusUp = right - up;
    const Vector3 rightPlusUp = right + up;
    VertexBuffer& vertices = *m_model->vertexBuffer;
    const u32 stride = vertices.GetStride();
    u8* data = vertices.Lock(0, kVerticesPerSprite * count);
    Vector3 sum;
    for (u32 k = 0; k < count; ++k)
    {
        const Sprite& sprite = m_sprites[m_drawList[k].index];
        sum += sprite.position;
        // Corner offsets from the centre: -R-U, -R+U, R-U, R+U, each times the half edge.
        Vector3 offsets[kVerticesPerSprite] = {rightPlusUp * -sprite.size, rightMinusUp * -sprite.size,
                                               rightMinusUp * sprite.size, rightPlusUp * sprite.size};
        if (std::fabs(sprite.rotation) > MathTolerance)
        {
            Matrix4 turn;
            MakeRotationAxisMatrix(turn, viewAxis, sprite.rotation);
            for (Vector3& offset : offsets)
                offset = turn.TransformPoint(offset);
        }
        const u32 packed = vertices.FloatsToColor(sprite.color.Modulate(groupColor));
        u8* vertex = data + kVerticesPerSprite * k * stride;
        for (u32 j = 0; j < kVerticesPerSprite; ++j, vertex += stride)
        {
            WritePosition(vertex, sprite.position + offsets[j]);
            if (vertices.HasColor())
                std::memcpy(vertex + VertexBuffer::ColorOffset, &packed, sizeof(packed));
        }
    }
    vertices.Unlock();
    center = count > 0 ? sum / static_cast<f32>(count) : Vector3();
}
}
