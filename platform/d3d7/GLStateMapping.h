// How Direct3D 7 state values read in OpenGL's fixed-function terms: pure functions, so the tables are
// tested without a context.
#pragma once

#include "platform/d3d7/D3D.h"

#include <SDL2/SDL_opengl.h>

namespace Platform
{
struct GLCullSetting
{
    bool enabled = false;
    GLenum frontFace = GL_CCW; // faces of the other winding are culled
};

// One half (colour or alpha) of a texture stage as a GL_COMBINE texture environment.
struct GLCombineSetting
{
    GLenum function = GL_MODULATE;
    GLint scale = 1;
    GLenum source[2] = {GL_TEXTURE, GL_PREVIOUS};
    GLenum operand[2] = {GL_SRC_COLOR, GL_SRC_COLOR};
};

class GLStateMapping
{
public:
    static GLenum BlendFactor(DWORD blend);
    static GLenum CompareFunction(DWORD function);
    static GLenum StencilOperation(DWORD operation);
    static GLCullSetting Cull(DWORD cullMode);
    static GLenum AddressMode(DWORD address);
    static GLenum MagnificationFilter(DWORD magnification);
    static GLenum MinificationFilter(DWORD minification, DWORD mipFilter);
    static bool IsAnisotropic(DWORD magnification, DWORD minification);
    static GLenum PrimitiveMode(D3DPRIMITIVETYPE type);

    // The device's projection gives depth from 0 to w, GL's from -w to w. Out: the GL projection,
    // column-major. Pixel centres stay GL's: edges on whole pixel coordinates then lie between centres and
    // cover the same pixels on both, whatever each one's rule for a centre on an edge.
    static void Projection(const D3DMATRIX& projection, float out[16]);
    // A stage's transform of 2D coordinates: (u, v, 1) times rows 1, 2 and 3, so row 3 holds the offset; in GL
    // the offset belongs with q = 1. Out: the GL texture matrix, column-major (identity when disabled).
    static void TextureMatrix(const D3DMATRIX& transform, DWORD transformFlags, float out[16]);

    static GLCombineSetting Combine(DWORD operation, DWORD argument1, DWORD argument2, bool alpha);
    // A stage without a texture whose result equals its input can be left out altogether. On the first
    // stage the current value is the diffuse colour.
    static bool IsPassThroughWithoutTexture(bool firstStage, DWORD colourOperation, DWORD colourArgument1,
                                            DWORD colourArgument2, DWORD alphaOperation, DWORD alphaArgument1,
                                            DWORD alphaArgument2);
    static void ColorToFloats(D3DCOLOR color, float out[4]);
};
}
