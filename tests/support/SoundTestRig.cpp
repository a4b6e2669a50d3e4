// Sound system and sound manager over the mixer-only device.
#include "tests/support/SoundTestRig.h"

namespace TestSupport
{
SoundTestRig::SoundTestRig(VelkorEngine::u8 use3DSound)
    : m_system(std::make_unique<VelkorEngine::SoundSystem_DS7>(m_world.Log(), m_world.Files(), nullptr, nullptr, nullptr,
                                                              use3DSound)),
      m_manager(std::make_unique<VelkorEngine::SoundManager>(m_world.Log(), m_world.Files(), m_system.get()))
{
}

SoundTestRig::~SoundTestRig() { Shutdown(); }

void SoundTestRig::Shutdown()
{
    m_manager.reset();
    m_system.reset();
}
}
