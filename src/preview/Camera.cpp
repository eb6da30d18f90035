#include "preview/Camera.h"

#include <limits>
#include <string>

#include "common/PellitonError.h"
#include "preview/d3d8/D3DXMath.h"

namespace pelliton {

using namespace d3d8;

namespace {

// The field of view uses 3.1415, not pi to full precision; near 0 puts every depth at 1.0, which
// passes the device's less-or-equal test against a depth buffer cleared to 1.0.
constexpr double kPi = 3.1415;
constexpr float kAspect = 1.0f;
constexpr float kNearPlane = 0.0f;
constexpr float kFarPlane = 10000.0f;

void Check(HRESULT result, const char* transform) {
    if (FAILED(result)) throw PellitonError(std::string("the device refused the ") + transform + " transform");
}

}  // namespace

float ZoomFactor(std::int32_t width, std::int32_t height) {
    if (width < 128 && height < 128) return 8.0f;
    if (width == 128 && height == 128) return 4.0f;
    return 1.5f;
}

CameraMatrices MakeCameraMatrices(std::int32_t width, std::int32_t height) {
    CameraMatrices camera;
    D3DXMatrixRotationAxis(camera.world, D3DVECTOR{1.0f, 1.0f, 1.0f}, 0.0f);

    const std::int32_t largerSide = width > height ? width : height;
    // -L by 32-bit integer negation, the product in double precision, stored as a float.
    if (largerSide == std::numeric_limits<std::int32_t>::min()) {
        throw PellitonError("overflow: the texture's larger side " + std::to_string(largerSide) + " cannot be negated");
    }
    const auto eyeZ = static_cast<float>(static_cast<double>(ZoomFactor(width, height)) * -largerSide);
    D3DXMatrixLookAtLH(camera.view, D3DVECTOR{0, 0, eyeZ}, D3DVECTOR{0, 0, 0}, D3DVECTOR{0, 1, 0});

    D3DXMatrixPerspectiveFovLH(camera.projection, static_cast<float>(kPi / 4), kAspect, kNearPlane, kFarPlane);
    return camera;
}

void SetupMatrices(Direct3DDevice8& device, std::int32_t width, std::int32_t height) {
    const CameraMatrices camera = MakeCameraMatrices(width, height);
    Check(device.SetTransform(D3DTS_WORLD, camera.world), "world");
    Check(device.SetTransform(D3DTS_VIEW, camera.view), "view");
    Check(device.SetTransform(D3DTS_PROJECTION, camera.projection), "projection");
}

}  // namespace pelliton
