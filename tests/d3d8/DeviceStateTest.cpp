// The device's calls outside drawing: which states and arguments it refuses, the references it
// holds, scenes, clearing and presenting.
#include <gtest/gtest.h>

#include <utility>

#include "d3d8/DeviceTestSupport.h"

namespace pelliton::d3d8 {
namespace {

using pelliton::testing::RecordingPane;
using namespace testing;

TEST(DeviceState, RefusesValuesItCannotHonourAndIgnoresStatesItDoesNotUse) {
    RecordingPane pane(8, 8);
    auto device = MakeDevice(pane);
    std::shared_ptr<Direct3DVertexBuffer8> buffer;
    using Call = HRESULT (*)(Direct3DDevice8&, std::shared_ptr<Direct3DVertexBuffer8>&);
    const std::pair<const char*, Call> refused[] = {
        {"CULLMODE = 0", [](auto& d, auto&) { return d.SetRenderState(D3DRS_CULLMODE, 0); }},
        {"ZFUNC = 9", [](auto& d, auto&) { return d.SetRenderState(D3DRS_ZFUNC, 9); }},
        {"COLOROP = ADD", [](auto& d, auto&) { return d.SetTextureStageState(0, D3DTSS_COLOROP, 7); }},
        {"COLORARG2 = TFACTOR", [](auto& d, auto&) { return d.SetTextureStageState(0, D3DTSS_COLORARG2, 3); }},
        {"stage 8", [](auto& d, auto&) { return d.SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_DISABLE); }},
        {"transform 257", [](auto& d, auto&) { return d.SetTransform(257, D3DMATRIX{}); }},
        {"stream 16", [](auto& d, auto&) { return d.SetStreamSource(16, nullptr, 0); }},
        {"no position", [](auto& d, auto&) { return d.SetVertexShader(D3DFVF_NORMAL | D3DFVF_TEX1); }},
        {"empty buffer", [](auto& d, auto& b) { return d.CreateVertexBuffer(0, 0, kTexturedFvf, D3DPOOL_DEFAULT, b); }},
        {"managed pool", [](auto& d, auto& b) { return d.CreateVertexBuffer(128, 0, kTexturedFvf, 1, b); }},
    };
    for (const auto& [name, call] : refused) EXPECT_EQ(call(*device, buffer), D3DERR_INVALIDCALL) << name;
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(device->SetRenderState(999, 12345), D3D_OK);
    EXPECT_EQ(device->SetTextureStageState(0, 999, 5), D3D_OK);
}

TEST(DeviceState, BoundTexturesAndStreamsAreHeldUntilReplaced) {
    RecordingPane pane(8, 8);
    auto device = MakeDevice(pane);
    const int texturesBefore = Direct3DTexture8::Live();
    ASSERT_EQ(device->SetTexture(0, MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0})), D3D_OK);
    ASSERT_EQ(device->SetTexture(7, MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0})), D3D_OK);
    EXPECT_EQ(Direct3DTexture8::Live(), texturesBefore + 2);
    ASSERT_EQ(device->SetTexture(0, MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0})), D3D_OK);
    EXPECT_EQ(Direct3DTexture8::Live(), texturesBefore + 2);
    ASSERT_EQ(device->SetTexture(0, nullptr), D3D_OK);
    EXPECT_EQ(Direct3DTexture8::Live(), texturesBefore + 1);
    EXPECT_EQ(device->SetTexture(8, nullptr), D3DERR_INVALIDCALL);

    const int buffersBefore = Direct3DVertexBuffer8::Live();
    std::shared_ptr<Direct3DVertexBuffer8> buffer;
    ASSERT_EQ(device->CreateVertexBuffer(128, 0, kTexturedFvf, D3DPOOL_DEFAULT, buffer), D3D_OK);
    EXPECT_EQ(buffer->Bytes().size(), 128U);
    ASSERT_EQ(device->SetStreamSource(0, buffer, 20), D3D_OK);
    buffer.reset();
    EXPECT_EQ(Direct3DVertexBuffer8::Live(), buffersBefore + 1);
    device.reset();
    EXPECT_EQ(Direct3DTexture8::Live(), texturesBefore);
    EXPECT_EQ(Direct3DVertexBuffer8::Live(), buffersBefore);
}

TEST(DeviceState, ScenesDoNotNestAndPresentingWaitsForTheirEnd) {
    RecordingPane pane(8, 4), other(8, 4);
    auto device = MakeDevice(pane);
    const Quad quad = QuadStrip(-1, 1, 1, -1, 1);
    ASSERT_EQ(device->SetVertexShader(kTexturedFvf), D3D_OK);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(TexturedVertex)), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->EndScene(), D3D_OK);

    const D3DRECT rect{0, 0, 4, 4};
    EXPECT_EQ(device->Present(&rect, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Present(nullptr, &rect, nullptr, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, &rect), D3DERR_INVALIDCALL);
    EXPECT_TRUE(pane.frames.empty());
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    ASSERT_EQ(device->Present(nullptr, nullptr, &other, nullptr), D3D_OK);
    ASSERT_EQ(pane.frames.size(), 1U);
    ASSERT_EQ(other.frames.size(), 1U);
    EXPECT_EQ(pane.frames[0].width, 8);
    EXPECT_EQ(pane.frames[0].height, 4);
    EXPECT_EQ(pane.frames[0].pixels.size(), 32U);
}

TEST(DeviceState, ClearFillsTheSurfaceOrItsRectanglesClipped) {
    RecordingPane pane(4, 3);
    auto device = MakeDevice(pane);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00333333, 1.0F, 0), D3D_OK);
    const D3DRECT rects[] = {{-5, -5, 1, 1}, {3, 1, 9, 9}, {2, 2, 1, 3}};  // last one empty
    ASSERT_EQ(device->BeginScene(), D3D_OK);                               // clearing is allowed inside a scene too
    ASSERT_EQ(device->Clear(3, rects, D3DCLEAR_TARGET, 0xFFFF0000, 0, 0), D3D_OK);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    const std::vector<std::uint32_t> expected = {kRed,  kBackground, kBackground, kBackground,  //
                                                 kBackground, kBackground, kBackground, kRed,   //
                                                 kBackground, kBackground, kBackground, kRed};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(PixelAt(pane.frames[0], i % 4, i / 4), expected[i]) << "pixel " << i;

    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.5F, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, -0.1F, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(0, nullptr, 4, 0, 1, 0), D3DERR_INVALIDCALL);  // stencil: there is none
    D3DPRESENT_PARAMETERS noDepth = PreviewParameters();
    noDepth.EnableAutoDepthStencil = 0;
    EXPECT_EQ(MakeDevice(pane, noDepth)->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1, 0), D3DERR_INVALIDCALL);
}

}  // namespace
}  // namespace pelliton::d3d8
