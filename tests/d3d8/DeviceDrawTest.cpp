// Drawing through the device: position, orientation and extent of a textured quad, depth, both
// windings, and how DrawPrimitiveUP reads its vertices.
#include <gtest/gtest.h>

#include <limits>
#include <numbers>
#include <utility>
#include <vector>

#include "d3d8/DeviceTestSupport.h"
#include "preview/d3d8/D3DXMath.h"

namespace pelliton::d3d8 {
namespace {

using pelliton::testing::RecordingPane;
using namespace testing;

std::shared_ptr<Direct3DTexture8> Solid(std::uint32_t colour) {
    return MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {colour});
}

const std::vector<D3DCOLOR> kQuadrants = {kRed, kGreen, kBlue, kWhite};  // 2 x 2, red at the top left

// A 16 x 16 device drawing as the preview does (culling off, depth on, lighting off), with a
// projection that puts the world point (x, y, 1) at pixel (8 + 8x, 8 - 8y).
class DeviceDraw : public ::testing::Test {
protected:
    void SetUp() override {
        device = MakeDevice(pane);
        SetPreviewStates(*device);
        device->SetTransform(D3DTS_PROJECTION, ExactProjection());
        Restart();
    }

    void Restart() {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0F, 0);
        device->BeginScene();
    }

    HRESULT DrawStrip(const Quad& quad) {
        return device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(TexturedVertex));
    }

    const Frame& Show() {
        EXPECT_EQ(device->EndScene(), D3D_OK);
        EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
        return pane.frames.back();
    }

    RecordingPane pane{16, 16};
    std::shared_ptr<Direct3DDevice8> device;
};

TEST_F(DeviceDraw, TexturedQuadIsUprightUnmirroredAndCoversItsExtentExactly) {
    device->SetTexture(0, MakeArgbTexture(2, 2, D3DFMT_X8R8G8B8, kQuadrants));
    ASSERT_EQ(DrawStrip(QuadStrip(-0.5F, 0.5F, 0.5F, -0.5F, 1)), D3D_OK);  // pixels 4..11 both ways
    const Frame& frame = Show();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool inside = x >= 4 && x < 12 && y >= 4 && y < 12;
            ASSERT_EQ(PixelAt(frame, x, y), inside ? kQuadrants[(y >= 8) * 2 + (x >= 8)] : kBackground) << x << ", " << y;
        }
    }
}

TEST_F(DeviceDraw, SamplingSplitsAQuadAtTexelBoundaries) {
    device->SetTexture(0, MakeArgbTexture(2, 1, D3DFMT_X8R8G8B8, {kRed, kGreen}));
    ASSERT_EQ(DrawStrip(QuadStrip(-0.5F, 0.5F, 0, 0.25F, 1)), D3D_OK);  // 4 x 2 pixels from (4, 4)
    device->SetTexture(0, MakeArgbTexture(1, 2, D3DFMT_X8R8G8B8, {kBlue, kWhite}));
    ASSERT_EQ(DrawStrip(QuadStrip(0.25F, 0.5F, 0.5F, 0, 1)), D3D_OK);  // 2 x 4 pixels from (10, 4)
    const Frame& frame = Show();
    const std::uint32_t row[] = {kBackground, kRed, kRed, kGreen, kGreen, kBackground};
    const std::uint32_t column[] = {kBackground, kBlue, kBlue, kWhite, kWhite, kBackground};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(PixelAt(frame, 3 + i, 4), row[i]) << "x " << 3 + i;
        EXPECT_EQ(PixelAt(frame, 10, 3 + i), column[i]) << "y " << 3 + i;
    }
}

// The preview's own camera: near plane 0, so the quad's depth is exactly 1.0, the cleared depth,
// which passes the less-or-equal test.
TEST(DevicePreviewCamera, QuadAtDepthOneIsDrawnWithinItsExtent) {
    const Quad quad = QuadStrip(-128, 128, 128, -128, 0);
    std::vector<D3DCOLOR> texels(256 * 256);
    for (int i = 0; i < 256 * 256; ++i) texels[i] = kQuadrants[(i / 256 >= 128) * 2 + (i % 256 >= 128)];
    D3DMATRIX world, view, projection;
    D3DXMatrixRotationAxis(world, {1, 1, 1}, 0);
    D3DXMatrixLookAtLH(view, {0, 0, -384}, {0, 0, 0}, {0, 1, 0});
    D3DXMatrixPerspectiveFovLH(projection, 0.785375F, 1, 0, 10000);
    RecordingPane pane(557, 557);
    auto device = MakeDevice(pane);
    SetPreviewStates(*device);
    device->SetTransform(D3DTS_WORLD, world);
    device->SetTransform(D3DTS_VIEW, view);
    device->SetTransform(D3DTS_PROJECTION, projection);
    device->SetTexture(0, MakeArgbTexture(256, 256, D3DFMT_X8R8G8B8, texels));
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0F, 0);
    device->BeginScene();
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(TexturedVertex)), D3D_OK);
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    const Frame& frame = pane.frames.back();
    // The half side 128 * cot(0.785375 / 2) / 384 of the half pane 278.5: pixels 55 to 502.
    for (int corner = 0; corner < 4; ++corner) {
        const int x = corner % 2 ? 502 : 55, y = corner / 2 ? 502 : 55;
        EXPECT_EQ(PixelAt(frame, x, y), kQuadrants[corner]) << x << ", " << y;
    }
    for (const auto& [x, y] : {std::pair{54, 278}, {503, 278}, {278, 54}, {278, 503}}) {
        EXPECT_EQ(PixelAt(frame, x, y), kBackground) << x << ", " << y;
    }
}

TEST_F(DeviceDraw, OverlappingQuadsObeyTheDepthTest) {
    D3DMATRIX projection;
    D3DXMatrixPerspectiveFovLH(projection, std::numbers::pi_v<float> / 2, 1, 1, 100);
    device->SetTransform(D3DTS_PROJECTION, projection);
    const auto draw = [&](std::uint32_t colour, float z) {
        device->SetTexture(0, Solid(colour));
        DrawStrip(QuadStrip(-1, 1, 1, -1, z));
    };
    for (const bool nearFirst : {true, false}) {
        if (nearFirst) draw(kGreen, 2);
        draw(kRed, 4);
        if (!nearFirst) draw(kGreen, 2);
        EXPECT_EQ(PixelAt(Show(), 8, 8), kGreen) << nearFirst;
        Restart();
    }
}

// Culling is off: a strip given right to left, counter-clockwise on screen, draws as well.
TEST_F(DeviceDraw, BothTrianglesOfAStripDrawWhicheverWayTheyWind) {
    device->SetTexture(0, Solid(kWhite));
    for (const bool mirrored : {false, true}) {
        Quad quad = QuadStrip(-0.5F, 0.5F, 0.5F, -0.5F, 1);
        if (mirrored) quad = {quad[1], quad[0], quad[3], quad[2]};
        ASSERT_EQ(DrawStrip(quad), D3D_OK);
        const Frame& frame = Show();
        EXPECT_EQ(PixelAt(frame, 5, 5), kWhite) << mirrored;    // in the first triangle
        EXPECT_EQ(PixelAt(frame, 10, 10), kWhite) << mirrored;  // in the second
        Restart();
    }
}

TEST_F(DeviceDraw, ReadsVerticesFromMemoryByStride) {
    struct PaddedVertex {
        TexturedVertex vertex;
        float padding[3];  // NaNs, never to be read
    };
    std::vector<PaddedVertex> strip;
    for (const TexturedVertex& corner : QuadStrip(-0.5F, 0.5F, 0.5F, -0.5F, 1)) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        strip.push_back({corner, {nan, nan, nan}});
    }
    device->SetTexture(0, Solid(kRed));
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip.data(), sizeof(PaddedVertex)), D3D_OK);
    const Frame& frame = Show();
    EXPECT_EQ(PixelAt(frame, 4, 4), kRed);
    EXPECT_EQ(PixelAt(frame, 11, 11), kRed);
    EXPECT_EQ(PixelAt(frame, 3, 3), kBackground);
    EXPECT_EQ(PixelAt(frame, 12, 12), kBackground);
}

}  // namespace
}  // namespace pelliton::d3d8
