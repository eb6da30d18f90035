// The drawing pipeline on its own: the fill rule, perspective-correct texturing, what is in view,
// and the depth convention.
#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/Pipeline.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::MakeArgbTexture;

constexpr int kSize = 12;

// The clip-space vertex (w = 1) that lands on screen position (x, y) of a kSize x kSize target.
ClipVertex AtScreen(float x, float y) { return {2 * x / kSize - 1, 1 - 2 * y / kSize, 0.5F, 1}; }

// Pixels covered by the triangle (white on black).
std::vector<bool> Coverage(const ClipTriangle& triangle) {
    RenderTarget target(kSize, kSize);
    DrawTriangle(triangle, *MakeArgbTexture(1, 1, D3DFMT_X8R8G8B8, {0xFFFFFF}), target);
    std::vector<bool> covered;
    for (const std::uint32_t pixel : target.colour) covered.push_back((pixel & 0xFFFFFFU) == 0xFFFFFFU);
    return covered;
}

TEST(Rasterizer, TrianglesSharingEdgesCoverEachPixelExactlyOnce) {
    struct Case {
        const char* name;
        std::vector<ClipTriangle> triangles;
        int left, top, right, bottom;  // the union: pixel centres in [left, right) x [top, bottom)
    };
    const ClipVertex a = AtScreen(2, 2), b = AtScreen(8, 2), c = AtScreen(2, 8), d = AtScreen(8, 8);
    const ClipVertex centre = AtScreen(5, 5), offCentre = AtScreen(4.3F, 6.7F);
    const Case cases[] = {
        {"square on pixel centres, split corner to corner", {{a, b, c}, {c, b, d}}, 2, 2, 8, 8},
        {"the other diagonal", {{a, b, d}, {a, d, c}}, 2, 2, 8, 8},
        {"fan around a pixel centre", {{a, b, centre}, {b, d, centre}, {d, c, centre}, {c, a, centre}}, 2, 2, 8, 8},
        {"fan around a point between centres",
         {{a, b, offCentre}, {b, d, offCentre}, {d, c, offCentre}, {c, a, offCentre}},
         2,
         2,
         8,
         8},
        {"square on half pixels",
         {{AtScreen(1.5F, 1.5F), AtScreen(6.5F, 1.5F), AtScreen(1.5F, 4.5F)},
          {AtScreen(1.5F, 4.5F), AtScreen(6.5F, 1.5F), AtScreen(6.5F, 4.5F)}},
         2,
         2,
         7,
         5},
    };
    for (const Case& c : cases) {
        std::vector<int> count(kSize * kSize, 0);
        for (const ClipTriangle& triangle : c.triangles) {
            const std::vector<bool> covered = Coverage(triangle);
            for (int i = 0; i < kSize * kSize; ++i) count[i] += covered[i];
        }
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                EXPECT_EQ(count[y * kSize + x], inside ? 1 : 0) << c.name << " at " << x << ", " << y;
            }
        }
    }
}

TEST(Rasterizer, TexturingIsPerspectiveCorrect) {
    // A quad whose left side is at w = 1 and right side at w = 3: on screen it spans x = 0 to 8,
    // and the middle of the texture (u = 0.5) lies at x = 6, not at 4 as affine interpolation has it.
    const ClipVertex topLeft{-1, 1, 0.5F, 1, 0, 0}, bottomLeft{-1, -1, 0.5F, 1, 0, 1};
    const ClipVertex topRight{1, 3, 1.5F, 3, 1, 0}, bottomRight{1, -3, 1.5F, 3, 1, 1};
    const auto texture = MakeArgbTexture(2, 1, D3DFMT_X8R8G8B8, {0x0000FF, 0x00FF00});
    RenderTarget target(kSize, kSize);
    for (const ClipTriangle& half :
         {ClipTriangle{topLeft, topRight, bottomLeft}, {bottomLeft, topRight, bottomRight}}) {
        DrawTriangle(half, *texture, target);
    }
    const auto middleRow = [&](int x) { return target.colour[6 * kSize + x] & 0xFFFFFFU; };
    EXPECT_EQ(middleRow(5), 0x0000FFU);
    EXPECT_EQ(middleRow(7), 0x00FF00U);
}

// Nothing is clipped, so only what lies wholly in view may be drawn; its edges are in view.
TEST(Rasterizer, InViewIsInFrontOfTheEyeAndTheNearPlaneAndInsideTheViewport) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), infinity = std::numeric_limits<float>::infinity();
    const std::pair<ClipVertex, bool> cases[] = {
        {{0, 0, 0.5F, 1}, true},
        {{-1, 1, 0, 1}, true},          // a corner of the viewport, on the near plane
        {{3, -3, 2, 3}, true},          // the viewport widens with w
        {{1.001F, 0, 0.5F, 1}, false},  // right of the viewport
        {{0, -1.001F, 0.5F, 1}, false},
        {{0, 0, -0.001F, 1}, false},    // nearer than the near plane
        {{0, 0, 0, 0}, false},          // at the eye
        {{0, 0, -1, -1}, false},        // behind the eye
        {{nan, 0, 0.5F, 1}, false},
        {{0, 0, nan, 1}, false},
        {{0, 0, 0.5F, infinity}, false},
    };
    for (const auto& [vertex, inView] : cases) {
        EXPECT_EQ(InView(vertex), inView) << vertex.x << ", " << vertex.y << ", " << vertex.z << ", " << vertex.w;
    }
}

TEST(Rasterizer, DepthIsClampedAndStoredIn16Bits) {
    EXPECT_EQ(QuantiseDepth(0.0), 0);
    EXPECT_EQ(QuantiseDepth(0.5), 32768);  // 32767.5 rounds up
    EXPECT_EQ(QuantiseDepth(1.0), 65535);
    EXPECT_EQ(QuantiseDepth(1.25), 65535);
    EXPECT_EQ(QuantiseDepth(-0.25), 0);
}

}  // namespace
}  // namespace pelliton::d3d8
