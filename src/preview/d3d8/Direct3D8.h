// The runtime's objects: the root, the Direct3D8 object, the device and its vertex buffers.
// Methods return result codes (negative: failure); objects live as long as a reference holds them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/DeviceWindow.h"
#include "preview/d3d8/Direct3DTexture8.h"
#include "preview/d3d8/LiveCounted.h"

namespace pelliton::d3d8 {

class Direct3D8;
class Direct3DDevice8;

class Direct3DVertexBuffer8 : public LiveCounted<Direct3DVertexBuffer8> {
public:
    Direct3DVertexBuffer8(UINT length, DWORD fvf) : bytes_(length), fvf_(fvf) {}
    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    DWORD FVF() const { return fvf_; }

private:
    std::vector<std::uint8_t> bytes_;
    DWORD fvf_;
};

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
    // A windowed software device on focusWindow, its back buffer the window's client size when
    // the parameters leave it 0. Refuses what it cannot honour with D3DERR_INVALIDCALL, and any
    // device type but D3DDEVTYPE_HAL with D3DERR_NOTAVAILABLE.
    virtual HRESULT CreateDevice(UINT adapter, DWORD deviceType, DeviceWindow* focusWindow, DWORD behaviorFlags,
                                 D3DPRESENT_PARAMETERS& parameters, std::shared_ptr<Direct3DDevice8>& out);
};

// A software device: one back buffer of 32-bit X8R8G8B8 pixels, a 16-bit depth buffer, and
// presentation by copying the back buffer to the device window.
class Direct3DDevice8 : public LiveCounted<Direct3DDevice8> {
public:
    enum class DepthBuffer { None, D16 };

    // Without a depth buffer depth testing is off and clearing depth fails.
    Direct3DDevice8(std::shared_ptr<Direct3D8> creator, DeviceWindow* window, int width, int height,
                    DepthBuffer depthBuffer = DepthBuffer::D16);
    ~Direct3DDevice8();
    Direct3DDevice8(const Direct3DDevice8&) = delete;
    Direct3DDevice8& operator=(const Direct3DDevice8&) = delete;

    HRESULT SetRenderState(DWORD state, DWORD value);
    HRESULT SetTransform(DWORD state, const D3DMATRIX& matrix);
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil);
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, DWORD pool,
                               std::shared_ptr<Direct3DVertexBuffer8>& out);
    HRESULT BeginScene();
    HRESULT SetTexture(DWORD stage, const std::shared_ptr<Direct3DTexture8>& texture);
    HRESULT SetTextureStageState(DWORD stage, DWORD type, DWORD value);
    HRESULT SetStreamSource(UINT stream, const std::shared_ptr<Direct3DVertexBuffer8>& buffer, UINT stride);
    HRESULT SetVertexShader(DWORD handle);
    // Draws primitiveCount primitives from vertices in memory, laid out as the current vertex
    // shader (a vertex format code) says, stride bytes apart.
    HRESULT DrawPrimitiveUP(DWORD primitiveType, UINT primitiveCount, const void* vertexData, UINT stride);
    HRESULT EndScene();
    // Copies the whole back buffer to the device window (or overrideWindow); rectangles other
    // than the whole surface are refused.
    HRESULT Present(const D3DRECT* sourceRect, const D3DRECT* destRect, DeviceWindow* overrideWindow,
                    const void* dirtyRegion);

    int BackBufferWidth() const { return width_; }
    int BackBufferHeight() const { return height_; }

private:
    struct State;
    std::shared_ptr<Direct3D8> creator_;  // a device keeps the object that created it
    DeviceWindow* window_;
    int width_;
    int height_;
    std::unique_ptr<State> state_;
};

}  // namespace pelliton::d3d8
