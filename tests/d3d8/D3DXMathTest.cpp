// The matrix builders against hand-computed matrices.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "preview/d3d8/D3DXMath.h"

namespace pelliton::d3d8 {
namespace {

using Rows = std::array<std::array<float, 4>, 4>;

void ExpectMatrixNear(const D3DMATRIX& actual, const Rows& expected, float tolerance = 1e-5F) {
    const Rows rows = {{{actual.m11, actual.m12, actual.m13, actual.m14},
                        {actual.m21, actual.m22, actual.m23, actual.m24},
                        {actual.m31, actual.m32, actual.m33, actual.m34},
                        {actual.m41, actual.m42, actual.m43, actual.m44}}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(rows[r][c], expected[r][c], tolerance) << "m" << r + 1 << c + 1;
    }
}

TEST(D3DXMath, PerspectiveFovLH) {
    D3DMATRIX m;
    D3DXMatrixPerspectiveFovLH(m, 0.785375F, 1.0F, 0.0F, 10000.0F);  // the preview's camera
    ExpectMatrixNear(m, {{{2.414293F, 0, 0, 0}, {0, 2.414293F, 0, 0}, {0, 0, 1, 1}, {0, 0, 0, 0}}});
    D3DXMatrixPerspectiveFovLH(m, std::numbers::pi_v<float> / 2, 2.0F, 1.0F, 11.0F);
    ExpectMatrixNear(m, {{{0.5F, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1.1F, 1}, {0, 0, -1.1F, 0}}});
}

TEST(D3DXMath, LookAtLH) {
    D3DMATRIX m;
    D3DXMatrixLookAtLH(m, {0, 0, -384}, {0, 0, 0}, {0, 1, 0});
    ExpectMatrixNear(m, {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 384, 1}}});
    // Looking along +x with y up: +x becomes depth and +z lies to the left.
    D3DXMatrixLookAtLH(m, {1, 2, 3}, {5, 2, 3}, {0, 3, 0});
    ExpectMatrixNear(m, {{{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {3, -2, -1, 1}}});
}

TEST(D3DXMath, RotationAxis) {
    D3DMATRIX m;
    D3DXMatrixRotationAxis(m, {1, 1, 1}, 0.0F);
    ExpectMatrixNear(m, {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}});
    // A third of a turn about (1, 1, 1) takes x to y, y to z and z to x.
    D3DXMatrixRotationAxis(m, {1, 1, 1}, 2 * std::numbers::pi_v<float> / 3);
    ExpectMatrixNear(m, {{{0, 1, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 0}, {0, 0, 0, 1}}});
    // The axis need not be of unit length; a quarter turn about z takes x to y.
    D3DXMatrixRotationAxis(m, {0, 0, 5}, std::numbers::pi_v<float> / 2);
    ExpectMatrixNear(m, {{{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}});
}

}  // namespace
}  // namespace pelliton::d3d8
