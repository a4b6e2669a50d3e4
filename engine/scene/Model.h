// The engine's one drawable mesh: vertex and index buffers drawn with one shader through one camera at one
// world matrix, a flags word that chooses how, an optional morph or skeletal animation, bounds, a depth key
// for sorting and a hit test. Models are made by the model manager; owners change their public fields.
#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Ray.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"
#include "engine/render/RenderSystem.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/ModelFile.h"
#include "engine/scene/Skeleton.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Camera;
class CameraManager;
class FileManager;
class IndexBuffer;
class LightManager;
class MessageManager;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;
class TimerManager;
class VertexBuffer;

// The engine services every model works with; none is owned.
struct ModelServices
{
    MessageManager* log = nullptr;
    FileManager* files = nullptr;
    TimerManager* timers = nullptr;
    RenderSystem* renderSystem = nullptr;
    CameraManager* cameras = nullptr;
    LightManager* lights = nullptr;
    ShaderManager* shaders = nullptr;
};

class Model
{
public:
    // Whether Update culls the model against its camera's frustum.
    static constexpr u8 Cull = 1;
    static constexpr u8 NoCull = 0;
    // The space ComputeBounds gives the box in.
    static constexpr u8 InModelSpace = 0;
    static constexpr u8 InWorldSpace = 1;

    // Reads the model file and the shader file of the same name with the extension "srf". A file that
    // cannot be read is logged as an error and thrown as Error with the same message.
    Model(const ModelServices& services, const std::string& fileName, Camera* camera, u32 flags);
    // Empty buffers for the caller to fill; a null shader is the default descriptor.
    Model(const ModelServices& services, u32 flags, u32 vertexCount, u32 indexCount, u32 frameCount,
          const ShaderDescriptor* shader, Camera* camera);
    // A box of 24 vertices and 12 triangles, four vertices a face.
    Model(const ModelServices& services, const Vector3& minimum, const Vector3& maximum,
          const ShaderDescriptor* shader, Camera* camera, u32 extraFlags);
    // New buffers in the layout the new flags ask for, a new user of the same shader; a null camera is the
    // source's camera.
    Model(const Model& source, Camera* camera, u32 extraFlags);
    virtual ~Model();

    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Setting one of FirstList and SecondList clears the other; CullClockwise, TwoPasses and
    // CullCounterClockwise exclude each other.
    void SetFlags(u32 bits);
    // Clearing one of FirstList and SecondList leaves the other set.
    void ClearFlags(u32 bits);

    // No effect on a buffer without vertex colours; such a buffer reads as white.
    void SetColor(const Color& color);
    Color GetColor() const;
    // Null is the camera manager's default camera.
    void SetCamera(Camera* camera);
    Camera* GetCamera() const { return m_camera; }
    // With a private shader only a private copy of the descriptor changes; otherwise the model gets a user
    // of the new descriptor, acquired before the old one is given back.
    void SetShaderDescriptor(const ShaderDescriptor& descriptor);
    void SetShader(const ShaderDescriptor& descriptor);
    ShaderUser* GetShader() const { return m_shader; }

    // Once a frame: animate, place the bounds, cull, compute the depth and rebuild animated vertices.
    void Update(u8 cull);
    // Draws with the state of the last update.
    void Render();
    void UpdatePrimitiveCount();
    Matrix4 GetRenderMatrix() const { return worldMatrix; }
    // The box of the vertices in use, transformed by the world matrix (its two corners only) when asked.
    void ComputeBounds(BoundingVolume& out, u8 transform) const;
    // Against the world bounds first, then every triangle in the model's own space; the distance is along the
    // normalised direction in that space, 100000 when nothing is hit.
    bool HitTest(const Ray& ray, f32* distance) const;

    u32 GetPrimitiveCount() const { return m_primitiveCount; }
    u32 GetPrimitivesToDraw() const { return m_primitivesToDraw; }
    Skeleton* GetSkeleton() const { return m_skeleton.get(); }
    const std::vector<f32>& GetKeyFrames() const { return m_keyFrames; }
    const std::vector<ModelVertex>& GetMorphVertices() const { return m_morphVertices; }
    const std::vector<SkinRecord>& GetSkins() const { return m_skins; }
    u8 IsPrivateShader() const { return m_privateShader; }
    void SetPrivateShader(u8 privateShader) { m_privateShader = privateShader; }
    const ShaderDescriptor* GetPrivateDescriptor() const { return m_privateDescriptor.get(); }

    // Written and read by the owners.
    std::string name;
    u32 flags = 0;
    std::unique_ptr<IndexBuffer> indexBuffer;
    std::unique_ptr<VertexBuffer> vertexBuffer;
    std::unique_ptr<AnimationControl> animation;
    Matrix4 worldMatrix;
    Matrix4 secondMatrix;
    BoundingVolume bounds;
    f32 depth = 0.0f;
    f32 depthOffset = 0.0f;
    // 0: animation moves the bounds but leaves the vertex buffer as it is.
    u8 animateVertices = 1;

private:
    void LoadFile(const std::string& fileName, ModelFile& file);
    void BuildFromFile(ModelFile& file, u32 givenFlags);
    void FillFileVertices(const ModelFile& file);
    void AcquireShader(const ShaderDescriptor* descriptor);
    void FinishConstruction(Camera* camera);
    void WriteBoxVertices(const Vector3& minimum, const Vector3& maximum);
    void WriteBoxIndices();

    bool HasMorphData() const;
    bool HasSkeletonData() const;
    void PlaceBounds(u32 frame, u32 nextFrame, f32 blend);
    void PlaceVertexBounds();
    bool VertexCacheChanged(u32 frame, u32 nextFrame, f32 blend);
    void RebuildMorphVertices(u32 frame, u32 nextFrame, f32 blend);
    void RebuildSkinnedVertices();
    u8* LockAllVertices();
    u32 CullModeOfPass(u32 pass) const;
    Vector3 VertexPosition(const u8* vertices, u32 stride, u32 index) const;
    u32 IndexAt(u32 position) const;

    ModelServices m_services;
    u32 m_primitiveKind = RenderSystem::TriangleStrip;
    ShaderUser* m_shader = nullptr;
    ShaderUser* m_secondShader = nullptr;
    std::unique_ptr<ShaderDescriptor> m_privateDescriptor;
    u8 m_privateShader = 0;
    std::vector<SkinRecord> m_skins;
    std::vector<ModelVertex> m_morphVertices;
    std::unique_ptr<Skeleton> m_skeleton;
    std::vector<f32> m_keyFrames;
    Camera* m_camera = nullptr;
    std::vector<BoundingVolume> m_frameBoxes;
    u32 m_primitiveCount = 0;
    u32 m_primitivesToDraw = 0;
    u8 m_cacheValid = 0;
    u32 m_cachedFrame = 0;
    u32 m_cachedNextFrame = 0;
    f32 m_cachedBlend = 0.0f;
    // The vertices' box as last computed, and the buffers' change stamps it was computed from: a box over
    // thousands of vertices is made again only when they may have changed.
    BoundingVolume m_vertexBox;
    u64 m_vertexBoxVertexStamp = 0;
    u64 m_vertexBoxIndexStamp = 0;
};
}
