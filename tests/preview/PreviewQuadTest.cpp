// The preview quad: one world unit per texel, centred, the image's top-left at the top-left corner.
#include <gtest/gtest.h>

#include <cstring>

#include "preview/PreviewQuad.h"

namespace pelliton {
namespace {

TEST(PreviewQuad, CornersAreHalfTheSizeEachWay) {
    for (const auto& [width, height, halfWidth, halfHeight] :
         {std::tuple{256, 128, 128.0f, 64.0f}, {33, 17, 16.5f, 8.5f}, {1, 1, 0.5f, 0.5f}}) {
        const QuadVertices quad = MakeQuadVertices(width, height);
        const float xs[] = {-halfWidth, halfWidth, -halfWidth, halfWidth};
        const float ys[] = {halfHeight, halfHeight, -halfHeight, -halfHeight};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(quad[i].x, xs[i]) << width << " x " << height << " vertex " << i;
            EXPECT_EQ(quad[i].y, ys[i]) << width << " x " << height << " vertex " << i;
            EXPECT_EQ(quad[i].z, 0.0f);
        }
    }
}

TEST(PreviewQuad, TextureCoordinatesPutTheImageUprightAndNormalsFaceAway) {
    const QuadVertices quad = MakeQuadVertices(4, 4);
    const float us[] = {0, 1, 0, 1};
    const float vs[] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(quad[i].tu, us[i]);
        EXPECT_EQ(quad[i].tv, vs[i]);
        EXPECT_EQ(quad[i].nz, 1.0f);
    }
}

TEST(PreviewQuad, VerticesAreContiguousThirtyTwoByteRecords) {
    const QuadVertices quad = MakeQuadVertices(2, 2);
    unsigned char bytes[128];
    std::memcpy(bytes, quad.data(), sizeof bytes);
    float tv;
    std::memcpy(&tv, bytes + 3 * 32 + 28, sizeof tv);  // tv of the last vertex
    EXPECT_EQ(tv, 1.0f);
}

}  // namespace
}  // namespace pelliton
