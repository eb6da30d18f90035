#include "preview/PreviewDevice.h"

#include <string>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "preview/Camera.h"
#include "preview/d3d8/D3DXMath.h"

namespace pelliton {

using namespace d3d8;

namespace {

constexpr D3DCOLOR kBackground = 3355443;  // red, green and blue 51
constexpr UINT kQuadBytes = sizeof(QuadVertices);
constexpr UINT kVertexStride = sizeof(PreviewVertex);

void Check(HRESULT result, const char* call) {
    if (FAILED(result)) throw PellitonError(std::string(call) + " failed with code " + std::to_string(result));
}

}  // namespace

std::shared_ptr<DirectX8> MakeSoftwareRuntime() { return std::make_shared<DirectX8>(); }

bool PreviewDevice::InitD3D(DeviceWindow* window) {
    if (!DX) DX = makeRuntime_();
    if (DX) {
        std::shared_ptr<Direct3D8> created;
        if (!FAILED(DX->Direct3DCreate(created))) D3D = created;
    }
    if (!D3D) return false;

    D3DDISPLAYMODE mode{};  // stays zero when the query fails; the device creation then decides
    D3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, mode);

    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
    parameters.BackBufferFormat = mode.Format;
    parameters.BackBufferCount = 1;
    parameters.EnableAutoDepthStencil = 1;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;

    std::shared_ptr<Direct3DDevice8> device;
    if (!FAILED(D3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                  parameters, device))) {
        D3DDevice = device;
    }
    if (!D3DDevice) return false;

    // A refused state does not change the outcome.
    D3DDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    D3DDevice->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    D3DDevice->SetRenderState(D3DRS_LIGHTING, 0);
    return true;
}

void PreviewDevice::Cleanup() {
    PreviewTexture.reset();
    PreviewVB.reset();
    D3DDevice.reset();
    D3D.reset();
    D3DX.reset();
    DX.reset();
}

std::optional<std::string> PreviewDevice::RenderPreview(const std::filesystem::path& imageFile, std::int32_t width,
                                                        std::int32_t height) noexcept {
    try {
        return Draw(imageFile, width, height);
    } catch (...) {
        return std::nullopt;  // a failing device leaves silently: the pane keeps what it showed
    }
}

void PreviewDevice::ShowBackground() noexcept {
    try {
        Direct3DDevice8& device = ClearedDevice();
        Check(device.Present(nullptr, nullptr, nullptr, nullptr), "Present");
    } catch (...) {
        // As with drawing: a failing device keeps the pane as it was.
    }
}

// Back buffer to the background colour, depth buffer to the far plane; nothing is shown yet.
Direct3DDevice8& PreviewDevice::ClearedDevice() {
    if (!D3DDevice) throw PellitonError("no device");
    Check(D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0), "Clear");
    return *D3DDevice;
}

std::optional<std::string> PreviewDevice::Draw(const std::filesystem::path& imageFile, std::int32_t width,
                                               std::int32_t height) {
    Direct3DDevice8& device = ClearedDevice();

    if (!D3DX) D3DX = std::make_shared<D3DX8>();
    std::shared_ptr<Direct3DTexture8> texture;
    std::string unreadable;
    if (FAILED(D3DX->CreateTextureFromFile(device, PathToUtf8(imageFile), texture, &unreadable))) {
        // The cleared frame goes out, so that the pane never shows a picture of another file.
        Check(device.Present(nullptr, nullptr, nullptr, nullptr), "Present");
        return unreadable;
    }
    PreviewTexture = texture;

    QuadVertices_ = MakeQuadVertices(width, height);
    std::shared_ptr<Direct3DVertexBuffer8> buffer;
    Check(device.CreateVertexBuffer(kQuadBytes, 0, kPreviewVertexFormat, D3DPOOL_DEFAULT, buffer), "CreateVertexBuffer");
    PreviewVB = buffer;
    D3DVertexBuffer8SetData(*PreviewVB, 0, kQuadBytes, 0, QuadVertices_.data());  // result not examined

    Check(device.BeginScene(), "BeginScene");
    SetupMatrices(device, width, height);
    Check(device.SetTexture(0, PreviewTexture), "SetTexture");
    Check(device.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE), "SetTextureStageState");
    Check(device.SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE), "SetTextureStageState");
    Check(device.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE), "SetTextureStageState");
    Check(device.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE), "SetTextureStageState");
    Check(device.SetStreamSource(0, PreviewVB, kVertexStride), "SetStreamSource");
    Check(device.SetVertexShader(kPreviewVertexFormat), "SetVertexShader");
    // The vertices come from memory; the buffer above is created, filled and bound, but not read.
    const HRESULT drawn = device.DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, QuadVertices_.data(), kVertexStride);
    PreviewTexture->ReleaseFile();
    Check(device.EndScene(), "EndScene");
    if (const auto& failure = PreviewTexture->ReadFailure(); FAILED(drawn) && failure) {
        // Another program shortened the file while it was drawn: as if it could not be loaded.
        Check(ClearedDevice().Present(nullptr, nullptr, nullptr, nullptr), "Present");
        return failure;
    }
    Check(drawn, "DrawPrimitiveUP");
    Check(device.Present(nullptr, nullptr, nullptr, nullptr), "Present");
    return std::nullopt;
}

}  // namespace pelliton
