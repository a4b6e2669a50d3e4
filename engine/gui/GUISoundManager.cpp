// The GUI's sound table: variants per number, played least recently started first.
#include "engine/gui/GUISoundManager.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
// Two plays of one number closer together than this are one event.
constexpr f32 kMinimumInterval = 0.01f;
}

GUISoundManager::GUISoundManager(TimerManager* timers, SoundManager* sounds) : m_timers(timers), m_sounds(sounds) {}

GUISoundManager::~GUISoundManager()
{
    if (m_sounds == nullptr)
        return;
    for (auto& [id, variants] : m_variants)
        for (Variant& variant : variants)
            m_sounds->DeleteSound(variant.sound);
}

void GUISoundManager::AddSound(u32 id, const std::string& fileName)
{
    if (m_sounds == nullptr)
        return;
    Sound* sound = m_sounds->CreateSound(fileName);
    if (sound == nullptr)
        return;
    sound->SetVolume(m_volume);
    m_variants[id].push_back(Variant{sound, 0.0f});
}

void GUISoundManager::Play(u32 id)
{
    if (m_sounds == nullptr)
        return;
    const auto found = m_variants.find(id);
    if (found == m_variants.end() || found->second.empty())
        return;
    std::vector<Variant>& variants = found->second;
    const f32 now = Now();
    Variant* oldest = &variants.front();
    for (Variant& variant : variants)
    {
        if (std::fabs(now - variant.lastStart) < kMinimumInterval)
            return;
        if (variant.lastStart < oldest->lastStart)
            oldest = &variant;
    }
    m_sounds->Play(oldest->sound, SoundManager::Immediately);
    oldest->lastStart = now;
}

f32 GUISoundManager::Now() const
{
    if (m_timers == nullptr || m_timers->GetFrameTimer() == nullptr)
        return 0.0f;
    return m_timers->GetFrameTimer()->GetTime();
}
}
