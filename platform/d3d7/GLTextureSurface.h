// Texture surfaces: a level in CPU memory (top row first, as locked), optionally with a chain of smaller
// mip levels attached one to the next. Any thread may fill the levels; the first draw that samples the
// texture on the main thread uploads every level to one GL texture, and again after any level changed.
#pragma once

#include "platform/d3d7/GLSurface.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace Platform
{
struct GLTextureFormat;

class GLTextureSurface : public GLSurface
{
public:
    // A description with DDSCAPS_MIPMAP gets dwMipMapCount levels (all of them down to 1 x 1 when the count
    // is not given); the pixel format must be one that the device enumerates.
    static HRESULT Create(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description,
                          IDirectDrawSurface7** surface);

    HRESULT Blt(RECT* destination, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, void* effects) override;
    HRESULT Unlock(RECT* rect) override;
    // Only the top level is a texture to sample; its GL name covers the whole chain.
    GLuint TextureName() override;

    DWORD LevelCount() const;

    // The textures alive in the process, a chain of levels counting once: each has one GL texture at most,
    // made when it is first drawn.
    static std::uint32_t LiveCount() { return s_liveChains.load(); }

protected:
    ~GLTextureSurface() override;

private:
    // What the levels of one texture share: their order, whether GL is behind, and the GL texture.
    struct Chain
    {
        const GLTextureFormat* format = nullptr;
        std::vector<GLTextureSurface*> levels;
        std::atomic<bool> changed{true};
        GLuint name = 0;
        std::uint64_t contextSerial = 0;
    };

    GLTextureSurface(std::shared_ptr<GLDisplay> display, const DDSURFACEDESC2& description,
                     std::shared_ptr<Chain> chain, bool top);
    void Upload();

    std::shared_ptr<Chain> m_chain;
    bool m_top;

    static std::atomic<std::uint32_t> s_liveChains;
};
}
