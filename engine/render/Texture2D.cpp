// Texture identity.
#include "engine/render/Texture2D.h"

#include <atomic>

namespace VelkorEngine
{
namespace
{
// Textures are made on the loading thread too.
std::atomic<u64> g_lastSerial{0};
}

Texture2D::Texture2D(const std::string& keyName) : m_keyName(keyName), m_serial(++g_lastSerial) {}

Texture2D::~Texture2D() = default;
}
