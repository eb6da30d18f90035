// The root object and the Direct3D8 object: the desktop's display mode and device creation.
#include "preview/d3d8/Direct3D8.h"

#include <new>

namespace pelliton::d3d8 {

namespace {

constexpr D3DDISPLAYMODE kDesktopMode{1024, 768, 60, D3DFMT_X8R8G8B8};

// Larger surfaces are refused: they would not fit the rasterizer's fixed-point range.
constexpr int kLargestBackBufferSide = 16384;

constexpr DWORD kVertexProcessingFlags =
    D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING;

bool ExactlyOneVertexProcessingFlag(DWORD behaviorFlags) {
    const DWORD chosen = behaviorFlags & kVertexProcessingFlags;
    return chosen != 0 && (chosen & (chosen - 1)) == 0;
}

// What a windowed device with one back buffer and an optional 16-bit depth buffer can honour.
bool ParametersHonoured(const D3DPRESENT_PARAMETERS& p) {
    const bool backBufferFormat = p.BackBufferFormat == D3DFMT_X8R8G8B8 || p.BackBufferFormat == D3DFMT_A8R8G8B8;
    const bool depthFormat = p.EnableAutoDepthStencil == 0 || p.AutoDepthStencilFormat == D3DFMT_D16;
    const bool swapEffect = p.SwapEffect >= D3DSWAPEFFECT_DISCARD && p.SwapEffect <= D3DSWAPEFFECT_COPY_VSYNC;
    return p.Windowed == 1 && backBufferFormat && p.BackBufferCount <= 1 && p.MultiSampleType == D3DMULTISAMPLE_NONE &&
           swapEffect && depthFormat;
}

// The requested side, or the window's client side when the request is 0; 0 when unusable.
int ChooseSide(UINT requested, int clientSide) {
    const long long side = requested != 0 ? static_cast<long long>(requested) : clientSide;
    return side > 0 && side <= kLargestBackBufferSide ? static_cast<int>(side) : 0;
}

}  // namespace

HRESULT DirectX8::Direct3DCreate(std::shared_ptr<Direct3D8>& out) {
    out = std::make_shared<Direct3D8>();
    return D3D_OK;
}

HRESULT Direct3D8::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE& mode) {
    if (adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
    mode = kDesktopMode;
    return D3D_OK;
}

HRESULT Direct3D8::CreateDevice(UINT adapter, DWORD deviceType, DeviceWindow* focusWindow, DWORD behaviorFlags,
                                D3DPRESENT_PARAMETERS& parameters, std::shared_ptr<Direct3DDevice8>& out) {
    if (adapter != D3DADAPTER_DEFAULT || focusWindow == nullptr) return D3DERR_INVALIDCALL;
    // The software device stands in for the hardware one; no other device type is offered.
    if (deviceType != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    if (!ExactlyOneVertexProcessingFlag(behaviorFlags) || !ParametersHonoured(parameters)) return D3DERR_INVALIDCALL;

    DeviceWindow* deviceWindow = parameters.hDeviceWindow ? parameters.hDeviceWindow : focusWindow;
    const int width = ChooseSide(parameters.BackBufferWidth, deviceWindow->ClientWidth());
    const int height = ChooseSide(parameters.BackBufferHeight, deviceWindow->ClientHeight());
    if (width == 0 || height == 0) return D3DERR_INVALIDCALL;

    const auto depthBuffer =
        parameters.EnableAutoDepthStencil ? Direct3DDevice8::DepthBuffer::D16 : Direct3DDevice8::DepthBuffer::None;
    try {
        // A device keeps its creator alive.
        out = std::make_shared<Direct3DDevice8>(weak_from_this().lock(), deviceWindow, width, height, depthBuffer);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    // As the runtime does, the parameters tell what was chosen.
    parameters.BackBufferWidth = static_cast<UINT>(width);
    parameters.BackBufferHeight = static_cast<UINT>(height);
    parameters.BackBufferCount = 1;
    return D3D_OK;
}

}  // namespace pelliton::d3d8
