// The runtime's objects: the root, the Direct3D8 object and the device. Methods return result
// codes (negative: failure); objects live as long as a reference holds them.
#pragma once

#include <memory>
#include <utility>

#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/DeviceWindow.h"
#include "preview/d3d8/Direct3DTexture8.h"
#include "preview/d3d8/LiveCounted.h"
#include "preview/d3d8/Pipeline.h"

namespace pelliton::d3d8 {

class Direct3D8;
class Direct3DDevice8;

// The root object of the runtime, the factory of Direct3D8 objects. Virtual so that tests can
// put a runtime of their own in its place.
class DirectX8 : public LiveCounted<DirectX8> {
public:
    virtual ~DirectX8() = default;
    virtual HRESULT Direct3DCreate(std::shared_ptr<Direct3D8>& out);
};

class Direct3D8 : public LiveCounted<Direct3D8>, public std::enable_shared_from_this<Direct3D8> {
public:
    virtual ~Direct3D8() = default;
    // The desktop's mode: 32-bit X8R8G8B8.
    virtual HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE& mode);
    // A windowed software device on focusWindow, its back buffer the window's client size. Refuses
    // what it cannot honour with D3DERR_INVALIDCALL, and any device type but D3DDEVTYPE_HAL with
    // D3DERR_NOTAVAILABLE. The parameters leave the device nothing to choose, so none is written back.
    virtual HRESULT CreateDevice(UINT adapter, DWORD deviceType, DeviceWindow* focusWindow, DWORD behaviorFlags,
                                 D3DPRESENT_PARAMETERS& parameters, std::shared_ptr<Direct3DDevice8>& out);
};

// A software device: one back buffer of 32-bit X8R8G8B8 pixels, a 16-bit depth buffer, and
// presentation by copying the back buffer to the device window. It honours what the preview asks of
// it; any other mode is refused with D3DERR_INVALIDCALL.
class Direct3DDevice8 : public LiveCounted<Direct3DDevice8> {
public:
    Direct3DDevice8(std::shared_ptr<Direct3D8> creator, DeviceWindow* window, int width, int height)
        : creator_(std::move(creator)), window_(window), target_(width, height) {}
    Direct3DDevice8(const Direct3DDevice8&) = delete;
    Direct3DDevice8& operator=(const Direct3DDevice8&) = delete;

    HRESULT SetRenderState(DWORD state, DWORD value);
    HRESULT SetTransform(DWORD state, const D3DMATRIX& matrix);
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil);
    HRESULT BeginScene();
    HRESULT SetTexture(DWORD stage, const std::shared_ptr<Direct3DTexture8>& texture);
    HRESULT SetTextureStageState(DWORD stage, DWORD type, DWORD value);
    HRESULT SetVertexShader(DWORD handle);
    // Draws primitiveCount triangles of a strip from vertices in memory, stride bytes apart; a strip
    // with a corner out of view is refused.
    HRESULT DrawPrimitiveUP(DWORD primitiveType, UINT primitiveCount, const void* vertexData, UINT stride);
    HRESULT EndScene();
    // Copies the whole back buffer to the device window; rectangles and another window are refused.
    HRESULT Present(const D3DRECT* sourceRect, const D3DRECT* destRect, DeviceWindow* overrideWindow,
                    const void* dirtyRegion);

private:
    std::shared_ptr<Direct3D8> creator_;  // a device keeps the object that created it
    DeviceWindow* window_;
    RenderTarget target_;
    bool inScene_ = false;
    // The device starts, as Direct3D does, with counter-clockwise culling and lighting on. It can
    // draw neither, so a draw waits until both are switched off.
    bool cullingOff_ = false;
    bool lightingOff_ = false;
    bool vertexFormatSet_ = false;
    D3DMATRIX world_ = kIdentityMatrix;
    D3DMATRIX view_ = kIdentityMatrix;
    D3DMATRIX projection_ = kIdentityMatrix;
    std::shared_ptr<Direct3DTexture8> texture_;  // of stage 0, the only stage
};

}  // namespace pelliton::d3d8
