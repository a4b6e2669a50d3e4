// A fixed number of camera-facing squares drawn through one model of the group's own: every update rebuilds
// the squares of the sprites in use, farthest first, into the model's vertices. Particle systems draw their
// particles through one; the game makes others for glows and markers.
#pragma once

#include "engine/core/Color.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"
#include "engine/scene/FreeIndexQueue.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/Sprite.h"

#include <vector>

namespace VelkorEngine
{
class Camera;
class CameraManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;

class SpriteGroup
{
public:
    // Drawn without depth writes after the opaque models, far to near, with vertex colours.
    static constexpr u32 GroupModelFlags = ModelFlags::Static | ModelFlags::TriangleList | ModelFlags::VertexColor |
                                           ModelFlags::DepthTest | ModelFlags::SecondList |
                                           ModelFlags::BoundsFromVertices | ModelFlags::Visible |
                                           ModelFlags::NoDepthWrite | ModelFlags::VertexBufferUsage;
    static_assert(GroupModelFlags == 0x2C84A9, "the flags word every group's model is made with");
    // Four vertices and six indices a sprite: larger groups are held to this size.
    static constexpr u32 MaxCapacity = 65536;

    // A null shader is the default descriptor; a null camera is the camera manager's default camera. The log
    // and the shader manager are reached through the group's model.
    SpriteGroup(MessageManager* log, CameraManager* cameraManager, ShaderManager* shaderManager,
                ModelManager* modelManager, u32 capacity, const ShaderDescriptor* shader, Camera* camera);
    // Without its sprites the copy starts with every sprite free.
    SpriteGroup(const SpriteGroup& source, bool copySprites);
    virtual ~SpriteGroup();

    SpriteGroup& operator=(const SpriteGroup&) = delete;

    // The oldest freed index, or 0 with nothing changed when every sprite is in use (GetFreeCount tells).
    u32 AddSprite(const Vector3& position, f32 size, const Color& color);
    // An index past the end or already free is ignored.
    void ReleaseSprite(u32 index);
    // Null past the end. Changes show after the next update.
    Sprite* GetSprite(u32 index);
    u32 GetFreeCount() const { return m_freeIndices.GetCount(); }
    u32 GetCapacity() const { return m_capacity; }

    bool IsVisible() const;
    void SetVisible(bool visible);
    ShaderUser* GetShader() const;
    void SetShader(const ShaderDescriptor& descriptor);
    Model* GetModel() const { return m_model; }

    // Once a frame, before the models are drawn; a hidden group keeps what it drew last.
    void Update();

    // The camera whose axes the squares face; null means the camera manager's default camera.
    Camera* camera = nullptr;
    // Off: sprites are written in record order.
    u8 sortByDepth = 1;
    // The mean position of the sprites written by the last update.
    Vector3 center;
    // Multiplies every sprite's colour.
    Color groupColor{1.0f, 1.0f, 1.0f, 1.0f};

private:
    void WriteIndices();
    void WriteTextureCoordinates();
    u32 CollectSprites(const Camera& view);
    void SortFarthestFirst();
    void WriteQuads(const Camera& view, u32 count);

    // A sprite in use with its sort key: sorting these small records in one block is much faster than
    // sorting pointers into the records.
    struct DrawEntry
    {
        f32 depth;
        u32 index;
    };

    CameraManager* m_cameraManager = nullptr;
    ModelManager* m_modelManager = nullptr;
    FreeIndexQueue m_freeIndices;
    u32 m_capacity = 0;
    std::vector<Sprite> m_sprites;
    std::vector<DrawEntry> m_drawList;
    std::vector<DrawEntry> m_sortScratch;
    std::vector<u32> m_sortKeys;
    std::vector<u32> m_sortScratchKeys;
    Model* m_model = nullptr;
};
}
