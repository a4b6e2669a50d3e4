// Listener bookkeeping shared by every sound system.
#include "engine/sound/SoundSystem.h"

namespace VelkorEngine
{
SoundSystem::SoundSystem(MessageManager* log, FileManager* fileManager, Config* config, u8 use3DSound)
    : m_log(log), m_fileManager(fileManager), m_config(config), m_use3DSound(use3DSound)
{
}

SoundSystem::~SoundSystem() = default;

void SoundSystem::Refresh() {}

void SoundSystem::SetListenerPosition(const Vector3& position) { m_listenerPosition = position; }

void SoundSystem::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    m_listenerFront = front;
    m_listenerTop = top;
}

void SoundSystem::Reset()
{
    SetListenerPosition(Vector3(0.0f, 0.0f, 0.0f));
    SetListenerOrientation(Vector3(0.0f, 0.0f, -1.0f), Vector3(0.0f, 1.0f, 0.0f));
}
}
