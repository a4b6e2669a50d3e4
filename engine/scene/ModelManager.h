// Makes every model. The Create operations register the model, which the manager then owns, animates and
// draws once a frame (opaque models near to far, then the rest far to near); the New operations hand out
// models the manager does not know, and may run on the loading thread.
#pragma once

#include "engine/core/ObjectManager.h"
#include "engine/core/Types.h"
#include "engine/core/Vector3.h"
#include "engine/scene/Model.h"

#include <mutex>
#include <string>
#include <vector>

namespace VelkorEngine
{
class ModelManager
{
public:
    ModelManager(MessageManager* log, FileManager* files, TimerManager* timers, RenderSystem* renderSystem,
                 CameraManager* cameras, LightManager* lights, ShaderManager* shaders);
    virtual ~ModelManager();

    ModelManager(const ModelManager&) = delete;
    ModelManager& operator=(const ModelManager&) = delete;

    // Each returns the new model, or null when there was no memory for it.
    Model* NewBoxModel(const Vector3& minimum, const Vector3& maximum, const ShaderDescriptor* shader,
                       Camera* camera, u32 extraFlags);
    Model* CreateBoxModel(const Vector3& minimum, const Vector3& maximum, const ShaderDescriptor* shader,
                          Camera* camera, u32 extraFlags);
    Model* CreateSelfMadeModel(u32 flags, u32 vertexCount, u32 indexCount, u32 frameCount,
                               const ShaderDescriptor* shader, Camera* camera);
    // A file that cannot be read gives a box from (-1, -1, -1) to (1, 1, 1) named after the file.
    Model* NewModelFromFile(const std::string& name, Camera* camera, u32 flags);
    Model* CreateModelFromFile(const std::string& name, Camera* camera, u32 flags);
    Model* NewModelCopy(const Model& source, Camera* camera, u32 extraFlags);
    Model* CreateModelCopy(const Model& source, Camera* camera, u32 extraFlags);
    // Null and models this manager does not hold are left alone.
    void DeleteModel(Model* model);

    // Updates every registered model and draws the visible ones between BeginScene and EndScene.
    void Render();
    void SwapBuffers();

    u32 GetModelCount() const { return m_models.GetCount(); }

    // Counters of the last Render.
    u32 GetPrimitiveCount() const { return m_primitiveCount; }
    u32 GetPrimitivesDrawn() const { return m_primitivesDrawn; }
    u32 GetVisibleModelCount() const { return m_visibleModelCount; }
    u32 GetDrawnModelCount() const { return m_drawnModelCount; }

private:
    Model* Register(Model* model);
    void CollectModels();
    void Collect(Model* model);
    void SortLists();

    // A model of a drawing list with its sort key, taken once a frame, and its place in the slot order, which
    // settles equal keys so the order is the same in every frame.
    struct ListEntry
    {
        Model* model;
        f32 key;
        u32 order;
    };

    ModelServices m_services;
    ObjectManager<Model> m_models;
    std::vector<ListEntry> m_firstList;
    std::vector<ListEntry> m_secondList;
    u32 m_primitiveCount = 0;
    u32 m_primitivesDrawn = 0;
    u32 m_visibleModelCount = 0;
    u32 m_drawnModelCount = 0;
    // Registration may come from the loading thread (a particle system loaded there registers its model)
    // while the main thread walks the models.
    std::mutex m_registration;
};
}
