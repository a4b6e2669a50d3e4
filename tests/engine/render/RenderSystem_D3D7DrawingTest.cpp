// The Direct3D 7 render system's drawing side against the recording device: states reach the device once and
// as the device's values, a reset re-sends them all, textures bind by serial, scenes clear and restore lost
// surfaces, presentation, the device watch, indexed draws, screenshots and the result texts.
#include "engine/render/IndexBuffer.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/D3D7SurfaceTexture.h"
#include "tests/support/D3D7FakeDriver.h"
#include "tests/support/D3D7FakeSurface.h"
#include "tests/support/FakeWindowBackend.h"
#include "tests/support/RenderTestBed.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace VelkorEngine;
using KorvaneTest::D3D7Call;
using KorvaneTest::D3D7FakeDriver;

namespace
{
class RenderD3D7Drawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        driver.adapters = {D3D7FakeDriver::StandardAdapter()};
        backend.desktop = RECT{0, 0, 1280, 1024};
    }

    RenderSystem_D3D7& Start(const std::string& mode = "640x480x32")
    {
        KorvaneTest::RenderTestOptions options;
        options.videoMode = mode;
        bed.reset();
        bed = std::make_unique<KorvaneTest::RenderTestBed>(options);
        RenderSystem_D3D7& render = bed->Start();
        driver.ClearCalls();
        return render;
    }

    // The values the device received for one render state, in order.
    std::vector<DWORD> RenderStates(D3DRENDERSTATETYPE state) const
    {
        std::vector<DWORD> values;
        for (const D3D7Call& call : driver.Named("SetRenderState"))
            if (call.first == state)
                values.push_back(call.second);
        return values;
    }

    std::vector<DWORD> StageStates(DWORD stage, D3DTEXTURESTAGESTATETYPE state) const
    {
        std::vector<DWORD> values;
        for (const D3D7Call& call : driver.Named("SetTextureStageState"))
            if (call.first == stage && call.second == state)
                values.push_back(call.third);
        return values;
    }

    D3DMATRIX LastTransform(DWORD state) const
    {
        D3DMATRIX last;
        for (const D3D7Call& call : driver.Named("SetTransform"))
            if (call.first == state)
                last = call.matrix;
        return last;
    }

    std::vector<std::string> Errors() const { return bed->Entries(MessageManager::KindError); }

    TestSupport::FakeWindowBackend backend;
    D3D7FakeDriver driver;
    std::unique_ptr<KorvaneTest::RenderTestBed> bed;
};

TEST_F(RenderD3D7Drawing, AStateReachesTheDeviceOnce)
{
    RenderSystem_D3D7& render = Start();
    render.SetZ(true);
    render.SetZ(true);
    render.SetCullMode(RenderSystem::CullClockwise);
    render.SetCullMode(RenderSystem::CullClockwise);
    EXPECT_EQ(RenderStates(D3DRENDERSTATE_ZENABLE), std::vector<DWORD>{1});
    EXPECT_EQ(RenderStates(D3DRENDERSTATE_CULLMODE), std::vector<DWORD>{D3DCULL_CW});
    EXPECT_EQ(driver.Calls().size(), 2u);
}

TEST_F(RenderD3D7Drawing, AResetResendsEveryCachedState)
{
    RenderSystem_D3D7& render = Start();
    render.SetZ(true);
    render.SetAlphaBlend(true);
    driver.ClearCalls();
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    for (D3DRENDERSTATETYPE state :
         {D3DRENDERSTATE_AMBIENT, D3DRENDERSTATE_ALPHABLENDENABLE, D3DRENDERSTATE_SRCBLEND, D3DRENDERSTATE_DESTBLEND,
          D3DRENDERSTATE_CULLMODE, D3DRENDERSTATE_LIGHTING, D3DRENDERSTATE_NORMALIZENORMALS, D3DRENDERSTATE_ZENABLE,
          D3DRENDERSTATE_ZWRITEENABLE, D3DRENDERSTATE_STENCILENABLE, D3DRENDERSTATE_COLORVERTEX,
          D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DRENDERSTATE_ZFUNC,
          D3DRENDERSTATE_STENCILFUNC, D3DRENDERSTATE_STENCILREF, D3DRENDERSTATE_STENCILMASK,
          D3DRENDERSTATE_STENCILFAIL, D3DRENDERSTATE_STENCILZFAIL, D3DRENDERSTATE_STENCILPASS})
        EXPECT_EQ(RenderStates(state).size(), 1u) << "render state " << state;
    EXPECT_EQ(RenderStates(D3DRENDERSTATE_ZENABLE), std::vector<DWORD>{0}) << "back to the default";
    for (DWORD stage : {0u, 1u})
        for (D3DTEXTURESTAGESTATETYPE state :
             {D3DTSS_MAXANISOTROPY, D3DTSS_MAGFILTER, D3DTSS_MINFILTER, D3DTSS_MIPFILTER, D3DTSS_ADDRESSU,
              D3DTSS_ADDRESSV, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTSS_TEXCOORDINDEX, D3DTSS_COLOROP, D3DTSS_ALPHAARG1,
              D3DTSS_ALPHAARG2, D3DTSS_ALPHAOP})
            EXPECT_EQ(StageStates(stage, state).size(), 1u) << "stage " << stage << " state " << state;
    EXPECT_EQ(StageStates(0, D3DTSS_ALPHAOP), std::vector<DWORD>{D3DTOP_MODULATE});
    EXPECT_EQ(StageStates(1, D3DTSS_ALPHAOP), std::vector<DWORD>{D3DTOP_DISABLE});
    EXPECT_EQ(driver.Count("SetTexture"), 2);
    EXPECT_EQ(driver.Count("SetTransform", D3DTRANSFORMSTATE_WORLD), 1);
    EXPECT_EQ(driver.Count("SetTransform", D3DTRANSFORMSTATE_VIEW), 1);
    EXPECT_EQ(driver.Count("SetTransform", D3DTRANSFORMSTATE_PROJECTION), 0);
    EXPECT_EQ(driver.Count("SetMaterial"), 1);
    EXPECT_FLOAT_EQ(driver.material.dcvAmbient.r, 0.6f);
    EXPECT_FLOAT_EQ(driver.material.dcvEmissive.a, 1.0f);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(RenderD3D7Drawing, EngineValuesBecomeDeviceValues)
{
    RenderSystem_D3D7& render = Start();
    for (u32 mode : {1u, 2u, 5u, 0u})
        render.SetCullMode(mode);
    EXPECT_EQ(RenderStates(D3DRENDERSTATE_CULLMODE),
              (std::vector<DWORD>{D3DCULL_CW, D3DCULL_CCW, D3DCULL_NONE, D3DCULL_NONE}));
    render.SetTextureAddressU(0, RenderSystem::AddressClamp);
    render.SetTextureAddressU(0, 7);
    EXPECT_EQ(StageStates(0, D3DTSS_ADDRESSU), (std::vector<DWORD>{D3DTADDRESS_CLAMP, D3DTADDRESS_WRAP}));
    const DWORD blends[] = {D3DBLEND_ZERO,        D3DBLEND_ONE,        D3DBLEND_DESTCOLOR, D3DBLEND_INVDESTCOLOR,
                            D3DBLEND_SRCALPHA,    D3DBLEND_INVSRCALPHA, D3DBLEND_DESTALPHA, D3DBLEND_INVDESTALPHA,
                            D3DBLEND_SRCALPHASAT, D3DBLEND_SRCCOLOR,   D3DBLEND_INVSRCCOLOR, D3DBLEND_ZERO};
    for (u32 factor = 0; factor < 12; ++factor)
    {
        driver.ClearCalls();
        render.SetBlend(factor, 11 - factor);
        EXPECT_EQ(RenderStates(D3DRENDERSTATE_SRCBLEND), std::vector<DWORD>{blends[factor]}) << factor;
        EXPECT_EQ(RenderStates(D3DRENDERSTATE_DESTBLEND), std::vector<DWORD>{blends[11 - factor]}) << factor;
    }
}

TEST_F(RenderD3D7Drawing, FiltersFollowTheAnisotropySetting)
{
    RenderSystem_D3D7& render = Start();
    bed->Settings().SetFromString("r_texture_anisotropy", "4");
    render.SetTextureFilter(0, RenderSystem::FilterTrilinear);
    EXPECT_EQ(StageStates(0, D3DTSS_MAGFILTER), std::vector<DWORD>{D3DTFG_ANISOTROPIC});
    EXPECT_EQ(StageStates(0, D3DTSS_MINFILTER), std::vector<DWORD>{D3DTFN_ANISOTROPIC});
    EXPECT_EQ(StageStates(0, D3DTSS_MIPFILTER), std::vector<DWORD>{D3DTFP_LINEAR});
    driver.ClearCalls();
    bed->Settings().SetFromString("r_texture_anisotropy", "1");
    render.SetTextureFilter(1, RenderSystem::FilterTrilinear);
    EXPECT_EQ(StageStates(1, D3DTSS_MAGFILTER), std::vector<DWORD>{D3DTFG_LINEAR});
    EXPECT_EQ(StageStates(1, D3DTSS_MIPFILTER), std::vector<DWORD>{D3DTFP_LINEAR});
    driver.ClearCalls();
    render.SetTextureFilter(0, RenderSystem::FilterPoint);
    EXPECT_EQ(StageStates(0, D3DTSS_MAGFILTER), std::vector<DWORD>{D3DTFG_POINT});
    EXPECT_EQ(StageStates(0, D3DTSS_MIPFILTER), std::vector<DWORD>{D3DTFP_NONE});
    driver.ClearCalls();
    render.SetTextureFilter(0, 3);
    EXPECT_EQ(driver.Count("SetTextureStageState"), 0) << "an unknown filter sets nothing";
}

TEST_F(RenderD3D7Drawing, MatricesAreHandedOverInTheDevicesLayout)
{
    RenderSystem_D3D7& render = Start();
    Matrix4 m;
    for (int i = 0; i < 16; ++i)
        m.m[i] = static_cast<f32>(i + 1);
    render.SetWorldMatrix(m);
    render.SetViewMatrix(m);
    render.SetProjectionMatrix(m);
    const D3DMATRIX world = LastTransform(D3DTRANSFORMSTATE_WORLD);
    EXPECT_FLOAT_EQ(world._12, 5.0f); // device element 1 = engine element 4
    EXPECT_FLOAT_EQ(world._41, 4.0f); // the translation moves to the bottom row
    const D3DMATRIX view = LastTransform(D3DTRANSFORMSTATE_VIEW);
    EXPECT_FLOAT_EQ(view._12, 2.0f);
    EXPECT_FLOAT_EQ(view._13, -3.0f);
    EXPECT_FLOAT_EQ(view._23, -7.0f);
    EXPECT_FLOAT_EQ(view._33, -11.0f);
    EXPECT_FLOAT_EQ(view._43, -15.0f);
    const D3DMATRIX projection = LastTransform(D3DTRANSFORMSTATE_PROJECTION);
    EXPECT_FLOAT_EQ(projection._13, 3.0f);
    EXPECT_FLOAT_EQ(projection._44, 16.0f);
    render.SetTextureTransform(1, 2.0f, 3.0f, 0.25f, 0.5f);
    const D3DMATRIX texture = LastTransform(D3DTRANSFORMSTATE_TEXTURE0 + 1);
    EXPECT_FLOAT_EQ(texture._11, 2.0f);
    EXPECT_FLOAT_EQ(texture._22, 3.0f);
    EXPECT_FLOAT_EQ(texture._31, 0.25f);
    EXPECT_FLOAT_EQ(texture._32, 0.5f);
    EXPECT_FLOAT_EQ(texture._33, 1.0f);
    EXPECT_FLOAT_EQ(texture._41, 0.0f);
}

TEST_F(RenderD3D7Drawing, AmbientAndClearColoursArePackedTruncated)
{
    RenderSystem_D3D7& render = Start();
    render.SetAmbientColor(Color(1.0f, 0.5f, 0.0f, 1.0f));
    EXPECT_EQ(RenderStates(D3DRENDERSTATE_AMBIENT), std::vector<DWORD>{0xFFFF7F00u});
    render.SetAmbientColor(Color(2.0f, -1.0f, 0.0f, 1.0f));
    EXPECT_EQ(RenderStates(D3DRENDERSTATE_AMBIENT).back(), 0xFFFF0000u) << "held at the ends";
    render.SetClearColor(Color(1.0f, 0.5f, 0.0f, 1.0f));
    render.BeginScene();
    EXPECT_EQ(driver.Named("Clear").at(0).second, 0xFFFF7F00u);
}

TEST_F(RenderD3D7Drawing, SceneClearFollowsTheClearFlags)
{
    RenderSystem_D3D7& render = Start();
    ASSERT_EQ(render.IsStencilPresent(), 1);
    render.BeginScene();
    EXPECT_EQ(driver.Named("Clear").at(0).first, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL);
    EXPECT_FLOAT_EQ(driver.Named("Clear").at(0).matrix._11, 1.0f);
    render.EndScene();
    render.SetClearFlags(RenderSystem::ClearDepth);
    render.BeginScene();
    EXPECT_EQ(driver.Named("Clear").at(1).first, D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL);
    render.EndScene();
    render.SetClearFlags(0);
    render.BeginScene();
    EXPECT_EQ(driver.Count("Clear"), 2);
    EXPECT_EQ(driver.Count("BeginScene"), 3);
}

TEST_F(RenderD3D7Drawing, LostSurfacesAreRestoredOnceAroundTheScene)
{
    RenderSystem_D3D7& render = Start();
    driver.Fail("BeginScene", DDERR_SURFACELOST, 1);
    render.BeginScene();
    EXPECT_EQ(driver.Count("BeginScene"), 2);
    EXPECT_EQ(driver.Count("RestoreAllSurfaces"), 1);
    EXPECT_TRUE(Errors().empty());
    driver.Fail("EndScene", DDERR_SURFACELOST, 1);
    driver.Fail("RestoreAllSurfaces", DDERR_WRONGMODE, 1);
    render.EndScene();
    EXPECT_EQ(Errors(), std::vector<std::string>{
                            "Direct3D Subsystem (RenderSystem_D3D7::EndScene): This surface cannot be restored "
                            "because it was created in a different mode."});
}

TEST_F(RenderD3D7Drawing, WindowedPresentationCopiesOntoTheClientArea)
{
    RenderSystem_D3D7& render = Start();
    bed->Settings().SetFromString("v_vsync", "0");
    render.SwapBuffers();
    EXPECT_EQ(driver.Count("WaitForVerticalBlank"), 0);
    const auto copies = driver.Named("Blt");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].first, DDBLT_WAIT);
    EXPECT_EQ(copies[0].second, 640u);
    EXPECT_EQ(copies[0].third, 480u);
    bed->Settings().SetFromString("v_vsync", "1");
    render.SwapBuffers();
    EXPECT_EQ(driver.Count("WaitForVerticalBlank", DDWAITVB_BLOCKBEGIN), 1);
    driver.Fail("Blt", DDERR_SURFACELOST, 1);
    render.SwapBuffers();
    EXPECT_EQ(driver.Count("RestoreAllSurfaces"), 1);
    driver.Fail("Blt", DDERR_GENERIC, 1);
    render.SwapBuffers();
    EXPECT_TRUE(Errors().empty()) << "other presentation failures are not reported";
}

TEST_F(RenderD3D7Drawing, FullScreenPresentationFlips)
{
    RenderSystem_D3D7& render = Start("desktop");
    bed->Settings().SetFromString("v_vsync", "0");
    render.SwapBuffers();
    bed->Settings().SetFromString("v_vsync", "1");
    render.SwapBuffers();
    const auto flips = driver.Named("Flip");
    ASSERT_EQ(flips.size(), 2u);
    EXPECT_EQ(flips[0].first, DDFLIP_WAIT | DDFLIP_NOVSYNC);
    EXPECT_EQ(flips[1].first, DDFLIP_WAIT);
}

TEST_F(RenderD3D7Drawing, DeviceWatchDeactivatesRestoresAndAsksForResets)
{
    RenderSystem_D3D7& render = Start();
    driver.Fail("TestCooperativeLevel", DDERR_NOEXCLUSIVEMODE, 1);
    render.Refresh();
    EXPECT_EQ(render.IsActive(), 0);
    EXPECT_EQ(render.IsResetPending(), 0);
    render.SwapBuffers();
    EXPECT_EQ(driver.Count("Blt"), 0) << "nothing is presented while inactive";
    render.Refresh();
    EXPECT_EQ(driver.Count("RestoreAllSurfaces"), 1);
    EXPECT_EQ(render.IsActive(), 1);
    driver.Fail("TestCooperativeLevel", DDERR_WRONGMODE, 1);
    render.Refresh();
    EXPECT_EQ(render.IsResetPending(), 1);
    EXPECT_EQ(render.AreResourcesLost(), 1);
    render.Reset(RenderSystem::ResetDevice | RenderSystem::ResetResources);
    driver.Fail("TestCooperativeLevel", DDERR_NOEXCLUSIVEMODE, 1);
    render.Refresh();
    driver.Fail("RestoreAllSurfaces", DDERR_WRONGMODE, 1);
    render.Refresh();
    EXPECT_EQ(render.IsActive(), 0);
    EXPECT_EQ(render.IsResetPending(), 1);
    EXPECT_EQ(Errors().size(), 1u);
}

TEST_F(RenderD3D7Drawing, IndexedDrawsHandTheDeviceTheRightCounts)
{
    RenderSystem_D3D7& render = Start();
    std::unique_ptr<VertexBuffer> coloured(render.CreateVertexBuffer(0, 1, 20));
    std::unique_ptr<VertexBuffer> plain(render.CreateVertexBuffer(0, 0, 20));
    std::unique_ptr<IndexBuffer> indices(render.CreateIndexBuffer(0, 12));
    std::vector<u32> values(12);
    for (u32 i = 0; i < 12; ++i)
        values[i] = 10 + (i % 10);
    indices->SetIndices(0, 12, values.data());
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, indices.get(), coloured.get(), 4);
    render.DrawIndexedPrimitive(RenderSystem::TriangleStrip, indices.get(), plain.get(), 1);
    const auto draws = driver.Named("DrawIndexedPrimitive");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].first, DWORD(D3DPT_TRIANGLELIST));
    EXPECT_EQ(draws[0].second, 0x152u);
    EXPECT_EQ(draws[0].third, 20u) << "largest index + 1";
    EXPECT_EQ(draws[0].fourth, 12u);
    EXPECT_EQ(draws[0].fifth, 0u);
    EXPECT_EQ(draws[0].pointer, coloured->GetData());
    EXPECT_EQ(draws[1].first, DWORD(D3DPT_TRIANGLESTRIP));
    EXPECT_EQ(draws[1].second, 0x112u);
    EXPECT_EQ(draws[1].fourth, 3u);
    // Drawn again unchanged, the vertices come from the device's buffer, with the same counts.
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, indices.get(), coloured.get(), 4);
    const auto fromBuffer = driver.Named("DrawIndexedPrimitiveVB");
    ASSERT_EQ(fromBuffer.size(), 1u);
    EXPECT_EQ(fromBuffer[0].second, 0x152u);
    EXPECT_EQ(fromBuffer[0].third, 20u);
    EXPECT_EQ(fromBuffer[0].fourth, 12u);
    EXPECT_EQ(std::memcmp(fromBuffer[0].pointer, coloured->GetData(), 20 * VertexBuffer::StrideWithColor), 0);
    std::unique_ptr<IndexBuffer> wide(render.CreateIndexBuffer(0, 70000));
    wide->SetIndexCount(3);
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, wide.get(), plain.get(), 1);
    EXPECT_EQ(driver.Named("DrawIndexedPrimitiveVB").at(1).fifth, D3DDP_INDEX32);
    EXPECT_TRUE(Errors().empty());
}

// Vertices changed since their previous draw are handed over from memory; once they hold still for a draw they
// are sent to the device's buffer, made once, and sent again only after the next change.
TEST_F(RenderD3D7Drawing, VerticesReachTheDeviceBufferOnceTheyHoldStill)
{
    RenderSystem_D3D7& render = Start();
    std::unique_ptr<VertexBuffer> vertices(render.CreateVertexBuffer(0, 0, 4));
    std::unique_ptr<IndexBuffer> indices(render.CreateIndexBuffer(0, 3));
    const u32 values[] = {0, 1, 3};
    indices->SetIndices(0, 3, values);
    auto draw = [&] { render.DrawIndexedPrimitive(RenderSystem::TriangleList, indices.get(), vertices.get(), 1); };
    draw();
    draw();
    draw();
    EXPECT_EQ(driver.Count("DrawIndexedPrimitive"), 1);
    EXPECT_EQ(driver.Count("DrawIndexedPrimitiveVB"), 2);
    EXPECT_EQ(driver.Count("CreateVertexBuffer"), 1);
    EXPECT_EQ(driver.Count("LockVertexBuffer"), 1);
    const f32 moved = 7.5f;
    std::memcpy(vertices->Lock(3, 1), &moved, sizeof(moved));
    vertices->Unlock();
    draw();
    EXPECT_EQ(driver.Count("DrawIndexedPrimitive"), 2) << "changed since the previous draw";
    draw();
    EXPECT_EQ(driver.Count("CreateVertexBuffer"), 1);
    ASSERT_EQ(driver.Count("LockVertexBuffer"), 2);
    const auto* sent = static_cast<const u8*>(driver.Named("DrawIndexedPrimitiveVB").at(2).pointer);
    f32 x = 0.0f;
    std::memcpy(&x, sent + 3 * VertexBuffer::StrideWithoutColor, sizeof(x));
    EXPECT_EQ(x, moved);
    // Drawn while locked, the vertices may be changing: they come from memory.
    vertices->Lock(0, 1);
    draw();
    vertices->Unlock();
    EXPECT_EQ(driver.Count("DrawIndexedPrimitive"), 3);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(RenderD3D7Drawing, AResetDeviceGetsNewVertexBuffersFilledWithTheVertices)
{
    RenderSystem_D3D7& render = Start();
    std::unique_ptr<VertexBuffer> vertices(render.CreateVertexBuffer(0, 1, 3));
    std::unique_ptr<IndexBuffer> indices(render.CreateIndexBuffer(0, 3));
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, indices.get(), vertices.get(), 1);
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, indices.get(), vertices.get(), 1);
    ASSERT_EQ(driver.Count("CreateVertexBuffer"), 1);
    render.Reset(RenderSystem::ResetDevice);
    driver.ClearCalls();
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, indices.get(), vertices.get(), 1);
    EXPECT_EQ(driver.Count("CreateVertexBuffer"), 1);
    EXPECT_EQ(driver.Count("LockVertexBuffer"), 1);
    ASSERT_EQ(driver.Count("DrawIndexedPrimitiveVB"), 1);
    EXPECT_EQ(std::memcmp(driver.Named("DrawIndexedPrimitiveVB")[0].pointer, vertices->GetData(),
                          3 * VertexBuffer::StrideWithColor),
              0);
}

// A device that makes no vertex buffer, or a render system told not to use them, draws from memory. A refusal
// is logged once and not asked again of the same device; a reset device is asked again.
TEST_F(RenderD3D7Drawing, WithoutDeviceVertexBuffersTheVerticesAreHandedOverFromMemory)
{
    RenderSystem_D3D7& render = Start();
    std::unique_ptr<VertexBuffer> vertices(render.CreateVertexBuffer(0, 0, 3));
    std::unique_ptr<IndexBuffer> indices(render.CreateIndexBuffer(0, 3));
    auto draw = [&] { render.DrawIndexedPrimitive(RenderSystem::TriangleList, indices.get(), vertices.get(), 1); };
    draw();
    driver.Fail("CreateVertexBuffer", DDERR_OUTOFMEMORY);
    draw();
    draw();
    EXPECT_EQ(driver.Count("CreateVertexBuffer"), 1);
    EXPECT_EQ(Errors().size(), 1u);
    const auto draws = driver.Named("DrawIndexedPrimitive");
    ASSERT_EQ(draws.size(), 3u);
    for (const D3D7Call& call : draws)
        EXPECT_EQ(call.pointer, vertices->GetData());
    EXPECT_EQ(driver.Count("DrawIndexedPrimitiveVB"), 0);
    driver.Fail("CreateVertexBuffer", DD_OK, 0);
    render.Reset(RenderSystem::ResetDevice);
    driver.ClearCalls();
    render.SetDeviceVertexBuffers(false);
    draw();
    EXPECT_EQ(driver.Count("DrawIndexedPrimitive"), 1);
    render.SetDeviceVertexBuffers(true);
    draw();
    EXPECT_EQ(driver.Count("DrawIndexedPrimitiveVB"), 1);
}

TEST_F(RenderD3D7Drawing, DrawsThatWouldReadPastTheirBuffersAreRefused)
{
    RenderSystem_D3D7& render = Start();
    std::unique_ptr<VertexBuffer> vertices(render.CreateVertexBuffer(0, 0, 10));
    std::unique_ptr<IndexBuffer> indices(render.CreateIndexBuffer(0, 6));
    const u32 values[] = {0, 1, 2, 3, 4, 10};
    indices->SetIndices(0, 6, values);
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, indices.get(), vertices.get(), 2);
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, indices.get(), vertices.get(), 3);
    render.DrawIndexedPrimitive(RenderSystem::TriangleList, nullptr, vertices.get(), 1);
    EXPECT_EQ(driver.Count("DrawIndexedPrimitive") + driver.Count("DrawIndexedPrimitiveVB"), 0);
    EXPECT_EQ(Errors().size(), 3u);
}

TEST_F(RenderD3D7Drawing, TexturesBindBySerialAndLeaveTheStageWhenTheyGo)
{
    RenderSystem_D3D7& render = Start();
    auto first = std::make_unique<KorvaneTest::D3D7SurfaceTexture>(&render, "first");
    IDirectDrawSurface7* firstSurface = first->Surface();
    render.SetTexture(0, first.get());
    render.SetTexture(0, first.get());
    ASSERT_EQ(driver.Count("SetTexture"), 1);
    EXPECT_EQ(driver.Named("SetTexture").back().pointer, firstSurface);
    first.reset();
    EXPECT_EQ(driver.Count("SetTexture"), 2) << "the stage lets go of a texture that is destroyed";
    EXPECT_EQ(driver.Named("SetTexture").back().pointer, nullptr);
    EXPECT_EQ(render.GetTexture(0), nullptr);
    auto second = std::make_unique<KorvaneTest::D3D7SurfaceTexture>(&render, "second");
    render.SetTexture(0, second.get());
    EXPECT_EQ(driver.Named("SetTexture").back().pointer, second->Surface());
    EXPECT_TRUE(Errors().empty());
}

// Screenshots read the frame into the image convention: bottom row first, red first, opaque.
TEST_F(RenderD3D7Drawing, ScreenshotTurnsTheFrameIntoAnImage)
{
    RenderSystem_D3D7& render = Start();
    auto* frame = static_cast<KorvaneTest::D3D7FakeSurface*>(driver.renderTarget);
    ASSERT_NE(frame, nullptr);
    std::vector<BYTE>& pixels = frame->Pixels();
    // Top-left pixel: blue 10, green 20, red 30, no alpha; bottom-right: blue 200, green 100, red 50, X = 5.
    pixels[0] = 10;
    pixels[1] = 20;
    pixels[2] = 30;
    pixels[3] = 0;
    const size_t last = pixels.size() - 4;
    pixels[last] = 200;
    pixels[last + 1] = 100;
    pixels[last + 2] = 50;
    pixels[last + 3] = 5;
    const int live = driver.liveObjects;
    Image image;
    render.TakeScreenshot(image);
    ASSERT_EQ(image.GetWidth(), 640u);
    ASSERT_EQ(image.GetHeight(), 480u);
    ASSERT_EQ(image.GetBitsPerPixel(), 32);
    EXPECT_TRUE(KorvaneTest::RenderRgbNear(KorvaneTest::RenderPixel(image, 0, 0), 30, 20, 10, 0));
    EXPECT_EQ(KorvaneTest::RenderPixel(image, 0, 0)[3], 255);
    EXPECT_TRUE(KorvaneTest::RenderRgbNear(KorvaneTest::RenderPixel(image, 639, 479), 50, 100, 200, 0));
    EXPECT_EQ(KorvaneTest::RenderPixel(image, 639, 479)[3], 250);
    EXPECT_EQ(driver.Count("Unlock"), 1) << "unlocked before it was released";
    EXPECT_EQ(driver.liveObjects, live) << "the temporary surface is gone";
}

TEST_F(RenderD3D7Drawing, FailedScreenshotIsWhiteAndSilent)
{
    RenderSystem_D3D7& render = Start();
    const int live = driver.liveObjects;
    driver.Fail("Lock", DDERR_SURFACEBUSY, 1);
    Image image;
    render.TakeScreenshot(image);
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_TRUE(KorvaneTest::RenderRgbNear(KorvaneTest::RenderPixel(image, 5, 5), 255, 255, 255, 0));
    EXPECT_EQ(driver.liveObjects, live) << "the temporary surface was released on the failure path";
    driver.Fail("CreateSurface:plain", DDERR_OUTOFMEMORY, 1);
    render.TakeScreenshot(image);
    EXPECT_TRUE(KorvaneTest::RenderRgbNear(KorvaneTest::RenderPixel(image, 0, 0), 255, 255, 255, 0));
    EXPECT_TRUE(Errors().empty());
}

TEST_F(RenderD3D7Drawing, FailedDeviceCallsAreLoggedWithTheirContext)
{
    RenderSystem_D3D7& render = Start();
    render.CheckResult("RenderSystem_D3D7::EndScene", DD_OK);
    render.CheckResult("RenderSystem_D3D7::EndScene", 1);
    EXPECT_TRUE(Errors().empty());
    render.CheckResult("RenderSystem_D3D7::EndScene", DDERR_SURFACELOST);
    render.CheckResult("Texture2D_D3D7::CreateSurface", static_cast<HRESULT>(0x88760001u));
    driver.Fail("SetRenderState", DDERR_INVALIDPARAMS, 1);
    render.SetLighting(true);
    const std::vector<std::string> expected = {
        "Direct3D Subsystem (RenderSystem_D3D7::EndScene): Access to the surface is refused because the surface "
        "memory is gone. Call the IDirectDrawSurface7::Restore method on this surface to restore the memory "
        "associated with it.",
        "Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Unknown error (Code: -2005532671)",
        "Direct3D Subsystem (RenderSystem_D3D7::UpdateLighting): One or more of the parameters passed to the method "
        "are incorrect."};
    EXPECT_EQ(Errors(), expected);
    EXPECT_EQ(render.GetLighting(), 1) << "the cache keeps the wanted value";
}
}
