// Building models from files, boxes, bare buffers and other models; animating, culling and drawing them;
// bounds and hit tests over their vertices.
#include "engine/scene/Model.h"

#include "engine/core/Error.h"
#include "engine/core/MathTolerance.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Plane.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/SceneBounds.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VelkorEngine
{
namespace
{
constexpr u32 kNormalOffset = 12;
constexpr u32 kTextureBytes = 8; // u, v: the last two floats of every vertex layout
constexpr u32 kBoxVertexCount = 24;
constexpr u32 kBoxIndexCount = 36;

u8 Bit(u32 flags, u32 bit)
{
    return (flags & bit) != 0 ? 1 : 0;
}

void PutVector(u8* at, const Vector3& v)
{
    const f32 values[3] = {v.x, v.y, v.z};
    std::memcpy(at, values, sizeof(values));
}

void PutTexture(u8* vertex, u32 stride, f32 u, f32 v)
{
    const f32 values[2] = {u, v};
    std::memcpy(vertex + stride - kTextureBytes, values, sizeof(values));
}

void PutVertex(u8* vertex, u32 stride, const Vector3& position, const Vector3& normal, f32 u, f32 v)
{
    PutVector(vertex, position);
    PutVector(vertex + kNormalOffset, normal);
    PutTexture(vertex, stride, u, v);
}

Vector3 Minimum(const Vector3& a, const Vector3& b)
{
    return Vector3(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z));
}

Vector3 Maximum(const Vector3& a, const Vector3& b)
{
    return Vector3(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z));
}

struct BoxFace
{
    Vector3 normal;
    // Corners as (x from maximum?, y from maximum?, z from maximum?), with their texture coordinates.
    u8 corners[4][3];
    f32 uv[4][2];
};

// Four vertices a face, each face's outside counter-clockwise as seen from outside.
const BoxFace kBoxFaces[6] = {
    {Vector3(0.0f, 0.0f, -1.0f), {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
    {Vector3(0.0f, 0.0f, 1.0f), {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    {Vector3(0.0f, -1.0f, 0.0f), {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    {Vector3(1.0f, 0.0f, 0.0f), {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    {Vector3(0.0f, 1.0f, 0.0f), {{1, 1, 0}, {0, 1, 0}, {0, 1, 1}, {1, 1, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    {Vector3(-1.0f, 0.0f, 0.0f), {{0, 1, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
};
}

Model::Model(const ModelServices& services, const std::string& fileName, Camera* camera, u32 givenFlags)
    : m_services(services)
{
    ModelFile file;
    LoadFile(fileName, file);
    BuildFromFile(file, givenFlags);
    if (m_skeleton)
    {
        m_skeleton->Update(m_keyFrames.data(), 0, 0, 0.0f);
        bounds = m_skeleton->GetBounds();
    }
    animation = std::make_unique<AnimationControl>(m_services.log, m_services.timers, file.frameCount);
    animation->speed = file.speed;
    std::string shaderName = fileName;
    ChangePathExtension(shaderName, "srf");
    m_shader = m_services.shaders->Load(shaderName);
    FinishConstruction(camera);
}

Model::Model(const ModelServices& services, u32 givenFlags, u32 vertexCount, u32 indexCount, u32 frameCount,
             const ShaderDescriptor* shader, Camera* camera)
    : name("self_made"), flags(givenFlags != 0 ? givenFlags : ModelFlags::WhenEmpty), m_services(services)
{
    animation = std::make_unique<AnimationControl>(m_services.log, m_services.timers, frameCount);
    indexBuffer = m_services.renderSystem->CreateIndexBuffer(Bit(flags, ModelFlags::IndexBufferUsage), indexCount);
    vertexBuffer = m_services.renderSystem->CreateVertexBuffer(Bit(flags, ModelFlags::VertexBufferUsage),
                                                               Bit(flags, ModelFlags::VertexColor), vertexCount);
    bounds.SetBox(Vector3(-MathTolerance), Vector3(MathTolerance));
    AcquireShader(shader);
    FinishConstruction(camera);
}

Model::Model(const ModelServices& services, const Vector3& minimum, const Vector3& maximum,
             const ShaderDescriptor* shader, Camera* camera, u32 extraFlags)
    : name("box"), flags(ModelFlags::BoxDefaults), m_services(services)
{
    SetFlags(extraFlags);
    animation = std::make_unique<AnimationControl>(m_services.log, m_services.timers, 1);
    WriteBoxVertices(minimum, maximum);
    WriteBoxIndices();
    AcquireShader(shader);
    FinishConstruction(camera);
    ComputeBounds(bounds, InModelSpace);
}

// The animation data are copied for what the source has, whatever the new flags say, so a copy never
// animates data it does not hold.
Model::Model(const Model& source, Camera* camera, u32 extraFlags)
    : name(source.name), flags(source.flags | extraFlags), m_services(source.m_services)
{
    if (flags == 0)
        flags = ModelFlags::WhenEmpty;
    RenderSystem* renderSystem = m_services.renderSystem;
    animation = std::make_unique<AnimationControl>(*source.animation);
    if (source.m_skeleton)
    {
        m_skeleton = std::make_unique<Skeleton>(*source.m_skeleton);
        m_keyFrames = source.m_keyFrames;
    }
    vertexBuffer = renderSystem->CreateVertexBuffer(Bit(flags, ModelFlags::VertexBufferUsage),
                                                    Bit(flags, ModelFlags::VertexColor), *source.vertexBuffer);
    m_morphVertices = source.m_morphVertices;
    m_skins = source.m_skins;
    indexBuffer = renderSystem->CreateIndexBuffer(Bit(flags, ModelFlags::IndexBufferUsage), *source.indexBuffer);
    bounds = source.bounds;
    m_frameBoxes = source.m_frameBoxes;

    m_shader = m_services.shaders->CreateShaderUser(*source.m_shader);
    m_privateShader = source.m_privateShader;
    if (source.m_privateDescriptor)
        m_privateDescriptor = std::make_unique<ShaderDescriptor>(*source.m_privateDescriptor);
    if (source.m_secondShader != nullptr)
        m_secondShader = m_services.shaders->CreateShaderUser(*source.m_secondShader);

    SetCamera(camera != nullptr ? camera : source.m_camera);
    worldMatrix = source.worldMatrix;
    bounds.SetTransform(worldMatrix);
    secondMatrix = source.secondMatrix;
    depth = source.depth;
    depthOffset = source.depthOffset;
    m_primitiveKind = source.m_primitiveKind;
    UpdatePrimitiveCount();
    m_primitivesToDraw = 0;
    animateVertices = source.animateVertices;
    m_cacheValid = source.m_cacheValid;
    m_cachedFrame = source.m_cachedFrame;
    m_cachedNextFrame = source.m_cachedNextFrame;
    m_cachedBlend = source.m_cachedBlend;
}

Model::~Model()
{
    m_services.shaders->RemoveShader(m_shader);
    m_services.shaders->RemoveShader(m_secondShader);
}

// Every file problem is logged here once and passed on as a plain Error with the same message.
void Model::LoadFile(const std::string& fileName, ModelFile& file)
{
    try
    {
        name = fileName;
        std::unique_ptr<FileBinary> binary = m_services.files->OpenBinary(
            FileManager::GetDataPath(fileName), FileBinary::ForReading, FileBinary::ReadAsNeeded);
        file.Read(*binary, fileName);
    }
    catch (const FileError& error)
    {
        m_services.log->Error(error.GetMessage());
        throw Error(error.GetMessage());
    }
}

// The file's own flags decide which data it holds; the given flags only add to how the model is drawn.
void Model::BuildFromFile(ModelFile& file, u32 givenFlags)
{
    flags = file.flags | givenFlags;
    if (flags == 0)
        flags = ModelFlags::WhenEmpty;
    if (file.skeleton)
    {
        m_skeleton = std::move(file.skeleton);
        m_keyFrames = std::move(file.keyFrames);
    }
    RenderSystem* renderSystem = m_services.renderSystem;
    const u32 indexCount = static_cast<u32>(file.indices.size());
    indexBuffer = renderSystem->CreateIndexBuffer(Bit(flags, ModelFlags::IndexBufferUsage), indexCount);
    indexBuffer->SetIndices(0, indexCount, file.indices.data());
    vertexBuffer = renderSystem->CreateVertexBuffer(Bit(flags, ModelFlags::VertexBufferUsage),
                                                    Bit(flags, ModelFlags::VertexColor), file.vertexCount);
    FillFileVertices(file);

    if ((file.flags & ModelFlags::Morph) != 0)
    {
        for (const ModelBox& box : file.boxes)
            m_frameBoxes.emplace_back(box.minimum, box.maximum);
        bounds = m_frameBoxes.front();
    }
    else
        bounds.SetBox(file.boxes.front().minimum, file.boxes.front().maximum);
}

void Model::FillFileVertices(const ModelFile& file)
{
    const bool staticData = (file.flags & ModelFlags::Static) != 0;
    const bool morphData = !staticData && (file.flags & ModelFlags::Morph) != 0;
    if (morphData)
    {
        m_morphVertices = file.vertices;
        return;
    }
    if (file.vertices.empty())
        return;
    m_skins = file.skins;
    const u32 stride = vertexBuffer->GetStride();
    u8* data = LockAllVertices();
    for (u32 i = 0; i < file.vertexCount; ++i)
    {
        const ModelVertex& vertex = file.vertices[i];
        u8* at = data + static_cast<size_t>(stride) * i;
        if (staticData)
            PutVertex(at, stride, vertex.position, vertex.normal, vertex.u, vertex.v);
        else
            PutTexture(at, stride, vertex.u, vertex.v);
    }
    vertexBuffer->Unlock();
}

void Model::AcquireShader(const ShaderDescriptor* descriptor)
{
    if (descriptor != nullptr)
    {
        m_shader = m_services.shaders->AddShader(*descriptor);
        return;
    }
    const ShaderDescriptor defaultDescriptor(0);
    m_shader = m_services.shaders->AddShader(defaultDescriptor);
}

void Model::FinishConstruction(Camera* camera)
{
    SetCamera(camera);
    worldMatrix = IdentityMatrix();
    secondMatrix = IdentityMatrix();
    animateVertices = 1;
    m_cacheValid = 0;
    m_cachedFrame = 0;
    m_cachedNextFrame = 0;
    m_cachedBlend = 0.0f;
    depth = 0.0f;
    depthOffset = 0.0f;
    m_primitiveKind =
        (flags & ModelFlags::TriangleList) != 0 ? RenderSystem::TriangleList : RenderSystem::TriangleStrip;
    UpdatePrimitiveCount();
    m_primitivesToDraw = 0;
}

void Model::WriteBoxVertices(const Vector3& minimum, const Vector3& maximum)
{
    vertexBuffer = m_services.renderSystem->CreateVertexBuffer(
        Bit(flags, ModelFlags::VertexBufferUsage), Bit(flags, ModelFlags::VertexColor), kBoxVertexCount);
    const u32 stride = vertexBuffer->GetStride();
    u8* at = LockAllVertices();
    for (const BoxFace& face : kBoxFaces)
    {
        for (u32 c = 0; c < 4; ++c)
        {
            const u8* corner = face.corners[c];
            const Vector3 position(corner[0] ? maximum.x : minimum.x, corner[1] ? maximum.y : minimum.y,
                                   corner[2] ? maximum.z : minimum.z);
            PutVertex(at, stride, position, face.normal, face.uv[c][0], face.uv[c][1]);
            at += stride;
        }
    }
    vertexBuffer->Unlock();
}

void Model::WriteBoxIndices()
{
    indexBuffer = m_services.renderSystem->CreateIndexBuffer(Bit(flags, ModelFlags::IndexBufferUsage), kBoxIndexCount);
    u32 indices[kBoxIndexCount];
    for (u32 face = 0; face < 6; ++face)
    {
        const u32 b = 4 * face;
        const u32 quad[6] = {b, b + 1, b + 2, b + 2, b + 3, b};
        std::copy(quad, quad + 6, indices + 6 * face);
    }
    indexBuffer->SetIndices(0, kBoxIndexCount, indices);
}

void Model::SetFlags(u32 bits)
{
    flags |= bits;
    if (bits & ModelFlags::FirstList)
        flags &= ~ModelFlags::SecondList;
    else if (bits & ModelFlags::SecondList)
        flags &= ~ModelFlags::FirstList;

    if (bits & ModelFlags::CullClockwise)
        flags &= ~(ModelFlags::TwoPasses | ModelFlags::CullCounterClockwise);
    else if (bits & ModelFlags::CullCounterClockwise)
        flags &= ~(ModelFlags::TwoPasses | ModelFlags::CullClockwise);
    else if (bits & ModelFlags::TwoPasses)
        flags &= ~(ModelFlags::CullClockwise | ModelFlags::CullCounterClockwise);
}

void Model::ClearFlags(u32 bits)
{
    if (bits & (ModelFlags::FirstList | ModelFlags::SecondList))
        flags |= ModelFlags::FirstList | ModelFlags::SecondList;
    flags &= ~bits;
}

void Model::SetColor(const Color& color)
{
    vertexBuffer->SetColor(color);
}

Color Model::GetColor() const
{
    Color color(1.0f, 1.0f, 1.0f, 1.0f);
    if (vertexBuffer->GetVertexCount() > 0)
        vertexBuffer->GetVertexColor(color, 0);
    return color;
}

void Model::SetCamera(Camera* camera)
{
    m_camera = camera != nullptr ? camera : m_services.cameras->GetDefaultCamera();
}

void Model::SetShaderDescriptor(const ShaderDescriptor& descriptor)
{
    if (m_privateShader != 0)
    {
        m_privateDescriptor = std::make_unique<ShaderDescriptor>(descriptor);
        return;
    }
    ShaderUser* replacement = m_services.shaders->AddShader(descriptor);
    m_services.shaders->RemoveShader(m_shader);
    m_shader = replacement;
}

void Model::SetShader(const ShaderDescriptor& descriptor)
{
    SetShaderDescriptor(descriptor);
}

// The animation advances even for a model that is hidden; everything else is for visible models only.
void Model::Update(u8 cull)
{
    u32 frame = 0;
    u32 nextFrame = 0;
    f32 blend = 0.0f;
    if (flags & (ModelFlags::Morph | ModelFlags::Skeletal))
    {
        animation->Update();
        frame = animation->GetFrame();
        nextFrame = animation->GetNextFrame();
        blend = animation->GetBlend();
    }
    if ((flags & ModelFlags::Visible) == 0)
        return;

    PlaceBounds(frame, nextFrame, blend);
    UpdatePrimitiveCount();
    m_primitivesToDraw = m_primitiveCount;
    if (cull != NoCull && !m_camera->GetFrustum().IsSphereInside(bounds))
        m_primitivesToDraw = 0;
    if (m_primitivesToDraw == 0)
        return;

    if ((flags & ModelFlags::KeepDepth) == 0)
        depth = m_camera->GetViewAxis().Dot(m_camera->position - bounds.GetCenter());

    if (!VertexCacheChanged(frame, nextFrame, blend) || animateVertices == 0)
        return;
    if (HasMorphData())
        RebuildMorphVertices(frame, nextFrame, blend);
    else if (HasSkeletonData() && m_skins.size() == vertexBuffer->GetVertexCount())
        RebuildSkinnedVertices();
}

void Model::PlaceVertexBounds()
{
    const u64 vertexStamp = vertexBuffer->GetChangeStamp();
    const u64 indexStamp = indexBuffer->GetChangeStamp();
    if (vertexStamp != m_vertexBoxVertexStamp || indexStamp != m_vertexBoxIndexStamp)
    {
        ComputeBounds(m_vertexBox, InModelSpace);
        m_vertexBoxVertexStamp = vertexStamp;
        m_vertexBoxIndexStamp = indexStamp;
    }
    bounds.SetBox(m_vertexBox.GetMinimum(), m_vertexBox.GetMaximum());
    bounds.SetTransform(worldMatrix);
}

bool Model::HasMorphData() const
{
    const size_t frames = m_frameBoxes.size();
    return (flags & ModelFlags::Morph) != 0 && frames == animation->GetFrameCount() &&
           m_morphVertices.size() == frames * vertexBuffer->GetVertexCount();
}

bool Model::HasSkeletonData() const
{
    return (flags & ModelFlags::Skeletal) != 0 && m_skeleton != nullptr;
}

void Model::PlaceBounds(u32 frame, u32 nextFrame, f32 blend)
{
    if ((flags & ModelFlags::BoundsFromVertices) && (flags & ModelFlags::Static))
        PlaceVertexBounds();
    if (HasMorphData())
    {
        LerpBoundingVolume(bounds, m_frameBoxes[frame], m_frameBoxes[nextFrame], blend);
        bounds.SetTransform(worldMatrix);
    }
    else if (HasSkeletonData())
    {
        m_skeleton->Update(m_keyFrames.data(), frame, nextFrame, blend);
        bounds = m_skeleton->GetBounds();
        bounds.SetTransform(worldMatrix);
    }
}

bool Model::VertexCacheChanged(u32 frame, u32 nextFrame, f32 blend)
{
    const bool same = m_cacheValid != 0 && m_cachedFrame == frame && m_cachedNextFrame == nextFrame &&
                      std::fabs(m_cachedBlend - blend) < MathTolerance;
    m_cacheValid = 1;
    m_cachedFrame = frame;
    m_cachedNextFrame = nextFrame;
    m_cachedBlend = blend;
    return !same;
}

void Model::RebuildMorphVertices(u32 frame, u32 nextFrame, f32 blend)
{
    const u32 count = vertexBuffer->GetVertexCount();
    const u32 stride = vertexBuffer->GetStride();
    const f32 keep = 1.0f - blend;
    const ModelVertex* from = m_morphVertices.data() + static_cast<size_t>(frame) * count;
    const ModelVertex* to = m_morphVertices.data() + static_cast<size_t>(nextFrame) * count;
    u8* at = LockAllVertices();
    for (u32 i = 0; i < count; ++i, at += stride)
    {
        const ModelVertex& a = from[i];
        const ModelVertex& b = to[i];
        PutVertex(at, stride, a.position * keep + b.position * blend, a.normal * keep + b.normal * blend,
                  a.u * keep + b.u * blend, a.v * keep + b.v * blend);
    }
    vertexBuffer->Unlock();
}

// Neither the normals nor the weights are renormalised: the data decide.
void Model::RebuildSkinnedVertices()
{
    const u32 stride = vertexBuffer->GetStride();
    u8* at = LockAllVertices();
    for (const SkinRecord& skin : m_skins)
    {
        Vector3 position(0.0f);
        Vector3 normal(0.0f);
        for (u32 k = 0; k < skin.count; ++k)
        {
            const SkinInfluence& influence = skin.influences[k];
            const Bone* bone = m_skeleton->GetBone(influence.bone);
            if (bone == nullptr)
                continue;
            position += bone->skinMatrix.TransformPoint(influence.position) * influence.weight;
            normal += bone->normalMatrix.TransformPoint(influence.normal) * influence.weight;
        }
        PutVector(at, position);
        PutVector(at + kNormalOffset, normal);
        at += stride;
    }
    vertexBuffer->Unlock();
}

u8* Model::LockAllVertices()
{
    return vertexBuffer->LockVertices(0, vertexBuffer->GetVertexCount());
}

void Model::Render()
{
    RenderSystem* renderSystem = m_services.renderSystem;
    if ((flags & ModelFlags::Visible) == 0 || m_primitivesToDraw == 0)
        return;
    if (m_shader->GetStageCount() > renderSystem->GetTextureStageCount())
        return;
    if ((flags & ModelFlags::Stencil) != 0 && renderSystem->IsStencilPresent() == 0)
        return;

    m_services.cameras->SetCurrentCamera(m_camera, (flags & ModelFlags::ZBiasedCamera) != 0);
    const bool lit = (flags & ModelFlags::Lit) != 0;
    m_services.lights->EnableLighting(lit);
    renderSystem->SetNormalizeNormals(lit);
    renderSystem->SetWorldMatrix(GetRenderMatrix());
    renderSystem->SetZ((flags & ModelFlags::DepthTest) != 0);
    renderSystem->SetZWrite((flags & ModelFlags::NoDepthWrite) == 0);
    renderSystem->SetStencil((flags & ModelFlags::Stencil) != 0);

    const u32 passes = (flags & ModelFlags::TwoPasses) != 0 ? 2 : 1;
    for (u32 pass = 0; pass < passes; ++pass)
    {
        renderSystem->SetCullMode(CullModeOfPass(pass));
        m_shader->Apply();
        renderSystem->DrawIndexedPrimitive(m_primitiveKind, indexBuffer.get(), vertexBuffer.get(), m_primitiveCount);
    }
}

// Cull modes of the render system: 0 none, 1 clockwise, 2 counter-clockwise.
u32 Model::CullModeOfPass(u32 pass) const
{
    if (flags & ModelFlags::TwoPasses)
        return pass == 0 ? 2 : 1;
    if (flags & ModelFlags::CullClockwise)
        return 1;
    if (flags & ModelFlags::CullCounterClockwise)
        return 2;
    return 0;
}

// A strip of fewer than three indices holds no triangle.
void Model::UpdatePrimitiveCount()
{
    const u32 indices = indexBuffer->GetIndexCount();
    if (m_primitiveKind == RenderSystem::TriangleStrip)
        m_primitiveCount = indices >= 2 ? indices - 2 : 0;
    else
        m_primitiveCount = indices / 3;
}

Vector3 Model::VertexPosition(const u8* vertices, u32 stride, u32 index) const
{
    f32 values[3];
    std::memcpy(values, vertices + static_cast<size_t>(stride) * index, sizeof(values));
    return Vector3(values[0], values[1], values[2]);
}

u32 Model::IndexAt(u32 position) const
{
    const u8* data = indexBuffer->GetData();
    if (indexBuffer->Is32Bit())
    {
        u32 index;
        std::memcpy(&index, data + 4 * static_cast<size_t>(position), sizeof(index));
        return index;
    }
    u16 index;
    std::memcpy(&index, data + 2 * static_cast<size_t>(position), sizeof(index));
    return index;
}

// Indices past the vertices (a caller's buffer filled wrongly) are passed over.
void Model::ComputeBounds(BoundingVolume& out, u8 transform) const
{
    Vector3 minimum(kFarBound);
    Vector3 maximum(-kFarBound);
    const u8* vertices = vertexBuffer->GetData();
    const u32 stride = vertexBuffer->GetStride();
    const u32 vertexCount = vertexBuffer->GetVertexCount();
    const u32 indices = indexBuffer->GetIndexCount();
    for (u32 i = 0; i < indices; ++i)
    {
        const u32 index = IndexAt(i);
        if (index >= vertexCount)
            continue;
        const Vector3 position = VertexPosition(vertices, stride, index);
        minimum = Minimum(minimum, position);
        maximum = Maximum(maximum, position);
    }
    if (transform != InModelSpace)
    {
        minimum = worldMatrix.TransformPoint(minimum);
        maximum = worldMatrix.TransformPoint(maximum);
    }
    out.SetBox(minimum, maximum);
}

bool Model::HitTest(const Ray& ray, f32* distance) const
{
    if (!bounds.IntersectsSegment(ray))
        return false;
    Matrix4 inverse = worldMatrix;
    inverse.Invert();
    Ray local = inverse.TransformRay(ray);
    local.direction.SetLength(1.0f);

    const u8* vertices = vertexBuffer->GetData();
    const u32 stride = vertexBuffer->GetStride();
    const u32 vertexCount = vertexBuffer->GetVertexCount();
    const u32 step = m_primitiveKind == RenderSystem::TriangleStrip ? 1 : 3;
    f32 best = kFarBound;
    bool hit = false;
    for (u32 i = 0; i < m_primitiveCount; ++i)
    {
        const u32 first = i * step;
        const u32 corners[3] = {IndexAt(first), IndexAt(first + 1), IndexAt(first + 2)};
        if (corners[0] >= vertexCount || corners[1] >= vertexCount || corners[2] >= vertexCount)
            continue;
        const Vector3 p0 = VertexPosition(vertices, stride, corners[0]);
        const Vector3 p1 = VertexPosition(vertices, stride, corners[1]);
        const Vector3 p2 = VertexPosition(vertices, stride, corners[2]);
        Plane plane;
        plane.SetFromPoints(p0, p1, p2);
        f32 t = 0.0f;
        if (!plane.Intersect(local, t) || !IsPointInTriangle(plane, p0, p1, p2, local.origin + local.direction * t))
            continue;
        best = std::min(best, t);
        hit = true;
        if (distance == nullptr)
            break;
    }
    if (distance != nullptr)
        *distance = best;
    return hit;
}
}
