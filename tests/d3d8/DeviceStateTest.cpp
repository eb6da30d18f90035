// The device's calls outside drawing: which states and arguments it refuses, the references it
// holds, scenes, clearing and presenting.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "d3d8/DeviceTestSupport.h"

namespace pelliton::d3d8 {
namespace {

using pelliton::testing::RecordingPane;
using namespace testing;

// The device draws what the preview asks of it; every other mode is refused, not half honoured.
TEST(DeviceState, AcceptsThePreviewsSettingsAndRefusesEveryOtherMode) {
    RecordingPane pane(8, 8), other(8, 8);
    auto device = MakeDevice(pane);
    const Quad quad = QuadStrip(-1, 1, 1, -1, 1);
    const D3DRECT rect{0, 0, 4, 4};
    using Call = std::function<HRESULT(Direct3DDevice8&)>;
    const auto draw = [&](DWORD type, UINT stride) {
        return [&quad, type, stride](Direct3DDevice8& d) { return d.DrawPrimitiveUP(type, 2, quad.data(), stride); };
    };
    const std::pair<const char*, Call> refused[] = {
        {"counter-clockwise culling", [](auto& d) { return d.SetRenderState(D3DRS_CULLMODE, 3); }},
        {"clockwise culling", [](auto& d) { return d.SetRenderState(D3DRS_CULLMODE, 2); }},
        {"depth test off", [](auto& d) { return d.SetRenderState(D3DRS_ZENABLE, 0); }},
        {"depth test less", [](auto& d) { return d.SetRenderState(D3DRS_ZFUNC, 2); }},
        {"lighting on", [](auto& d) { return d.SetRenderState(D3DRS_LIGHTING, 1); }},
        {"drawing with the initial culling and lighting", draw(D3DPT_TRIANGLESTRIP, sizeof(TexturedVertex))},
        {"colour op select", [](auto& d) { return d.SetTextureStageState(0, D3DTSS_COLOROP, 2); }},
        {"colour op disable", [](auto& d) { return d.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_DISABLE); }},
        {"first argument diffuse", [](auto& d) { return d.SetTextureStageState(0, D3DTSS_COLORARG1, 0); }},
        {"second argument texture", [](auto& d) { return d.SetTextureStageState(0, D3DTSS_COLORARG2, 2); }},
        {"alpha op select", [](auto& d) { return d.SetTextureStageState(0, D3DTSS_ALPHAOP, 2); }},
        {"stage 1 state", [](auto& d) { return d.SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE); }},
        {"stage 1 texture", [](auto& d) { return d.SetTexture(1, nullptr); }},
        {"transform 257", [](auto& d) { return d.SetTransform(257, D3DMATRIX{}); }},
        {"vertex diffuse", [](auto& d) { return d.SetVertexShader(D3DFVF_XYZ | 0x40 | D3DFVF_TEX1); }},
        {"no normal", [](auto& d) { return d.SetVertexShader(D3DFVF_XYZ | D3DFVF_TEX1); }},
        {"clearing a rectangle", [&](auto& d) { return d.Clear(1, &rect, D3DCLEAR_TARGET, 0, 1, 0); }},
        {"presenting a rectangle", [&](auto& d) { return d.Present(&rect, nullptr, nullptr, nullptr); }},
        {"presenting to a rectangle", [&](auto& d) { return d.Present(nullptr, &rect, nullptr, nullptr); }},
        {"a dirty region", [&](auto& d) { return d.Present(nullptr, nullptr, nullptr, &rect); }},
        {"another window", [&](auto& d) { return d.Present(nullptr, nullptr, &other, nullptr); }},
    };
    device->BeginScene();
    device->SetTexture(0, MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0}));
    device->SetVertexShader(kTexturedFvf);
    for (const auto& [name, call] : refused) EXPECT_EQ(call(*device), D3DERR_INVALIDCALL) << name;
    device->EndScene();
    EXPECT_TRUE(pane.frames.empty() && other.frames.empty());

    const std::pair<const char*, Call> accepted[] = {
        {"culling off", [](auto& d) { return d.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE); }},
        {"depth test on", [](auto& d) { return d.SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE); }},
        {"depth test less-or-equal", [](auto& d) { return d.SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL); }},
        {"lighting off", [](auto& d) { return d.SetRenderState(D3DRS_LIGHTING, 0); }},
        {"a state nothing draws with", [](auto& d) { return d.SetRenderState(999, 12345); }},
        {"modulate", [](auto& d) { return d.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE); }},
        {"texture first", [](auto& d) { return d.SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE); }},
        {"diffuse second", [](auto& d) { return d.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE); }},
        {"alpha op disable", [](auto& d) { return d.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE); }},
        {"a stage state nothing draws with", [](auto& d) { return d.SetTextureStageState(0, 999, 5); }},
    };
    for (const auto& [name, call] : accepted) EXPECT_EQ(call(*device), D3D_OK) << name;
    device->BeginScene();
    const Quad wider = QuadStrip(-1, 1, 1.01F, -1, 1);
    const std::pair<const char*, Call> refusedDraws[] = {
        {"a point list", draw(1, sizeof(TexturedVertex))},
        {"a triangle list", draw(4, sizeof(TexturedVertex))},
        {"a stride shorter than a vertex", draw(D3DPT_TRIANGLESTRIP, sizeof(TexturedVertex) - 4)},
        {"a corner out of view",
         [&wider](auto& d) { return d.DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, wider.data(), sizeof(TexturedVertex)); }},
    };
    for (const auto& [name, call] : refusedDraws) EXPECT_EQ(call(*device), D3DERR_INVALIDCALL) << name;
    EXPECT_EQ(draw(D3DPT_TRIANGLESTRIP, sizeof(TexturedVertex))(*device), D3D_OK);
    device->SetTexture(0, nullptr);
    EXPECT_EQ(draw(D3DPT_TRIANGLESTRIP, sizeof(TexturedVertex))(*device), D3DERR_INVALIDCALL) << "without a texture";
}

TEST(DeviceState, BoundTexturesAreHeldUntilReplaced) {
    RecordingPane pane(8, 8);
    auto device = MakeDevice(pane);
    const int texturesBefore = Direct3DTexture8::Live();
    ASSERT_EQ(device->SetTexture(0, MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0})), D3D_OK);
    EXPECT_EQ(Direct3DTexture8::Live(), texturesBefore + 1);
    ASSERT_EQ(device->SetTexture(0, MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0})), D3D_OK);
    EXPECT_EQ(Direct3DTexture8::Live(), texturesBefore + 1);
    ASSERT_EQ(device->SetTexture(0, nullptr), D3D_OK);
    EXPECT_EQ(Direct3DTexture8::Live(), texturesBefore);
    ASSERT_EQ(device->SetTexture(0, MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0})), D3D_OK);
    device.reset();
    EXPECT_EQ(Direct3DTexture8::Live(), texturesBefore);
}

TEST(DeviceState, ScenesDoNotNestAndPresentingWaitsForTheirEnd) {
    RecordingPane pane(8, 4);
    auto device = MakeDevice(pane);
    SetPreviewStates(*device);
    device->SetTexture(0, MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0}));
    const Quad quad = QuadStrip(-1, 1, 1, -1, 1);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(TexturedVertex)), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_TRUE(pane.frames.empty());
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    ASSERT_EQ(pane.frames.size(), 1U);
    EXPECT_EQ(pane.frames[0].width, 8);
    EXPECT_EQ(pane.frames[0].height, 4);
    EXPECT_EQ(pane.frames[0].pixels.size(), 32U);
}

TEST(DeviceState, ClearFillsTheWholeSurfaceColourAndDepthTogether) {
    RecordingPane pane(4, 3);
    auto device = MakeDevice(pane);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00333333, 1.0F, 0), D3D_OK);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);  // clearing is allowed inside a scene too
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFF0000, 0, 0), D3D_OK);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(PixelAt(pane.frames[0], i % 4, i / 4), kBackground) << "pixel " << i;
        EXPECT_EQ(PixelAt(pane.frames[1], i % 4, i / 4), kRed) << "pixel " << i;
    }
    const DWORD both = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER;
    EXPECT_EQ(device->Clear(0, nullptr, both, 0, 1.5F, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, both, 0, -0.1F, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, both | 4, 0, 1, 0), D3DERR_INVALIDCALL);  // stencil: there is none
    ASSERT_EQ(pane.frames.size(), 2U);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(PixelAt(pane.frames[2], 0, 0), kRed) << "a refused clear changes nothing";
}

}  // namespace
}  // namespace pelliton::d3d8
