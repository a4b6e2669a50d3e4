// The Direct3D 7 to OpenGL state tables.
#include "platform/d3d7/GLStateMapping.h"

namespace Platform
{
GLenum GLStateMapping::BlendFactor(DWORD blend)
{
    switch (blend)
    {
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ZERO;
    }
}

GLenum GLStateMapping::CompareFunction(DWORD function)
{
    switch (function)
    {
    case D3DCMP_NEVER: return GL_NEVER;
    case D3DCMP_LESS: return GL_LESS;
    case D3DCMP_EQUAL: return GL_EQUAL;
    case D3DCMP_LESSEQUAL: return GL_LEQUAL;
    case D3DCMP_GREATER: return GL_GREATER;
    case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

// The device's INCR and DECR wrap around; its INCRSAT and DECRSAT stop at the ends, as GL's INCR and DECR do.
GLenum GLStateMapping::StencilOperation(DWORD operation)
{
    switch (operation)
    {
    case D3DSTENCILOP_ZERO: return GL_ZERO;
    case D3DSTENCILOP_REPLACE: return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT: return GL_INCR;
    case D3DSTENCILOP_DECRSAT: return GL_DECR;
    case D3DSTENCILOP_INVERT: return GL_INVERT;
    case D3DSTENCILOP_INCR: return GL_INCR_WRAP;
    case D3DSTENCILOP_DECR: return GL_DECR_WRAP;
    default: return GL_KEEP;
    }
}

// Both interfaces judge the winding as seen on the screen: culling clockwise faces keeps the
// counter-clockwise ones as front faces.
GLCullSetting GLStateMapping::Cull(DWORD cullMode)
{
    switch (cullMode)
    {
    case D3DCULL_CW: return GLCullSetting{true, GL_CCW};
    case D3DCULL_CCW: return GLCullSetting{true, GL_CW};
    default: return GLCullSetting{};
    }
}

GLenum GLStateMapping::AddressMode(DWORD address)
{
    switch (address)
    {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
    default: return GL_REPEAT;
    }
}

GLenum GLStateMapping::MagnificationFilter(DWORD magnification)
{
    return magnification == D3DTFG_POINT ? GL_NEAREST : GL_LINEAR;
}

GLenum GLStateMapping::MinificationFilter(DWORD minification, DWORD mipFilter)
{
    const bool linear = minification != D3DTFN_POINT;
    switch (mipFilter)
    {
    case D3DTFP_POINT: return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    case D3DTFP_LINEAR: return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    default: return linear ? GL_LINEAR : GL_NEAREST;
    }
}

bool GLStateMapping::IsAnisotropic(DWORD magnification, DWORD minification)
{
    return magnification == D3DTFG_ANISOTROPIC || minification == D3DTFN_ANISOTROPIC;
}

GLenum GLStateMapping::PrimitiveMode(D3DPRIMITIVETYPE type)
{
    switch (type)
    {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
    default: return GL_TRIANGLES;
    }
}

void GLStateMapping::Projection(const D3DMATRIX& projection, float out[16])
{
    // The device's array read column-major is already the column-vector form of its matrix.
    const float* p = &projection._11;
    for (int column = 0; column < 4; ++column)
    {
        out[column * 4 + 0] = p[column * 4 + 0];
        out[column * 4 + 1] = p[column * 4 + 1];
        out[column * 4 + 2] = 2.0f * p[column * 4 + 2] - p[column * 4 + 3];
        out[column * 4 + 3] = p[column * 4 + 3];
    }
}

void GLStateMapping::TextureMatrix(const D3DMATRIX& transform, DWORD transformFlags, float out[16])
{
    for (int i = 0; i < 16; ++i)
        out[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    if (transformFlags == D3DTTFF_DISABLE)
        return;
    out[0] = transform._11;
    out[1] = transform._12;
    out[4] = transform._21;
    out[5] = transform._22;
    out[12] = transform._31;
    out[13] = transform._32;
}

namespace
{
GLenum ArgumentSource(DWORD argument)
{
    switch (argument & D3DTA_SELECTMASK)
    {
    case D3DTA_CURRENT: return GL_PREVIOUS;
    case D3DTA_TEXTURE: return GL_TEXTURE;
    case D3DTA_TFACTOR: return GL_CONSTANT;
    default: return GL_PRIMARY_COLOR; // diffuse; the specular colour has no place in the combiner
    }
}

GLenum ArgumentOperand(DWORD argument, bool alpha)
{
    const bool complement = (argument & D3DTA_COMPLEMENT) != 0;
    if (alpha || (argument & D3DTA_ALPHAREPLICATE))
        return complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
    return complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
}

GLCombineSetting Select(DWORD argument, bool alpha)
{
    GLCombineSetting setting;
    setting.function = GL_REPLACE;
    setting.source[0] = setting.source[1] = ArgumentSource(argument);
    setting.operand[0] = setting.operand[1] = ArgumentOperand(argument, alpha);
    return setting;
}
}

GLCombineSetting GLStateMapping::Combine(DWORD operation, DWORD argument1, DWORD argument2, bool alpha)
{
    if (operation == D3DTOP_DISABLE)
        return Select(D3DTA_CURRENT, alpha);
    if (operation == D3DTOP_SELECTARG1)
        return Select(argument1, alpha);
    if (operation == D3DTOP_SELECTARG2)
        return Select(argument2, alpha);
    GLCombineSetting setting;
    setting.source[0] = ArgumentSource(argument1);
    setting.source[1] = ArgumentSource(argument2);
    setting.operand[0] = ArgumentOperand(argument1, alpha);
    setting.operand[1] = ArgumentOperand(argument2, alpha);
    switch (operation)
    {
    case D3DTOP_MODULATE2X: setting.scale = 2; break;
    case D3DTOP_MODULATE4X: setting.scale = 4; break;
    case D3DTOP_ADD: setting.function = GL_ADD; break;
    case D3DTOP_ADDSIGNED: setting.function = GL_ADD_SIGNED; break;
    case D3DTOP_ADDSIGNED2X:
        setting.function = GL_ADD_SIGNED;
        setting.scale = 2;
        break;
    case D3DTOP_SUBTRACT: setting.function = GL_SUBTRACT; break;
    default: break;
    }
    return setting;
}

namespace
{
// Modulating the current value by the white that a missing texture reads as, or passing it on unchanged.
bool KeepsCurrent(bool firstStage, DWORD operation, DWORD argument1, DWORD argument2)
{
    auto isCurrent = [firstStage](DWORD argument)
    { return argument == D3DTA_CURRENT || (firstStage && argument == D3DTA_DIFFUSE); };
    if (operation == D3DTOP_DISABLE)
        return true;
    if (operation == D3DTOP_SELECTARG1)
        return isCurrent(argument1);
    if (operation == D3DTOP_SELECTARG2)
        return isCurrent(argument2);
    return operation == D3DTOP_MODULATE && ((argument1 == D3DTA_TEXTURE && isCurrent(argument2)) ||
                                            (isCurrent(argument1) && argument2 == D3DTA_TEXTURE));
}
}

bool GLStateMapping::IsPassThroughWithoutTexture(bool firstStage, DWORD colourOperation, DWORD colourArgument1,
                                                 DWORD colourArgument2, DWORD alphaOperation,
                                                 DWORD alphaArgument1, DWORD alphaArgument2)
{
    return KeepsCurrent(firstStage, colourOperation, colourArgument1, colourArgument2) &&
           KeepsCurrent(firstStage, alphaOperation, alphaArgument1, alphaArgument2);
}

void GLStateMapping::ColorToFloats(D3DCOLOR color, float out[4])
{
    out[0] = static_cast<float>((color >> 16) & 0xFF) / 255.0f;
    out[1] = static_cast<float>((color >> 8) & 0xFF) / 255.0f;
    out[2] = static_cast<float>(color & 0xFF) / 255.0f;
    out[3] = static_cast<float>(color >> 24) / 255.0f;
}
}
