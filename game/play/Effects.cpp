// Shadow slots and running one-shot effects.
#include "game/play/Effects.h"

#include "engine/core/Engine.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"

#include <algorithm>

using namespace VelkorEngine;

namespace Korvane
{
Effects::Effects(Engine* engine)
    : m_engine(engine), m_models(engine->GetModelManager()), m_particles(engine->GetParticleSystemManager())
{
}

Effects::~Effects()
{
    for (ParticleSystem* system : m_running)
        m_particles->DeleteParticleSystem(system);
}

u32 Effects::AddShadow(const Skeleton* casterPose, const Model* casterModel, bool copyMesh)
{
    u32 slot = static_cast<u32>(m_shadows.size());
    if (!m_freeSlots.empty())
    {
        slot = m_freeSlots.front();
        m_freeSlots.pop_front();
    }
    auto shadow = std::make_unique<Shadow>(m_engine, casterPose, casterModel, copyMesh);
    shadow->SetDirection(m_shadowDirection);
    if (slot == m_shadows.size())
        m_shadows.push_back(std::move(shadow));
    else
        m_shadows[slot] = std::move(shadow);
    m_usedSlots.push_back(slot);
    return slot;
}

void Effects::RemoveShadow(Shadow* shadow)
{
    const auto used = std::find_if(m_usedSlots.begin(), m_usedSlots.end(),
                                   [&](u32 slot) { return m_shadows[slot].get() == shadow; });
    if (shadow == nullptr || used == m_usedSlots.end())
        return;
    m_shadows[*used].reset();
    m_freeSlots.push_back(*used);
    m_usedSlots.erase(used);
}

void Effects::SetShadowDirection(const Vector2& direction)
{
    m_shadowDirection = direction;
    for (u32 slot : m_usedSlots)
        m_shadows[slot]->SetDirection(direction);
}

Shadow* Effects::GetShadow(u32 slot) const
{
    return slot < m_shadows.size() ? m_shadows[slot].get() : nullptr;
}

void Effects::AddEffect(ParticleSystem* system)
{
    if (system == nullptr)
        return;
    system->time = 0.0f;
    system->active = 1;
    system->SetVisible(true);
    // Started again while still running, it is still one effect to delete once.
    if (std::find(m_running.begin(), m_running.end(), system) == m_running.end())
        m_running.push_back(system);
}

void Effects::Update()
{
    for (u32 slot : m_usedSlots)
        m_shadows[slot]->Update();
    const auto burntOut = [&](ParticleSystem* system) {
        if (!system->IsSpent())
            return false;
        m_particles->DeleteParticleSystem(system);
        return true;
    };
    m_running.erase(std::remove_if(m_running.begin(), m_running.end(), burntOut), m_running.end());
}
}
