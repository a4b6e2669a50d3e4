// Model creation, the fallback box for unreadable files, registration, and the per-frame pass that updates,
// sorts and draws the registered models.
#include "engine/scene/ModelManager.h"

#include "engine/core/Error.h"
#include "engine/render/RenderSystem.h"
#include "engine/scene/ModelFlags.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace VelkorEngine
{
namespace
{
// A key that is not a number (a model with undefined bounds) sorts as 0, so the order stays well defined.
f32 SortKey(const Model* model)
{
    const f32 key = model->depth + model->depthOffset;
    return std::isnan(key) ? 0.0f : key;
}

template <typename Make>
Model* Allocate(Make&& make)
{
    try
    {
        return make();
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}
}

ModelManager::ModelManager(MessageManager* log, FileManager* files, TimerManager* timers, RenderSystem* renderSystem,
                           CameraManager* cameras, LightManager* lights, ShaderManager* shaders)
    : m_services{log, files, timers, renderSystem, cameras, lights, shaders}
{
}

ModelManager::~ModelManager()
{
    m_firstList.clear();
    m_secondList.clear();
}

Model* ModelManager::NewBoxModel(const Vector3& minimum, const Vector3& maximum, const ShaderDescriptor* shader,
                                 Camera* camera, u32 extraFlags)
{
    return Allocate([&] { return new Model(m_services, minimum, maximum, shader, camera, extraFlags); });
}

Model* ModelManager::CreateBoxModel(const Vector3& minimum, const Vector3& maximum, const ShaderDescriptor* shader,
                                    Camera* camera, u32 extraFlags)
{
    return Register(NewBoxModel(minimum, maximum, shader, camera, extraFlags));
}

Model* ModelManager::CreateSelfMadeModel(u32 flags, u32 vertexCount, u32 indexCount, u32 frameCount,
                                         const ShaderDescriptor* shader, Camera* camera)
{
    return Register(Allocate(
        [&] { return new Model(m_services, flags, vertexCount, indexCount, frameCount, shader, camera); }));
}

// The file constructor has already logged why the file could not be read.
Model* ModelManager::NewModelFromFile(const std::string& name, Camera* camera, u32 flags)
{
    try
    {
        return Allocate([&] { return new Model(m_services, name, camera, flags); });
    }
    catch (const Error&)
    {
        Model* box = NewBoxModel(Vector3(-1.0f), Vector3(1.0f), nullptr, camera, flags);
        if (box != nullptr)
            box->name = name;
        return box;
    }
}

Model* ModelManager::CreateModelFromFile(const std::string& name, Camera* camera, u32 flags)
{
    return Register(NewModelFromFile(name, camera, flags));
}

Model* ModelManager::NewModelCopy(const Model& source, Camera* camera, u32 extraFlags)
{
    return Allocate([&] { return new Model(source, camera, extraFlags); });
}

Model* ModelManager::CreateModelCopy(const Model& source, Camera* camera, u32 extraFlags)
{
    return Register(NewModelCopy(source, camera, extraFlags));
}

Model* ModelManager::Register(Model* model)
{
    if (model != nullptr)
    {
        std::lock_guard<std::mutex> lock(m_registration);
        m_models.Add(std::unique_ptr<Model>(model));
    }
    return model;
}

// The model is deleted outside the lock: giving back its shader takes the shader manager's own lock.
void ModelManager::DeleteModel(Model* model)
{
    std::unique_ptr<Model> detached;
    {
        std::lock_guard<std::mutex> lock(m_registration);
        detached = m_models.Extract(model);
    }
}

void ModelManager::Render()
{
    m_primitiveCount = 0;
    m_primitivesDrawn = 0;
    m_visibleModelCount = 0;
    m_drawnModelCount = 0;
    if (m_services.renderSystem->IsActive() == 0)
        return;

    std::lock_guard<std::mutex> lock(m_registration);
    CollectModels();
    SortLists();
    RenderSystem* renderSystem = m_services.renderSystem;
    renderSystem->BeginScene();
    for (const ListEntry& entry : m_firstList)
        entry.model->Render();
    for (const ListEntry& entry : m_secondList)
        entry.model->Render();
    renderSystem->EndScene();
}

// Every registered model is updated, so the animation of a hidden or culled one keeps running.
void ModelManager::CollectModels()
{
    m_firstList.clear();
    m_secondList.clear();
    m_firstList.reserve(m_models.GetSlotCount());
    m_secondList.reserve(m_models.GetSlotCount());
    m_models.ForEach([this](Model& model) { Collect(&model); });
}

void ModelManager::Collect(Model* model)
{
    model->Update(Model::Cull);
    const u32 toDraw = model->GetPrimitivesToDraw();
    if (model->flags & ModelFlags::Visible)
    {
        m_primitiveCount += model->GetPrimitiveCount();
        m_primitivesDrawn += toDraw;
        ++m_visibleModelCount;
        if (toDraw > 0)
            ++m_drawnModelCount;
    }
    if (toDraw == 0)
        return;
    std::vector<ListEntry>& list = (model->flags & ModelFlags::FirstList) ? m_firstList : m_secondList;
    list.push_back(ListEntry{model, SortKey(model), static_cast<u32>(list.size())});
}

// Equal keys keep the slot order, so such models do not swap places from frame to frame. The sort works in
// place: nothing is allocated in a frame.
void ModelManager::SortLists()
{
    std::sort(m_secondList.begin(), m_secondList.end(), [](const ListEntry& a, const ListEntry& b)
              { return a.key > b.key || (a.key == b.key && a.order < b.order); });
    std::sort(m_firstList.begin(), m_firstList.end(), [](const ListEntry& a, const ListEntry& b)
              { return a.key < b.key || (a.key == b.key && a.order < b.order); });
}

void ModelManager::SwapBuffers()
{
    if (m_services.renderSystem->IsActive() != 0)
        m_services.renderSystem->SwapBuffers();
}
}
