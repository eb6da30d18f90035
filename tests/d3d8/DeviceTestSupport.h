// Shared by the device tests: a device made as the preview makes it, quads to draw, pixels to read.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/Direct3D8.h"
#include "support/FramePixels.h"
#include "support/RecordingPane.h"

namespace pelliton::d3d8::testing {

using fixtures::MakeArgbTexture;
using pelliton::testing::kBackground;
using pelliton::testing::kBlue;
using pelliton::testing::kGreen;
using pelliton::testing::kRed;
using pelliton::testing::kWhite;
using pelliton::testing::PixelAt;
inline constexpr DWORD kTexturedFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;  // the preview's

struct TexturedVertex {
    float x, y, z, nx, ny, nz, u, v;
};
using Quad = std::array<TexturedVertex, 4>;

// The preview's present parameters: windowed, client-sized, one back buffer, 16-bit depth.
inline D3DPRESENT_PARAMETERS PreviewParameters() {
    D3DPRESENT_PARAMETERS parameters;
    parameters.Windowed = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.EnableAutoDepthStencil = 1;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;
    return parameters;
}

inline std::shared_ptr<Direct3DDevice8> MakeDevice(pelliton::testing::RecordingPane& pane,
                                                   D3DPRESENT_PARAMETERS parameters = PreviewParameters()) {
    std::shared_ptr<Direct3D8> direct3d;
    DirectX8().Direct3DCreate(direct3d);
    std::shared_ptr<Direct3DDevice8> device;
    direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &pane, D3DCREATE_SOFTWARE_VERTEXPROCESSING, parameters,
                           device);
    return device;
}

// The states the preview sets before it draws: culling and lighting off, its vertex format.
inline void SetPreviewStates(Direct3DDevice8& device) {
    device.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device.SetRenderState(D3DRS_LIGHTING, 0);
    device.SetVertexShader(kTexturedFvf);
}

// A perspective like the preview's (near plane 0, so every depth is 1) with a 90 degree field of
// view, written out exactly: a point (x, y, 1) lands at (x, y) after the divide.
inline D3DMATRIX ExactProjection() {
    D3DMATRIX m;
    m.m11 = m.m22 = m.m33 = m.m34 = 1;
    return m;
}

// A strip top-left, top-right, bottom-left, bottom-right, texture (0, 0) at the top left.
inline Quad QuadStrip(float left, float top, float right, float bottom, float z) {
    return {{{left, top, z, 0, 0, -1, 0, 0},
             {right, top, z, 0, 0, -1, 1, 0},
             {left, bottom, z, 0, 0, -1, 0, 1},
             {right, bottom, z, 0, 0, -1, 1, 1}}};
}

}  // namespace pelliton::d3d8::testing
