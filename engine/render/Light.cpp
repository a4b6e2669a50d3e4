// The device-independent light: its defaults.
#include "engine/render/Light.h"

namespace VelkorEngine
{
Light::Light(MessageManager* log, u32 deviceIndex) : m_log(log), m_deviceIndex(deviceIndex)
{
}
}
