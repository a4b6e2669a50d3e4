// The device: state recording, the GL state it stands for, clearing and indexed drawing.
#include "platform/d3d7/GLDevice.h"

#include "platform/d3d7/GLBackBuffer.h"
#include "platform/d3d7/GLDepthBuffer.h"
#include "platform/d3d7/GLDisplay.h"
#include "platform/d3d7/GLStateMapping.h"
#include "platform/d3d7/GLTextureFormats.h"

#include <algorithm>
#include <cstdint>

namespace Platform
{
namespace
{
D3DMATRIX Identity()
{
    D3DMATRIX m;
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

void SetEnabled(GLenum capability, bool enabled)
{
    if (enabled)
        glEnable(capability);
    else
        glDisable(capability);
}

// Computed as a number: with a buffer object bound the base is an offset into it, possibly 0.
const BYTE* Offset(const BYTE* base, std::uintptr_t offset)
{
    return reinterpret_cast<const BYTE*>(reinterpret_cast<std::uintptr_t>(base) + offset);
}
}

GLDevice::GLDevice(std::shared_ptr<GLDisplay> display, IDirect3D7* owner, GLBackBuffer* target,
                   const D3DDEVICEDESC7& description)
    : m_display(std::move(display)), m_owner(owner), m_target(target), m_description(description),
      m_stageCount(std::clamp<DWORD>(description.wMaxSimultaneousTextures, 1, D3DMAXTEXTURESTAGES)),
      m_world(Identity()), m_view(Identity()), m_projection(Identity())
{
    m_owner->AddRef();
    m_target->AddRef();
    m_viewport.dwWidth = m_target->Width();
    m_viewport.dwHeight = m_target->Height();
    SetDefaultStates();
}

GLDevice::~GLDevice()
{
    for (Stage& stage : m_stages)
        if (stage.texture)
            stage.texture->Release();
    for (GLuint sampler : m_samplers)
        GLContext::DeleteLater(GLObjectKind::Sampler, sampler, m_samplerSerial);
    if (GLContext::StateOwner() == this)
        GLContext::SetStateOwner(nullptr);
    m_target->Release();
    m_owner->Release();
}

// The states a new device starts with, as the interface documents them.
void GLDevice::SetDefaultStates()
{
    DWORD* rs = m_renderStates;
    rs[D3DRENDERSTATE_ZENABLE] = m_target->Depth() ? 1 : 0;
    rs[D3DRENDERSTATE_ZWRITEENABLE] = 1;
    rs[D3DRENDERSTATE_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRENDERSTATE_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
    rs[D3DRENDERSTATE_ZFUNC] = D3DCMP_LESSEQUAL;
    rs[D3DRENDERSTATE_ALPHAFUNC] = D3DCMP_ALWAYS;
    rs[D3DRENDERSTATE_STENCILFAIL] = rs[D3DRENDERSTATE_STENCILZFAIL] = rs[D3DRENDERSTATE_STENCILPASS] =
        D3DSTENCILOP_KEEP;
    rs[D3DRENDERSTATE_STENCILFUNC] = D3DCMP_ALWAYS;
    rs[D3DRENDERSTATE_STENCILMASK] = rs[D3DRENDERSTATE_STENCILWRITEMASK] = 0xFFFFFFFFu;
    rs[D3DRENDERSTATE_TEXTUREFACTOR] = 0xFFFFFFFFu;
    rs[D3DRENDERSTATE_LIGHTING] = 1;
    rs[D3DRENDERSTATE_COLORVERTEX] = 1;
    rs[D3DRENDERSTATE_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
    for (DWORD index = 0; index < D3DMAXTEXTURESTAGES; ++index)
    {
        DWORD* ts = m_stages[index].states;
        ts[D3DTSS_COLOROP] = index == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        ts[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        ts[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        ts[D3DTSS_ALPHAOP] = index == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        ts[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        ts[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        ts[D3DTSS_TEXCOORDINDEX] = index;
        ts[D3DTSS_ADDRESSU] = ts[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
        ts[D3DTSS_MAGFILTER] = D3DTFG_POINT;
        ts[D3DTSS_MINFILTER] = D3DTFN_POINT;
        ts[D3DTSS_MIPFILTER] = D3DTFP_NONE;
        ts[D3DTSS_MAXANISOTROPY] = 1;
        ts[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
        m_stages[index].transform = Identity();
        UpdatePassThrough(index);
    }
}

void GLDevice::UpdatePassThrough(DWORD stage)
{
    const DWORD* ts = m_stages[stage].states;
    m_stages[stage].passThrough = GLStateMapping::IsPassThroughWithoutTexture(
        stage == 0, ts[D3DTSS_COLOROP], ts[D3DTSS_COLORARG1], ts[D3DTSS_COLORARG2], ts[D3DTSS_ALPHAOP],
        ts[D3DTSS_ALPHAARG1], ts[D3DTSS_ALPHAARG2]);
}

void GLDevice::SelectMatrix(GLenum mode)
{
    if (m_matrixMode == mode)
        return;
    glMatrixMode(mode);
    m_matrixMode = mode;
}

void GLDevice::MarkAllDirty()
{
    m_dirty = DirtyAll;
    for (Stage& stage : m_stages)
        stage.combineDirty = stage.samplerDirty = stage.matrixDirty = true;
}

// Another device (or none) set the context's fixed-function state last: start from a known GL state.
void GLDevice::TakeOverContext()
{
    const GLFunctions& gl = GLContext::Functions();
    MarkAllDirty();
    glDisable(GL_DITHER);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    glDisable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    const GLCapabilities caps = GLContext::Capabilities();
    for (GLenum light = 0; light < caps.maxLights; ++light)
        glDisable(GL_LIGHT0 + light);
    m_colorMaterial = 0;
    m_matrixMode = 0;
    for (DWORD unit = 0; unit < D3DMAXTEXTURESTAGES && unit < caps.textureUnits; ++unit)
    {
        gl.ActiveTexture(GL_TEXTURE0 + unit);
        glDisable(GL_TEXTURE_2D);
        gl.BindSampler(unit, 0);
        gl.ClientActiveTexture(GL_TEXTURE0 + unit);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        m_units[unit] = Unit{};
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    m_vertexArray = m_normalArray = m_colorArray = false;
    gl.BindBuffer(GL_ARRAY_BUFFER, 0);
    m_arrayBufferBound = false;
    if (m_samplerSerial != GLContext::Serial())
    {
        gl.GenSamplers(static_cast<GLsizei>(m_stageCount), m_samplers);
        GLContext::NoteCreated(GLObjectKind::Sampler, m_stageCount);
        m_samplerSerial = GLContext::Serial();
    }
    GLContext::SetStateOwner(this);
}

bool GLDevice::Prepare()
{
    if (!m_display->MakeCurrent())
        return false;
    if (GLContext::StateOwner() != this)
        TakeOverContext();
    if (!m_target->BindForDrawing())
        return false;
    ApplyDirtyState();
    return true;
}

void GLDevice::ApplyDirtyState()
{
    if (m_dirty & DirtyBlend)
        ApplyBlend();
    if (m_dirty & DirtyDepth)
        ApplyDepth();
    if (m_dirty & DirtyStencil)
        ApplyStencil();
    if (m_dirty & DirtyCull)
        ApplyCull();
    if (m_dirty & DirtyLighting)
        ApplyLighting();
    if (m_dirty & DirtyMaterial)
        ApplyMaterial();
    if (m_dirty & DirtyViewport)
        ApplyViewport();
    if (m_dirty & DirtyProjection)
        ApplyProjection();
    if (m_dirty & (DirtyLights | DirtyView))
        ApplyLights();
    if (m_dirty & DirtyModelView)
        ApplyModelView();
    m_dirty = 0;
}

void GLDevice::ApplyBlend()
{
    SetEnabled(GL_BLEND, m_renderStates[D3DRENDERSTATE_ALPHABLENDENABLE] != 0);
    glBlendFunc(GLStateMapping::BlendFactor(m_renderStates[D3DRENDERSTATE_SRCBLEND]),
                GLStateMapping::BlendFactor(m_renderStates[D3DRENDERSTATE_DESTBLEND]));
}

void GLDevice::ApplyDepth()
{
    SetEnabled(GL_DEPTH_TEST, m_renderStates[D3DRENDERSTATE_ZENABLE] != 0);
    glDepthFunc(GLStateMapping::CompareFunction(m_renderStates[D3DRENDERSTATE_ZFUNC]));
    glDepthMask(m_renderStates[D3DRENDERSTATE_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
}

void GLDevice::ApplyStencil()
{
    const DWORD* rs = m_renderStates;
    SetEnabled(GL_STENCIL_TEST, rs[D3DRENDERSTATE_STENCILENABLE] != 0 && HasStencil());
    glStencilFunc(GLStateMapping::CompareFunction(rs[D3DRENDERSTATE_STENCILFUNC]),
                  static_cast<GLint>(rs[D3DRENDERSTATE_STENCILREF]), rs[D3DRENDERSTATE_STENCILMASK]);
    glStencilOp(GLStateMapping::StencilOperation(rs[D3DRENDERSTATE_STENCILFAIL]),
                GLStateMapping::StencilOperation(rs[D3DRENDERSTATE_STENCILZFAIL]),
                GLStateMapping::StencilOperation(rs[D3DRENDERSTATE_STENCILPASS]));
    glStencilMask(rs[D3DRENDERSTATE_STENCILWRITEMASK]);
}

void GLDevice::ApplyCull()
{
    const GLCullSetting cull = GLStateMapping::Cull(m_renderStates[D3DRENDERSTATE_CULLMODE]);
    SetEnabled(GL_CULL_FACE, cull.enabled);
    glFrontFace(cull.frontFace);
    glCullFace(GL_BACK);
}

void GLDevice::ApplyLighting()
{
    SetEnabled(GL_LIGHTING, m_renderStates[D3DRENDERSTATE_LIGHTING] != 0);
    SetEnabled(GL_NORMALIZE, m_renderStates[D3DRENDERSTATE_NORMALIZENORMALS] != 0);
    float ambient[4];
    GLStateMapping::ColorToFloats(m_renderStates[D3DRENDERSTATE_AMBIENT], ambient);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
}

// The specular colour counts only while specular lighting is switched on, as on the device.
void GLDevice::ApplyMaterial()
{
    const D3DCOLORVALUE none;
    const D3DCOLORVALUE& specular = m_renderStates[D3DRENDERSTATE_SPECULARENABLE] ? m_material.dcvSpecular : none;
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &m_material.dcvAmbient.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &m_material.dcvDiffuse.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, &specular.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &m_material.dcvEmissive.r);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(m_material.dvPower, 0.0f, 128.0f));
}

void GLDevice::ApplyViewport()
{
    const GLint y = TargetHeight() - static_cast<GLint>(m_viewport.dwY + m_viewport.dwHeight);
    glViewport(static_cast<GLint>(m_viewport.dwX), y, static_cast<GLsizei>(m_viewport.dwWidth),
               static_cast<GLsizei>(m_viewport.dwHeight));
    glDepthRange(m_viewport.dvMinZ, m_viewport.dvMaxZ);
}

void GLDevice::ApplyProjection()
{
    float projection[16];
    GLStateMapping::Projection(m_projection, projection);
    SelectMatrix(GL_PROJECTION);
    glLoadMatrixf(projection);
}

// The device's row-vector arrays read column-major are their GL matrices: view times world in GL's order.
void GLDevice::ApplyModelView()
{
    SelectMatrix(GL_MODELVIEW);
    glLoadMatrixf(&m_view._11);
    glMultMatrixf(&m_world._11);
}

// Lights are given with the view alone as the modelview, which puts them where the device has them: in world
// space. The modelview is then made whole again.
void GLDevice::ApplyLights()
{
    SelectMatrix(GL_MODELVIEW);
    glLoadMatrixf(&m_view._11);
    for (DWORD index = 0; index < m_description.dwMaxActiveLights && index < kMaxLights; ++index)
    {
        const GLenum id = GL_LIGHT0 + index;
        SetEnabled(id, m_lights[index].enabled);
        if (m_lights[index].enabled)
            ApplyLight(id, m_lights[index].light);
    }
    m_dirty |= DirtyModelView;
}

// A directional light shines along its direction, so GL's position is the way back to it, at infinity. GL
// has no inner cone and no range: the spot's edge is half its outer angle, and the reach is unlimited.
void GLDevice::ApplyLight(GLenum id, const D3DLIGHT7& light)
{
    glLightfv(id, GL_AMBIENT, &light.dcvAmbient.r);
    glLightfv(id, GL_DIFFUSE, &light.dcvDiffuse.r);
    glLightfv(id, GL_SPECULAR, &light.dcvSpecular.r);
    const D3DVECTOR& p = light.dvPosition;
    const D3DVECTOR& d = light.dvDirection;
    const bool directional = light.dltType == D3DLIGHT_DIRECTIONAL;
    const float position[4] = {directional ? -d.x : p.x, directional ? -d.y : p.y, directional ? -d.z : p.z,
                               directional ? 0.0f : 1.0f};
    glLightfv(id, GL_POSITION, position);
    const float direction[3] = {d.x, d.y, d.z};
    glLightfv(id, GL_SPOT_DIRECTION, direction);
    const bool spot = light.dltType == D3DLIGHT_SPOT;
    glLightf(id, GL_SPOT_CUTOFF, spot ? std::clamp(light.dvPhi * 0.5f * 57.29578f, 0.0f, 90.0f) : 180.0f);
    glLightf(id, GL_SPOT_EXPONENT, 0.0f);
    glLightf(id, GL_CONSTANT_ATTENUATION, directional ? 1.0f : light.dvAttenuation0);
    glLightf(id, GL_LINEAR_ATTENUATION, directional ? 0.0f : light.dvAttenuation1);
    glLightf(id, GL_QUADRATIC_ATTENUATION, directional ? 0.0f : light.dvAttenuation2);
}

// With lighting, the material's ambient and diffuse colours come from the vertex colour where the sources
// say so and the vertices have one; otherwise from the material.
void GLDevice::ApplyColorMaterial(bool vertexColours)
{
    const DWORD* rs = m_renderStates;
    GLenum mode = 0;
    if (rs[D3DRENDERSTATE_LIGHTING] && rs[D3DRENDERSTATE_COLORVERTEX] && vertexColours)
    {
        const bool diffuse = rs[D3DRENDERSTATE_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
        const bool ambient = rs[D3DRENDERSTATE_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1;
        mode = diffuse && ambient ? GL_AMBIENT_AND_DIFFUSE : diffuse ? GL_DIFFUSE : ambient ? GL_AMBIENT : 0;
    }
    if (mode == m_colorMaterial)
        return;
    if (mode == 0)
    {
        glDisable(GL_COLOR_MATERIAL);
        ApplyMaterial(); // colour tracking wrote over the material's colours
    }
    else
    {
        glColorMaterial(GL_FRONT_AND_BACK, mode);
        glEnable(GL_COLOR_MATERIAL);
    }
    m_colorMaterial = mode;
}

// Stages run in order until the first whose colour operation is disabled.
void GLDevice::ApplyStages()
{
    bool active = true;
    for (DWORD stage = 0; stage < m_stageCount; ++stage)
    {
        active = active && m_stages[stage].states[D3DTSS_COLOROP] != D3DTOP_DISABLE;
        ApplyStage(stage, active);
    }
}

void GLDevice::ApplyStage(DWORD stage, bool active)
{
    Stage& s = m_stages[stage];
    const GLuint texture = active && s.texture ? s.texture->TextureName() : 0;
    const bool used = active && (texture != 0 || !s.passThrough);
    EnableUnit(stage, used);
    if (!used)
        return;
    const GLuint bound = texture ? texture : GLContext::WhiteTexture();
    GLContext::Functions().ActiveTexture(GL_TEXTURE0 + stage);
    glBindTexture(GL_TEXTURE_2D, bound);
    if (s.combineDirty)
        ApplyCombine(stage);
    if (s.samplerDirty || m_units[stage].sampler != m_samplers[stage])
        ApplySampler(stage);
    if (s.matrixDirty)
        ApplyTextureMatrix(stage);
}

void GLDevice::EnableUnit(DWORD unit, bool enabled)
{
    if (m_units[unit].enabled == enabled)
        return;
    GLContext::Functions().ActiveTexture(GL_TEXTURE0 + unit);
    SetEnabled(GL_TEXTURE_2D, enabled);
    m_units[unit].enabled = enabled;
}

void GLDevice::ApplyCombine(DWORD stage)
{
    Stage& s = m_stages[stage];
    const DWORD* ts = s.states;
    const GLCombineSetting colour =
        GLStateMapping::Combine(ts[D3DTSS_COLOROP], ts[D3DTSS_COLORARG1], ts[D3DTSS_COLORARG2], false);
    const GLCombineSetting alpha =
        GLStateMapping::Combine(ts[D3DTSS_ALPHAOP], ts[D3DTSS_ALPHAARG1], ts[D3DTSS_ALPHAARG2], true);
    float factor[4];
    GLStateMapping::ColorToFloats(m_renderStates[D3DRENDERSTATE_TEXTUREFACTOR], factor);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, static_cast<GLint>(colour.function));
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_RGB, static_cast<GLint>(colour.source[0]));
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_RGB, static_cast<GLint>(colour.source[1]));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, static_cast<GLint>(colour.operand[0]));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, static_cast<GLint>(colour.operand[1]));
    glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE, colour.scale);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, static_cast<GLint>(alpha.function));
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_ALPHA, static_cast<GLint>(alpha.source[0]));
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_ALPHA, static_cast<GLint>(alpha.source[1]));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, static_cast<GLint>(alpha.operand[0]));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, static_cast<GLint>(alpha.operand[1]));
    glTexEnvi(GL_TEXTURE_ENV, GL_ALPHA_SCALE, alpha.scale);
    s.combineDirty = false;
}

// Filters and addressing belong to the stage, as sampler objects do, not to the texture.
void GLDevice::ApplySampler(DWORD stage)
{
    const GLFunctions& gl = GLContext::Functions();
    const DWORD* ts = m_stages[stage].states;
    const GLuint sampler = m_samplers[stage];
    gl.SamplerParameteri(sampler, GL_TEXTURE_WRAP_S, static_cast<GLint>(GLStateMapping::AddressMode(ts[D3DTSS_ADDRESSU])));
    gl.SamplerParameteri(sampler, GL_TEXTURE_WRAP_T, static_cast<GLint>(GLStateMapping::AddressMode(ts[D3DTSS_ADDRESSV])));
    gl.SamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER,
                         static_cast<GLint>(GLStateMapping::MagnificationFilter(ts[D3DTSS_MAGFILTER])));
    gl.SamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(GLStateMapping::MinificationFilter(
                                                             ts[D3DTSS_MINFILTER], ts[D3DTSS_MIPFILTER])));
    const DWORD maximum = GLContext::Capabilities().maxAnisotropy;
    if (maximum > 1)
    {
        const bool anisotropic = GLStateMapping::IsAnisotropic(ts[D3DTSS_MAGFILTER], ts[D3DTSS_MINFILTER]);
        const DWORD anisotropy = anisotropic ? std::clamp<DWORD>(ts[D3DTSS_MAXANISOTROPY], 1, maximum) : 1;
        gl.SamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, static_cast<float>(anisotropy));
    }
    gl.BindSampler(stage, sampler);
    m_units[stage].sampler = sampler;
    m_stages[stage].samplerDirty = false;
}

void GLDevice::ApplyTextureMatrix(DWORD stage)
{
    Stage& s = m_stages[stage];
    float matrix[16];
    GLStateMapping::TextureMatrix(s.transform, s.states[D3DTSS_TEXTURETRANSFORMFLAGS], matrix);
    SelectMatrix(GL_TEXTURE);
    glLoadMatrixf(matrix);
    s.matrixDirty = false;
}

void GLDevice::SetClientArray(GLenum array, bool& enabled, bool wanted)
{
    if (enabled == wanted)
        return;
    if (wanted)
        glEnableClientState(array);
    else
        glDisableClientState(array);
    enabled = wanted;
}

// Every stage reads the coordinate set its TEXCOORDINDEX names; vertices without colour are white.
void GLDevice::BindVertexArrays(const GLVertexLayout& layout, const BYTE* vertices)
{
    SetClientArray(GL_VERTEX_ARRAY, m_vertexArray, true);
    glVertexPointer(3, GL_FLOAT, layout.stride, vertices);
    SetClientArray(GL_NORMAL_ARRAY, m_normalArray, layout.normal >= 0);
    if (layout.normal >= 0)
        glNormalPointer(GL_FLOAT, layout.stride, Offset(vertices, static_cast<std::uintptr_t>(layout.normal)));
    SetClientArray(GL_COLOR_ARRAY, m_colorArray, layout.diffuse >= 0);
    if (layout.diffuse >= 0)
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, layout.stride, Offset(vertices, static_cast<std::uintptr_t>(layout.diffuse)));
    else
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const GLFunctions& gl = GLContext::Functions();
    for (DWORD unit = 0; unit < m_stageCount; ++unit)
    {
        const DWORD set = m_stages[unit].states[D3DTSS_TEXCOORDINDEX] & 0xFFFF;
        const bool wanted = m_units[unit].enabled && set < layout.textureSets;
        if (!wanted && !m_units[unit].coordinates)
            continue;
        gl.ClientActiveTexture(GL_TEXTURE0 + unit);
        SetClientArray(GL_TEXTURE_COORD_ARRAY, m_units[unit].coordinates, wanted);
        if (wanted)
            glTexCoordPointer(2, GL_FLOAT, layout.stride,
                              Offset(vertices, static_cast<std::uintptr_t>(layout.textureCoordinates) + set * 8));
    }
}

void GLDevice::UnbindArrayBuffer()
{
    if (!m_arrayBufferBound)
        return;
    GLContext::Functions().BindBuffer(GL_ARRAY_BUFFER, 0);
    m_arrayBufferBound = false;
}

bool GLDevice::HasStencil() const
{
    const GLDepthBuffer* depth = m_target->Depth();
    return depth && depth->HasStencil();
}

GLint GLDevice::TargetHeight() const { return static_cast<GLint>(m_target->Height()); }

HRESULT GLDevice::BeginScene()
{
    if (m_inScene)
        return DDERR_GENERIC;
    if (m_target->Lost())
        return DDERR_SURFACELOST;
    m_inScene = true;
    return DD_OK;
}

HRESULT GLDevice::EndScene()
{
    if (!m_inScene)
        return DDERR_GENERIC;
    m_inScene = false;
    return m_target->Lost() ? DDERR_SURFACELOST : DD_OK;
}

HRESULT GLDevice::Clear(DWORD rectCount, D3DRECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil)
{
    if (rectCount > 0 && !rects)
        return DDERR_INVALIDPARAMS;
    if (m_target->Lost())
        return DDERR_SURFACELOST;
    if (!Prepare())
        return DDERR_GENERIC;
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET)
    {
        float colour[4];
        GLStateMapping::ColorToFloats(color, colour);
        glClearColor(colour[0], colour[1], colour[2], colour[3]);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & D3DCLEAR_ZBUFFER) && m_target->Depth())
    {
        glClearDepth(z);
        glDepthMask(GL_TRUE); // clearing ignores the depth write state
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    // A target without a stencil of its own may be drawn into the window's framebuffer, which has one that
    // nothing reads: clearing it with the depth lets the driver fill whole depth-stencil values instead of
    // keeping the stencil bits of every pixel.
    const bool unusedStencil = (flags & D3DCLEAR_ZBUFFER) && m_target->Depth() && !HasStencil();
    if (((flags & D3DCLEAR_STENCIL) && HasStencil()) || unusedStencil)
    {
        glClearStencil(unusedStencil ? 0 : static_cast<GLint>(stencil));
        glStencilMask(0xFFFFFFFFu);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    const LONG left = static_cast<LONG>(m_viewport.dwX), top = static_cast<LONG>(m_viewport.dwY);
    const D3DRECT whole{left, top, left + static_cast<LONG>(m_viewport.dwWidth),
                        top + static_cast<LONG>(m_viewport.dwHeight)};
    glEnable(GL_SCISSOR_TEST);
    for (DWORD index = 0; index < std::max<DWORD>(rectCount, 1); ++index)
    {
        const D3DRECT& rect = rectCount > 0 ? rects[index] : whole;
        const LONG x1 = std::max(rect.x1, whole.x1), y1 = std::max(rect.y1, whole.y1);
        const LONG x2 = std::min(rect.x2, whole.x2), y2 = std::min(rect.y2, whole.y2);
        if (x1 >= x2 || y1 >= y2)
            continue;
        glScissor(x1, TargetHeight() - y2, x2 - x1, y2 - y1);
        glClear(mask);
    }
    glDisable(GL_SCISSOR_TEST);
    m_dirty |= DirtyDepth | DirtyStencil;
    return DD_OK;
}

// Nothing to draw is a success; missing indices, a lost target or a context that cannot be made current are not.
bool GLDevice::CanDraw(DWORD vertexCount, DWORD indexCount, const void* vertices, const void* indices,
                       HRESULT& result)
{
    result = DD_OK;
    if (vertexCount == 0 || indexCount == 0)
        return false;
    if (!vertices || !indices)
        result = DDERR_INVALIDPARAMS;
    else if (m_target->Lost())
        result = DDERR_SURFACELOST;
    else if (!Prepare())
        result = DDERR_GENERIC;
    return result == DD_OK;
}

void GLDevice::DrawIndexed(D3DPRIMITIVETYPE type, DWORD vertexCount, const void* indices, DWORD indexCount, DWORD flags)
{
    const GLenum indexType = (flags & D3DDP_INDEX32) ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT;
    GLContext::Functions().DrawRangeElements(GLStateMapping::PrimitiveMode(type), 0, vertexCount - 1,
                                             static_cast<GLsizei>(indexCount), indexType, indices);
}

HRESULT GLDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, void* vertices, DWORD vertexCount,
                                       void* indices, DWORD indexCount, DWORD flags)
{
    GLVertexLayout layout;
    if (!GLVertexLayout::Of(vertexFormat, layout))
        return DDERR_INVALIDPARAMS;
    HRESULT result = DD_OK;
    if (!CanDraw(vertexCount, indexCount, vertices, indices, result))
        return result;
    ApplyStages();
    ApplyColorMaterial(layout.diffuse >= 0);
    UnbindArrayBuffer();
    BindVertexArrays(layout, static_cast<const BYTE*>(vertices));
    DrawIndexed(type, vertexCount, indices, indexCount, flags);
    return DD_OK;
}

// The buffer object holds the vertices: the arrays are offsets into it, from the start vertex on.
HRESULT GLDevice::DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* vertexBuffer,
                                         DWORD startVertex, DWORD numVertices, void* indices, DWORD indexCount,
                                         DWORD flags)
{
    auto* buffer = dynamic_cast<GLVertexBuffer*>(vertexBuffer);
    if (!buffer || startVertex > buffer->VertexCount() || numVertices > buffer->VertexCount() - startVertex)
        return DDERR_INVALIDPARAMS;
    HRESULT result = DD_OK;
    if (!CanDraw(numVertices, indexCount, buffer, indices, result))
        return result;
    const GLVertexLayout& layout = buffer->Layout();
    ApplyStages();
    ApplyColorMaterial(layout.diffuse >= 0);
    buffer->BindForDrawing();
    m_arrayBufferBound = true;
    BindVertexArrays(layout, Offset(nullptr, std::uintptr_t{startVertex} * static_cast<std::uintptr_t>(layout.stride)));
    DrawIndexed(type, numVertices, indices, indexCount, flags);
    return DD_OK;
}

HRESULT GLDevice::EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context)
{
    return GLTextureFormats::Enumerate(callback, context);
}

HRESULT GLDevice::GetCaps(D3DDEVICEDESC7* description)
{
    if (!description)
        return DDERR_INVALIDPARAMS;
    *description = m_description;
    return DD_OK;
}

HRESULT GLDevice::LightEnable(DWORD index, BOOL enable)
{
    if (index >= m_description.dwMaxActiveLights || index >= kMaxLights)
        return DDERR_INVALIDPARAMS;
    m_lights[index].enabled = enable != FALSE;
    m_dirty |= DirtyLights;
    return DD_OK;
}

// Only the three kinds of light exist; a record of any other kind is refused, as the device does.
HRESULT GLDevice::SetLight(DWORD index, D3DLIGHT7* light)
{
    if (!light || index >= m_description.dwMaxActiveLights || index >= kMaxLights)
        return DDERR_INVALIDPARAMS;
    if (light->dltType != D3DLIGHT_POINT && light->dltType != D3DLIGHT_SPOT && light->dltType != D3DLIGHT_DIRECTIONAL)
        return DDERR_INVALIDPARAMS;
    m_lights[index].light = *light;
    m_dirty |= DirtyLights;
    return DD_OK;
}

HRESULT GLDevice::SetMaterial(D3DMATERIAL7* material)
{
    if (!material)
        return DDERR_INVALIDPARAMS;
    m_material = *material;
    m_dirty |= DirtyMaterial;
    return DD_OK;
}

HRESULT GLDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    if (state >= D3DRENDERSTATE_COUNT)
        return DDERR_INVALIDPARAMS;
    m_renderStates[state] = value;
    switch (state)
    {
    case D3DRENDERSTATE_ALPHABLENDENABLE:
    case D3DRENDERSTATE_SRCBLEND:
    case D3DRENDERSTATE_DESTBLEND: m_dirty |= DirtyBlend; break;
    case D3DRENDERSTATE_ZENABLE:
    case D3DRENDERSTATE_ZWRITEENABLE:
    case D3DRENDERSTATE_ZFUNC: m_dirty |= DirtyDepth; break;
    case D3DRENDERSTATE_STENCILENABLE:
    case D3DRENDERSTATE_STENCILFAIL:
    case D3DRENDERSTATE_STENCILZFAIL:
    case D3DRENDERSTATE_STENCILPASS:
    case D3DRENDERSTATE_STENCILFUNC:
    case D3DRENDERSTATE_STENCILREF:
    case D3DRENDERSTATE_STENCILMASK:
    case D3DRENDERSTATE_STENCILWRITEMASK: m_dirty |= DirtyStencil; break;
    case D3DRENDERSTATE_CULLMODE: m_dirty |= DirtyCull; break;
    case D3DRENDERSTATE_LIGHTING:
    case D3DRENDERSTATE_NORMALIZENORMALS:
    case D3DRENDERSTATE_AMBIENT: m_dirty |= DirtyLighting; break;
    case D3DRENDERSTATE_SPECULARENABLE: m_dirty |= DirtyMaterial; break;
    case D3DRENDERSTATE_TEXTUREFACTOR:
        for (Stage& stage : m_stages)
            stage.combineDirty = true;
        break;
    default: break;
    }
    return DD_OK;
}

HRESULT GLDevice::SetRenderTarget(IDirectDrawSurface7* surface, DWORD)
{
    auto* target = dynamic_cast<GLBackBuffer*>(surface);
    if (!target)
        return DDERR_INVALIDPARAMS;
    target->AddRef();
    m_target->Release();
    m_target = target;
    m_viewport = D3DVIEWPORT7{0, 0, target->Width(), target->Height(), 0.0f, 1.0f};
    m_dirty |= DirtyViewport | DirtyStencil;
    return DD_OK;
}

HRESULT GLDevice::SetTexture(DWORD stage, IDirectDrawSurface7* texture)
{
    auto* surface = dynamic_cast<GLSurface*>(texture);
    if (stage >= D3DMAXTEXTURESTAGES || (texture && !surface))
        return DDERR_INVALIDPARAMS;
    if (surface)
        surface->AddRef();
    if (m_stages[stage].texture)
        m_stages[stage].texture->Release();
    m_stages[stage].texture = surface;
    return DD_OK;
}

HRESULT GLDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value)
{
    if (stage >= D3DMAXTEXTURESTAGES || state >= D3DTSS_COUNT)
        return DDERR_INVALIDPARAMS;
    Stage& s = m_stages[stage];
    s.states[state] = value;
    switch (state)
    {
    case D3DTSS_COLOROP:
    case D3DTSS_COLORARG1:
    case D3DTSS_COLORARG2:
    case D3DTSS_ALPHAOP:
    case D3DTSS_ALPHAARG1:
    case D3DTSS_ALPHAARG2:
        s.combineDirty = true;
        UpdatePassThrough(stage);
        break;
    case D3DTSS_ADDRESS:
        s.states[D3DTSS_ADDRESSU] = s.states[D3DTSS_ADDRESSV] = value;
        s.samplerDirty = true;
        break;
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV:
    case D3DTSS_MAGFILTER:
    case D3DTSS_MINFILTER:
    case D3DTSS_MIPFILTER:
    case D3DTSS_MAXANISOTROPY: s.samplerDirty = true; break;
    case D3DTSS_TEXTURETRANSFORMFLAGS: s.matrixDirty = true; break;
    default: break;
    }
    return DD_OK;
}

HRESULT GLDevice::SetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix)
{
    if (!matrix)
        return DDERR_INVALIDPARAMS;
    if (state >= D3DTRANSFORMSTATE_TEXTURE0 && state <= D3DTRANSFORMSTATE_TEXTURE7)
    {
        Stage& stage = m_stages[state - D3DTRANSFORMSTATE_TEXTURE0];
        stage.transform = *matrix;
        stage.matrixDirty = true;
        return DD_OK;
    }
    switch (state)
    {
    case D3DTRANSFORMSTATE_WORLD: m_world = *matrix; m_dirty |= DirtyModelView; return DD_OK;
    case D3DTRANSFORMSTATE_VIEW: m_view = *matrix; m_dirty |= DirtyModelView | DirtyView; return DD_OK;
    case D3DTRANSFORMSTATE_PROJECTION: m_projection = *matrix; m_dirty |= DirtyProjection; return DD_OK;
    default: return DDERR_INVALIDPARAMS;
    }
}

HRESULT GLDevice::SetViewport(D3DVIEWPORT7* viewport)
{
    if (!viewport || viewport->dwWidth == 0 || viewport->dwHeight == 0 ||
        viewport->dwX + viewport->dwWidth > m_target->Width() || viewport->dwY + viewport->dwHeight > m_target->Height() ||
        viewport->dvMinZ < 0.0f || viewport->dvMaxZ > 1.0f || viewport->dvMinZ > viewport->dvMaxZ)
        return DDERR_INVALIDPARAMS;
    m_viewport = *viewport;
    m_dirty |= DirtyViewport;
    return DD_OK;
}
}
