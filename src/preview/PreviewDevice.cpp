#include "preview/PreviewDevice.h"

#include <string>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "preview/Camera.h"

namespace pelliton {

using namespace d3d8;

namespace {

constexpr D3DCOLOR kBackground = 3355443;  // red, green and blue 51
constexpr UINT kVertexStride = sizeof(PreviewVertex);

void Check(HRESULT result, const char* call) {
    if (FAILED(result)) throw PellitonError(std::string(call) + " failed with code " + std::to_string(result));
}

}  // namespace

std::shared_ptr<DirectX8> MakeSoftwareRuntime() { return std::make_shared<DirectX8>(); }

bool PreviewDevice::InitD3D(DeviceWindow* window) {
    if (!runtime_) runtime_ = makeRuntime_();
    if (runtime_) {
        std::shared_ptr<Direct3D8> created;
        if (!FAILED(runtime_->Direct3DCreate(created))) direct3d_ = created;
    }
    if (!direct3d_) return false;

    D3DDISPLAYMODE mode{};  // stays zero when the query fails; the device creation then decides
    direct3d_->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, mode);

    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
    parameters.BackBufferFormat = mode.Format;
    parameters.BackBufferCount = 1;
    parameters.EnableAutoDepthStencil = 1;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;

    std::shared_ptr<Direct3DDevice8> device;
    if (!FAILED(direct3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                        parameters, device))) {
        device_ = device;
    }
    if (!device_) return false;

    // A refused state does not change the outcome.
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device_->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device_->SetRenderState(D3DRS_LIGHTING, 0);
    return true;
}

void PreviewDevice::Cleanup() {
    texture_.reset();
    device_.reset();
    direct3d_.reset();
    textureLoader_.reset();
    runtime_.reset();
}

std::optional<std::string> PreviewDevice::RenderPreview(const std::filesystem::path& imageFile, std::int32_t width,
                                                        std::int32_t height) noexcept {
    try {
        const std::string path = PathToUtf8(imageFile);
        return Draw([&](Direct3DDevice8& device, std::shared_ptr<Direct3DTexture8>& texture, std::string* unreadable) {
            return textureLoader_->CreateTextureFromFile(device, path, texture, unreadable);
        }, width, height);
    } catch (...) {
        return std::nullopt;  // a failing device leaves silently: the pane keeps what it showed
    }
}

std::optional<std::string> PreviewDevice::RenderPreviewFromMemory(std::vector<std::uint8_t> imageFile,
                                                                  std::int32_t width, std::int32_t height) noexcept {
    try {
        return Draw([&](Direct3DDevice8& device, std::shared_ptr<Direct3DTexture8>& texture, std::string* unreadable) {
            return textureLoader_->CreateTextureFromFileInMemory(device, std::move(imageFile), texture, unreadable);
        }, width, height);
    } catch (...) {
        return std::nullopt;
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
    if (!device_) throw PellitonError("no device");
    Check(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0), "Clear");
    return *device_;
}

std::optional<std::string> PreviewDevice::Draw(const TextureLoad& loadTexture, std::int32_t width,
                                               std::int32_t height) {
    Direct3DDevice8& device = ClearedDevice();

    if (!textureLoader_) textureLoader_ = std::make_shared<D3DX8>();
    std::shared_ptr<Direct3DTexture8> texture;
    std::string unreadable;
    if (FAILED(loadTexture(device, texture, &unreadable))) {
        // The cleared frame goes out, so that the pane never shows a picture of another file.
        Check(device.Present(nullptr, nullptr, nullptr, nullptr), "Present");
        return unreadable;
    }
    texture_ = texture;

    const QuadVertices quad = MakeQuadVertices(width, height);
    Check(device.BeginScene(), "BeginScene");
    SetupMatrices(device, width, height);
    Check(device.SetTexture(0, texture_), "SetTexture");
    Check(device.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE), "SetTextureStageState");
    Check(device.SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE), "SetTextureStageState");
    Check(device.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE), "SetTextureStageState");
    Check(device.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE), "SetTextureStageState");
    Check(device.SetVertexShader(kPreviewVertexFormat), "SetVertexShader");
    const HRESULT drawn = device.DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), kVertexStride);
    texture_->ReleaseFile();
    Check(device.EndScene(), "EndScene");
    if (const auto& failure = texture_->ReadFailure(); FAILED(drawn) && failure) {
        // Another program shortened the file while it was drawn: as if it could not be loaded.
        Check(ClearedDevice().Present(nullptr, nullptr, nullptr, nullptr), "Present");
        return failure;
    }
    Check(drawn, "DrawPrimitiveUP");
    Check(device.Present(nullptr, nullptr, nullptr, nullptr), "Present");
    return std::nullopt;
}

}  // namespace pelliton
