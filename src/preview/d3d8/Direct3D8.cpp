// The runtime's objects: the desktop's display mode, device creation, and the device's calls.
#include "preview/d3d8/Direct3D8.h"

#include <algorithm>
#include <cstddef>
#include <new>

#include "common/PellitonError.h"

namespace pelliton::d3d8 {

namespace {

// A windowed device with one back buffer in the desktop format and a 16-bit depth buffer.
bool ParametersHonoured(const D3DPRESENT_PARAMETERS& p) {
    return p.Windowed == 1 && p.BackBufferFormat == D3DFMT_X8R8G8B8 && p.BackBufferCount <= 1 &&
           p.SwapEffect == D3DSWAPEFFECT_COPY_VSYNC && p.EnableAutoDepthStencil == 1 &&
           p.AutoDepthStencilFormat == D3DFMT_D16;
}

}  // namespace

HRESULT DirectX8::Direct3DCreate(std::shared_ptr<Direct3D8>& out) {
    out = std::make_shared<Direct3D8>();
    return D3D_OK;
}

HRESULT Direct3D8::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE& mode) {
    if (adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
    mode = D3DDISPLAYMODE{D3DFMT_X8R8G8B8};
    return D3D_OK;
}

HRESULT Direct3D8::CreateDevice(UINT adapter, DWORD deviceType, DeviceWindow* focusWindow, DWORD behaviorFlags,
                                D3DPRESENT_PARAMETERS& parameters, std::shared_ptr<Direct3DDevice8>& out) {
    if (adapter != D3DADAPTER_DEFAULT || focusWindow == nullptr) return D3DERR_INVALIDCALL;
    // The software device stands in for the hardware one; no other device type is offered.
    if (deviceType != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    // Vertices are always processed in software.
    if (behaviorFlags != D3DCREATE_SOFTWARE_VERTEXPROCESSING || !ParametersHonoured(parameters)) {
        return D3DERR_INVALIDCALL;
    }
    const int width = focusWindow->ClientWidth(), height = focusWindow->ClientHeight();
    const auto usable = [](int side) { return side > 0 && side <= kLargestTargetSide; };
    if (!usable(width) || !usable(height)) return D3DERR_INVALIDCALL;
    try {
        out = std::make_shared<Direct3DDevice8>(weak_from_this().lock(), focusWindow, width, height);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return D3D_OK;
}

HRESULT Direct3DDevice8::SetRenderState(DWORD state, DWORD value) {
    switch (state) {
        case D3DRS_ZENABLE:
            return value == D3DZB_TRUE ? D3D_OK : D3DERR_INVALIDCALL;  // the depth test is always on
        case D3DRS_ZFUNC:
            return value == D3DCMP_LESSEQUAL ? D3D_OK : D3DERR_INVALIDCALL;
        case D3DRS_CULLMODE:
            if (value != D3DCULL_NONE) return D3DERR_INVALIDCALL;
            cullingOff_ = true;
            return D3D_OK;
        case D3DRS_LIGHTING:
            if (value != 0) return D3DERR_INVALIDCALL;
            lightingOff_ = true;
            return D3D_OK;
        default:
            return D3D_OK;  // a state this device does not draw with changes nothing
    }
}

HRESULT Direct3DDevice8::SetTransform(DWORD state, const D3DMATRIX& matrix) {
    D3DMATRIX* transform = state == D3DTS_WORLD        ? &world_
                           : state == D3DTS_VIEW       ? &view_
                           : state == D3DTS_PROJECTION ? &projection_
                                                       : nullptr;
    if (transform == nullptr) return D3DERR_INVALIDCALL;
    *transform = matrix;
    return D3D_OK;
}

HRESULT Direct3DDevice8::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                               DWORD /*stencil: there is no stencil buffer*/) {
    // Only the whole surface is cleared, colour and depth together.
    const bool whole = count == 0 && rects == nullptr && flags == (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
    if (!whole || !(z >= 0 && z <= 1)) return D3DERR_INVALIDCALL;
    std::fill(target_.depth.begin(), target_.depth.end(), QuantiseDepth(z));
    std::fill(target_.colour.begin(), target_.colour.end(), color | kOpaqueAlpha);
    return D3D_OK;
}

HRESULT Direct3DDevice8::BeginScene() {
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

HRESULT Direct3DDevice8::EndScene() {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
}

HRESULT Direct3DDevice8::SetTexture(DWORD stage, const std::shared_ptr<Direct3DTexture8>& texture) {
    if (stage != 0) return D3DERR_INVALIDCALL;
    texture_ = texture;
    return D3D_OK;
}

// Stage 0 draws the texture modulated by the diffuse colour, which is white with lighting off and
// no diffuse in the vertices; alpha never reaches the picture (no blending, no alpha in the back
// buffer). Those are the defaults, so a setting is only checked.
HRESULT Direct3DDevice8::SetTextureStageState(DWORD stage, DWORD type, DWORD value) {
    if (stage != 0) return D3DERR_INVALIDCALL;
    switch (type) {
        case D3DTSS_COLOROP:
            return value == D3DTOP_MODULATE ? D3D_OK : D3DERR_INVALIDCALL;
        case D3DTSS_COLORARG1:
            return value == D3DTA_TEXTURE ? D3D_OK : D3DERR_INVALIDCALL;
        case D3DTSS_COLORARG2:
            return value == D3DTA_DIFFUSE ? D3D_OK : D3DERR_INVALIDCALL;
        case D3DTSS_ALPHAOP:
            return value == D3DTOP_DISABLE ? D3D_OK : D3DERR_INVALIDCALL;
        default:
            return D3D_OK;
    }
}

HRESULT Direct3DDevice8::SetVertexShader(DWORD handle) {
    // A vertex format code serves as the shader handle.
    if (handle != kDrawnVertexFormat) return D3DERR_INVALIDCALL;
    vertexFormatSet_ = true;
    return D3D_OK;
}

HRESULT Direct3DDevice8::DrawPrimitiveUP(DWORD primitiveType, UINT primitiveCount, const void* vertexData,
                                         UINT stride) {
    if (primitiveType != D3DPT_TRIANGLESTRIP || !inScene_ || !cullingOff_ || !lightingOff_ || !vertexFormatSet_ ||
        !texture_ || primitiveCount == 0 || vertexData == nullptr || stride < kDrawnVertexSize) {
        return D3DERR_INVALIDCALL;
    }
    const D3DMATRIX worldViewProjection = Multiply(Multiply(world_, view_), projection_);
    const auto* bytes = static_cast<const std::byte*>(vertexData);
    const auto corner = [&](std::size_t index) { return TransformVertex(bytes + index * stride, worldViewProjection); };
    for (std::size_t i = 0; i < primitiveCount + std::size_t{2}; ++i) {
        if (!InView(corner(i))) return D3DERR_INVALIDCALL;
    }
    try {
        for (std::size_t i = 0; i < primitiveCount; ++i) {
            DrawTriangle({corner(i), corner(i + 1), corner(i + 2)}, *texture_, target_);
        }
    } catch (const PellitonError&) {
        return D3DXERR_INVALIDDATA;  // the texture's file no longer holds a row; the texture says why
    }
    return D3D_OK;
}

HRESULT Direct3DDevice8::Present(const D3DRECT* sourceRect, const D3DRECT* destRect, DeviceWindow* overrideWindow,
                                 const void* dirtyRegion) {
    if (sourceRect || destRect || overrideWindow || dirtyRegion || inScene_ || !window_) return D3DERR_INVALIDCALL;
    window_->ShowFrame(FrameView{target_.width, target_.height, target_.colour});
    return D3D_OK;
}

}  // namespace pelliton::d3d8
