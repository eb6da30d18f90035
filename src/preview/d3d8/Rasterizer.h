// The software device's drawing: one clip-space triangle into the back buffer and depth buffer.
#pragma once

#include "preview/d3d8/ClipSpace.h"
#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/Direct3DTexture8.h"
#include "preview/d3d8/RenderTarget.h"
#include "preview/d3d8/TextureStage.h"

namespace pelliton::d3d8 {

// The device state a triangle is drawn with.
struct DrawSettings {
    DWORD cullMode = D3DCULL_CCW;
    bool depthTest = false;  // only honoured with a depth buffer
    DWORD depthFunction = D3DCMP_LESSEQUAL;
    TextureStageSettings stage;
    const Direct3DTexture8* texture = nullptr;
};

// Pipeline: clip -> divide by w -> viewport -> cull -> bounding box -> barycentrics -> depth test
// -> sample -> write. The viewport covers the whole target: X = (x + 1) * width / 2,
// Y = (1 - y) * height / 2, pixel centres at integer coordinates.
void DrawTriangle(const ClipTriangle& triangle, const DrawSettings& settings, RenderTarget& target);

}  // namespace pelliton::d3d8
