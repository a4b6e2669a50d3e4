// Texture levels in CPU memory and their deferred upload to one GL texture on the main thread.
#include "platform/d3d7/GLTextureSurface.h"

#include "platform/d3d7/GLContext.h"
#include "platform/d3d7/GLTextureFormats.h"

#include <algorithm>

namespace Platform
{
namespace
{
DWORD FullChainLength(DWORD width, DWORD height)
{
    DWORD levels = 1;
    for (DWORD side = std::max(width, height); side > 1; side /= 2)
        ++levels;
    return levels;
}

// Keeps the active unit's binding and the unpack alignment as the device left them.
class UploadScope
{
public:
    UploadScope()
    {
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &m_binding);
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &m_alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    ~UploadScope()
    {
        glPixelStorei(GL_UNPACK_ALIGNMENT, m_alignment);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(m_binding));
    }
    UploadScope(const UploadScope&) = delete;
    UploadScope& operator=(const UploadScope&) = delete;

private:
    GLint m_binding = 0;
    GLint m_alignment = 4;
};
}

HRESULT GLTextureSurface::Create(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description,
                                 IDirectDrawSurface7** surface)
{
    auto chain = std::make_shared<Chain>();
    if (!(description.dwFlags & DDSD_PIXELFORMAT) || !(chain->format = GLTextureFormats::Find(description.ddpfPixelFormat)))
        return DDERR_INVALIDPIXELFORMAT;
    const DWORD fullChain = FullChainLength(description.dwWidth, description.dwHeight);
    DWORD levels = 1;
    if (description.ddsCaps.dwCaps & DDSCAPS_MIPMAP)
        levels = (description.dwFlags & DDSD_MIPMAPCOUNT) && description.dwMipMapCount > 0 ? description.dwMipMapCount
                                                                                          : fullChain;
    if (levels > fullChain)
        return DDERR_INVALIDPARAMS;

    DDSURFACEDESC2 level = description;
    level.dwMipMapCount = levels;
    auto* top = new GLTextureSurface(display, level, chain, true);
    GLTextureSurface* previous = top;
    for (DWORD i = 1; i < levels; ++i)
    {
        level.dwWidth = std::max<DWORD>(1, level.dwWidth / 2);
        level.dwHeight = std::max<DWORD>(1, level.dwHeight / 2);
        level.dwMipMapCount = levels - i;
        level.ddsCaps.dwCaps = (description.ddsCaps.dwCaps & ~DDSCAPS_COMPLEX) | DDSCAPS_TEXTURE | DDSCAPS_MIPMAP;
        auto* next = new GLTextureSurface(display, level, chain, false);
        previous->AddAttachedSurface(next);
        next->Release(); // the level above holds it from here on
        previous = next;
    }
    *surface = top;
    return DD_OK;
}

std::atomic<std::uint32_t> GLTextureSurface::s_liveChains{0};

GLTextureSurface::GLTextureSurface(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description,
                                   std::shared_ptr<Chain> chain, bool top)
    : GLSurface(std::move(display), description), m_chain(std::move(chain)), m_top(top)
{
    m_chain->levels.push_back(this);
    if (m_top)
        ++s_liveChains;
}

GLTextureSurface::~GLTextureSurface()
{
    if (m_top)
        --s_liveChains;
    if (m_top && m_chain->name)
        GLContext::DeleteLater(GLObjectKind::Texture, m_chain->name, m_chain->contextSerial);
}

DWORD GLTextureSurface::LevelCount() const { return static_cast<DWORD>(m_chain->levels.size()); }

HRESULT GLTextureSurface::Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags,
                              void* effects)
{
    const HRESULT result = GLSurface::Blt(destination, source, sourceRect, flags, effects);
    if (SUCCEEDED(result))
        m_chain->changed = true;
    return result;
}

HRESULT GLTextureSurface::Unlock(RECT* rect)
{
    const HRESULT result = GLSurface::Unlock(rect);
    if (SUCCEEDED(result))
        m_chain->changed = true;
    return result;
}

GLuint GLTextureSurface::TextureName()
{
    if (!m_top)
        return 0;
    if (m_chain->name && m_chain->contextSerial != GLContext::Serial())
    {
        // The context the texture lived in is gone, and the texture with it.
        m_chain->name = 0;
        m_chain->changed = true;
    }
    if (m_chain->changed.exchange(false))
        Upload();
    return m_chain->name;
}

void GLTextureSurface::Upload()
{
    UploadScope scope;
    if (!m_chain->name)
    {
        glGenTextures(1, &m_chain->name);
        GLContext::NoteCreated(GLObjectKind::Texture);
        m_chain->contextSerial = GLContext::Serial();
    }
    glBindTexture(GL_TEXTURE_2D, m_chain->name);
    // Without this a texture of fewer levels than a mip filter wants would sample as incomplete.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(m_chain->levels.size()) - 1);
    const GLTextureFormat& format = *m_chain->format;
    for (size_t i = 0; i < m_chain->levels.size(); ++i)
    {
        GLTextureSurface& level = *m_chain->levels[i];
        // Surface row 0 is texture coordinate v = 0, as GL's first row is t = 0: rows go up unchanged.
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), format.internalFormat, static_cast<GLsizei>(level.Width()),
                     static_cast<GLsizei>(level.Height()), 0, format.format, format.type, level.Pixels().data());
    }
}
}
