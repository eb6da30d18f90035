// The camera: zoom bands, eye distance, and the matrices the device receives.
#include <gtest/gtest.h>

#include "common/PellitonError.h"
#include "preview/Camera.h"

namespace pelliton {
namespace {

struct CameraCase {
    std::int32_t width;
    std::int32_t height;
    float zoom;
    float eyeDistance;  // the view's m43: the eye stands at (0, 0, -eyeDistance)
    friend void PrintTo(const CameraCase& c, std::ostream* os) { *os << c.width << " x " << c.height; }
};

class CameraBands : public ::testing::TestWithParam<CameraCase> {};

TEST_P(CameraBands, ZoomFactorAndEyeFollowTheLargerSide) {
    const CameraCase& c = GetParam();
    EXPECT_EQ(ZoomFactor(c.width, c.height), c.zoom);
    const CameraMatrices camera = MakeCameraMatrices(c.width, c.height);
    const d3d8::D3DMATRIX& view = camera.view;
    EXPECT_FLOAT_EQ(view.m43, c.eyeDistance);
    // Everything else of the view is the identity: the camera looks along +z, +y up.
    for (const float one : {view.m11, view.m22, view.m33, view.m44}) EXPECT_FLOAT_EQ(one, 1.0f);
    for (const float zero : {view.m12, view.m13, view.m14, view.m21, view.m23, view.m24, view.m31, view.m32,
                             view.m34, view.m41, view.m42}) {
        EXPECT_NEAR(zero, 0.0f, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(Camera, CameraBands,
                         ::testing::Values(CameraCase{64, 64, 8.0f, 512}, CameraCase{127, 100, 8.0f, 1016},
                                           CameraCase{127, 127, 8.0f, 1016}, CameraCase{128, 128, 4.0f, 512},
                                           CameraCase{128, 127, 1.5f, 192}, CameraCase{127, 128, 1.5f, 192},
                                           CameraCase{128, 64, 1.5f, 192}, CameraCase{64, 128, 1.5f, 192},
                                           CameraCase{128, 256, 1.5f, 384}, CameraCase{256, 256, 1.5f, 384},
                                           CameraCase{1024, 512, 1.5f, 1536}));

TEST(Camera, WorldIsTheIdentityAndProjectionHasTheFixedFieldOfView) {
    const CameraMatrices camera = MakeCameraMatrices(256, 128);
    const d3d8::D3DMATRIX& world = camera.world;
    EXPECT_FLOAT_EQ(world.m11, 1.0f);
    EXPECT_FLOAT_EQ(world.m22, 1.0f);
    EXPECT_FLOAT_EQ(world.m33, 1.0f);
    EXPECT_FLOAT_EQ(world.m44, 1.0f);
    for (const float zero : {world.m12, world.m13, world.m21, world.m23, world.m31, world.m32, world.m41, world.m42}) {
        EXPECT_NEAR(zero, 0.0f, 1e-6);
    }

    const d3d8::D3DMATRIX& projection = camera.projection;
    EXPECT_NEAR(projection.m11, 2.414293, 1e-5);
    EXPECT_NEAR(projection.m22, 2.414293, 1e-5);
    EXPECT_FLOAT_EQ(projection.m33, 1.0f);
    EXPECT_FLOAT_EQ(projection.m34, 1.0f);
    EXPECT_FLOAT_EQ(projection.m43, 0.0f);
    EXPECT_FLOAT_EQ(projection.m44, 0.0f);
}

TEST(Camera, ALargerSideThatCannotBeNegatedIsAnError) {
    EXPECT_THROW(MakeCameraMatrices(INT32_MIN, INT32_MIN), PellitonError);
    EXPECT_NO_THROW(MakeCameraMatrices(INT32_MIN, 4));
}

}  // namespace
}  // namespace pelliton
