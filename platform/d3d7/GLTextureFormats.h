// The texture formats the OpenGL layer offers to Direct3D, and how each one is handed to glTexImage2D.
#pragma once

#include "platform/d3d7/D3D.h"

#include <SDL2/SDL_opengl.h>

namespace Platform
{
struct GLTextureFormat
{
    DDPIXELFORMAT pixelFormat;
    GLint internalFormat;
    GLenum format;
    GLenum type;
};

class GLTextureFormats
{
public:
    // Every format in the order a device enumerates them: 32-bit ones first.
    static HRESULT Enumerate(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context);
    // The entry whose bit count and masks equal the description's, or null.
    static const GLTextureFormat* Find(const DDPIXELFORMAT& pixelFormat);
};
}
