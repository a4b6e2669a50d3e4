// The Direct3D 7 to OpenGL state tables, checked without a context.
#include "platform/d3d7/GLStateMapping.h"

#include <gtest/gtest.h>

namespace
{
using Platform::GLStateMapping;

struct EnumCase
{
    DWORD device;
    GLenum gl;
};

TEST(GLStateMapping, BlendFactors)
{
    const EnumCase cases[] = {{D3DBLEND_ZERO, GL_ZERO},
                              {D3DBLEND_ONE, GL_ONE},
                              {D3DBLEND_SRCCOLOR, GL_SRC_COLOR},
                              {D3DBLEND_INVSRCCOLOR, GL_ONE_MINUS_SRC_COLOR},
                              {D3DBLEND_SRCALPHA, GL_SRC_ALPHA},
                              {D3DBLEND_INVSRCALPHA, GL_ONE_MINUS_SRC_ALPHA},
                              {D3DBLEND_DESTALPHA, GL_DST_ALPHA},
                              {D3DBLEND_INVDESTALPHA, GL_ONE_MINUS_DST_ALPHA},
                              {D3DBLEND_DESTCOLOR, GL_DST_COLOR},
                              {D3DBLEND_INVDESTCOLOR, GL_ONE_MINUS_DST_COLOR},
                              {D3DBLEND_SRCALPHASAT, GL_SRC_ALPHA_SATURATE},
                              {99, GL_ZERO}};
    for (const EnumCase& c : cases)
        EXPECT_EQ(GLStateMapping::BlendFactor(c.device), c.gl) << "blend " << c.device;
}

TEST(GLStateMapping, CompareFunctions)
{
    const EnumCase cases[] = {{D3DCMP_NEVER, GL_NEVER},       {D3DCMP_LESS, GL_LESS},
                              {D3DCMP_EQUAL, GL_EQUAL},       {D3DCMP_LESSEQUAL, GL_LEQUAL},
                              {D3DCMP_GREATER, GL_GREATER},   {D3DCMP_NOTEQUAL, GL_NOTEQUAL},
                              {D3DCMP_GREATEREQUAL, GL_GEQUAL}, {D3DCMP_ALWAYS, GL_ALWAYS}};
    for (const EnumCase& c : cases)
        EXPECT_EQ(GLStateMapping::CompareFunction(c.device), c.gl) << "function " << c.device;
}

TEST(GLStateMapping, StencilIncrementWrapsAndTheSaturatingOneStops)
{
    EXPECT_EQ(GLStateMapping::StencilOperation(D3DSTENCILOP_INCR), GLenum(GL_INCR_WRAP));
    EXPECT_EQ(GLStateMapping::StencilOperation(D3DSTENCILOP_INCRSAT), GLenum(GL_INCR));
    EXPECT_EQ(GLStateMapping::StencilOperation(D3DSTENCILOP_DECR), GLenum(GL_DECR_WRAP));
    EXPECT_EQ(GLStateMapping::StencilOperation(D3DSTENCILOP_DECRSAT), GLenum(GL_DECR));
    EXPECT_EQ(GLStateMapping::StencilOperation(D3DSTENCILOP_KEEP), GLenum(GL_KEEP));
    EXPECT_EQ(GLStateMapping::StencilOperation(D3DSTENCILOP_REPLACE), GLenum(GL_REPLACE));
}

TEST(GLStateMapping, CullModesKeepTheOtherWindingAsFront)
{
    EXPECT_FALSE(GLStateMapping::Cull(D3DCULL_NONE).enabled);
    EXPECT_TRUE(GLStateMapping::Cull(D3DCULL_CW).enabled);
    EXPECT_EQ(GLStateMapping::Cull(D3DCULL_CW).frontFace, GLenum(GL_CCW));
    EXPECT_EQ(GLStateMapping::Cull(D3DCULL_CCW).frontFace, GLenum(GL_CW));
    EXPECT_FALSE(GLStateMapping::Cull(0).enabled);
}

TEST(GLStateMapping, ClampIsClampToEdge)
{
    EXPECT_EQ(GLStateMapping::AddressMode(D3DTADDRESS_CLAMP), GLenum(GL_CLAMP_TO_EDGE));
    EXPECT_EQ(GLStateMapping::AddressMode(D3DTADDRESS_WRAP), GLenum(GL_REPEAT));
    EXPECT_EQ(GLStateMapping::AddressMode(D3DTADDRESS_MIRROR), GLenum(GL_MIRRORED_REPEAT));
}

TEST(GLStateMapping, FiltersCombineMinificationAndMipFilter)
{
    EXPECT_EQ(GLStateMapping::MinificationFilter(D3DTFN_POINT, D3DTFP_NONE), GLenum(GL_NEAREST));
    EXPECT_EQ(GLStateMapping::MinificationFilter(D3DTFN_LINEAR, D3DTFP_NONE), GLenum(GL_LINEAR));
    EXPECT_EQ(GLStateMapping::MinificationFilter(D3DTFN_LINEAR, D3DTFP_LINEAR), GLenum(GL_LINEAR_MIPMAP_LINEAR));
    EXPECT_EQ(GLStateMapping::MinificationFilter(D3DTFN_ANISOTROPIC, D3DTFP_LINEAR), GLenum(GL_LINEAR_MIPMAP_LINEAR));
    EXPECT_EQ(GLStateMapping::MinificationFilter(D3DTFN_POINT, D3DTFP_POINT), GLenum(GL_NEAREST_MIPMAP_NEAREST));
    EXPECT_EQ(GLStateMapping::MagnificationFilter(D3DTFG_POINT), GLenum(GL_NEAREST));
    EXPECT_EQ(GLStateMapping::MagnificationFilter(D3DTFG_ANISOTROPIC), GLenum(GL_LINEAR));
    EXPECT_TRUE(GLStateMapping::IsAnisotropic(D3DTFG_ANISOTROPIC, D3DTFN_LINEAR));
    EXPECT_FALSE(GLStateMapping::IsAnisotropic(D3DTFG_LINEAR, D3DTFN_LINEAR));
}

TEST(GLStateMapping, ProjectionMovesDepthIntoGlRange)
{
    D3DMATRIX identity;
    identity._11 = identity._22 = identity._33 = identity._44 = 1.0f;
    float gl[16];
    GLStateMapping::Projection(identity, gl);
    // z' = 2z - w: device depth 0 becomes -1 and 1 stays 1.
    EXPECT_FLOAT_EQ(gl[10], 2.0f);
    EXPECT_FLOAT_EQ(gl[14], -1.0f);
    EXPECT_FLOAT_EQ(gl[12], 0.0f);
    EXPECT_FLOAT_EQ(gl[13], 0.0f);
    EXPECT_FLOAT_EQ(gl[0], 1.0f);
    EXPECT_FLOAT_EQ(gl[5], 1.0f);
    EXPECT_FLOAT_EQ(gl[15], 1.0f);
}

TEST(GLStateMapping, PerspectiveProjectionKeepsWFromTheDevice)
{
    D3DMATRIX perspective;
    perspective._11 = perspective._22 = 1.0f;
    perspective._33 = 2.0f;
    perspective._34 = 1.0f; // w = z
    perspective._43 = -1.0f;
    float gl[16];
    GLStateMapping::Projection(perspective, gl);
    // Column 2 (input z): device (0, 0, 2, 1) becomes (0, 0, 2*2-1, 1).
    EXPECT_FLOAT_EQ(gl[10], 3.0f);
    EXPECT_FLOAT_EQ(gl[11], 1.0f);
    // Column 3 (input w): device (0, 0, -1, 0) becomes (0, 0, -2, 0).
    EXPECT_FLOAT_EQ(gl[14], -2.0f);
    EXPECT_FLOAT_EQ(gl[15], 0.0f);
}

TEST(GLStateMapping, TextureMatrixPutsOffsetsWithQ)
{
    D3DMATRIX transform;
    transform._11 = 2.0f;
    transform._22 = 3.0f;
    transform._33 = transform._44 = 1.0f;
    transform._31 = 0.25f;
    transform._32 = 0.5f;
    float gl[16];
    GLStateMapping::TextureMatrix(transform, D3DTTFF_COUNT2, gl);
    EXPECT_FLOAT_EQ(gl[0], 2.0f);
    EXPECT_FLOAT_EQ(gl[5], 3.0f);
    EXPECT_FLOAT_EQ(gl[12], 0.25f);
    EXPECT_FLOAT_EQ(gl[13], 0.5f);
    EXPECT_FLOAT_EQ(gl[15], 1.0f);
    EXPECT_FLOAT_EQ(gl[3], 0.0f); // q stays 1: no projective division
    GLStateMapping::TextureMatrix(transform, D3DTTFF_DISABLE, gl);
    EXPECT_FLOAT_EQ(gl[0], 1.0f);
    EXPECT_FLOAT_EQ(gl[12], 0.0f);
}

TEST(GLStateMapping, CombineOperations)
{
    const auto modulate = GLStateMapping::Combine(D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE, false);
    EXPECT_EQ(modulate.function, GLenum(GL_MODULATE));
    EXPECT_EQ(modulate.source[0], GLenum(GL_TEXTURE));
    EXPECT_EQ(modulate.source[1], GLenum(GL_PRIMARY_COLOR));
    EXPECT_EQ(modulate.scale, 1);
    EXPECT_EQ(GLStateMapping::Combine(D3DTOP_MODULATE2X, D3DTA_TEXTURE, D3DTA_CURRENT, false).scale, 2);
    const auto disabledAlpha = GLStateMapping::Combine(D3DTOP_DISABLE, D3DTA_TEXTURE, D3DTA_DIFFUSE, true);
    EXPECT_EQ(disabledAlpha.function, GLenum(GL_REPLACE));
    EXPECT_EQ(disabledAlpha.source[0], GLenum(GL_PREVIOUS));
    EXPECT_EQ(disabledAlpha.operand[0], GLenum(GL_SRC_ALPHA));
    const auto complement = GLStateMapping::Combine(D3DTOP_SELECTARG1, D3DTA_TEXTURE | D3DTA_COMPLEMENT, 0, false);
    EXPECT_EQ(complement.operand[0], GLenum(GL_ONE_MINUS_SRC_COLOR));
}

TEST(GLStateMapping, StageWithoutTextureIsLeftOutOnlyWhenItChangesNothing)
{
    // The engine's defaults: modulate texture with the current colour, alpha with diffuse on stage 0.
    EXPECT_TRUE(GLStateMapping::IsPassThroughWithoutTexture(true, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_CURRENT,
                                                            D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE));
    EXPECT_TRUE(GLStateMapping::IsPassThroughWithoutTexture(false, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_CURRENT,
                                                            D3DTOP_DISABLE, D3DTA_TEXTURE, D3DTA_DIFFUSE));
    // On a later stage the diffuse colour is not the current value.
    EXPECT_FALSE(GLStateMapping::IsPassThroughWithoutTexture(false, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE,
                                                             D3DTOP_DISABLE, 0, 0));
    EXPECT_FALSE(GLStateMapping::IsPassThroughWithoutTexture(true, D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTA_CURRENT,
                                                             D3DTOP_DISABLE, 0, 0));
}

TEST(GLStateMapping, PackedColoursUnpackAsArgb)
{
    float rgba[4];
    GLStateMapping::ColorToFloats(0x80FF0033u, rgba);
    EXPECT_FLOAT_EQ(rgba[0], 1.0f);
    EXPECT_FLOAT_EQ(rgba[1], 0.0f);
    EXPECT_FLOAT_EQ(rgba[2], 0x33 / 255.0f);
    EXPECT_FLOAT_EQ(rgba[3], 0x80 / 255.0f);
}
}
