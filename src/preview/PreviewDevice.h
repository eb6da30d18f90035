// The preview's device and what it draws: created per opened file on the preview pane, released
// before the next, and one frame drawn from the exported file on each request.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "preview/PreviewPaneSize.h"
#include "preview/PreviewQuad.h"
#include "preview/RuntimeFactory.h"
#include "preview/d3d8/D3DX8.h"
#include "preview/d3d8/Direct3D8.h"

namespace pelliton {


class PreviewDevice {
public:
    explicit PreviewDevice(RuntimeFactory makeRuntime = MakeSoftwareRuntime) : makeRuntime_(std::move(makeRuntime)) {}

    // Creates the Direct3D8 object and a windowed device on window, and sets the fixed render
    // states. A failing step is passed over; only whether the objects exist at the end counts.
    bool InitD3D(d3d8::DeviceWindow* window);

    // Releases every object reference, dependents before what they depend on.
    void Cleanup();

    // Draws the image file on a quad of width x height texels and presents one frame. Nothing is
    // cached: the file is read anew each time. A file that cannot be loaded presents the empty
    // background and gives the reason; any other failure leaves silently, the pane unchanged.
    std::optional<std::string> RenderPreview(const std::filesystem::path& imageFile, std::int32_t width,
                                             std::int32_t height) noexcept;

    // The same for an image file's bytes in memory.
    std::optional<std::string> RenderPreviewFromMemory(std::vector<std::uint8_t> imageFile, std::int32_t width,
                                                       std::int32_t height) noexcept;

    // Presents a frame of background only, so that no earlier picture stays in the pane.
    void ShowBackground() noexcept;

    bool HasDevice() const { return device_ != nullptr; }

private:
    // loadTexture fills its texture, or says why it could not.
    using TextureLoad = std::function<d3d8::HRESULT(d3d8::Direct3DDevice8&, std::shared_ptr<d3d8::Direct3DTexture8>&,
                                                    std::string* unreadable)>;
    std::optional<std::string> Draw(const TextureLoad& loadTexture, std::int32_t width, std::int32_t height);
    d3d8::Direct3DDevice8& ClearedDevice();

    RuntimeFactory makeRuntime_;
    std::shared_ptr<d3d8::DirectX8> runtime_;
    std::shared_ptr<d3d8::D3DX8> textureLoader_;
    std::shared_ptr<d3d8::Direct3D8> direct3d_;
    std::shared_ptr<d3d8::Direct3DDevice8> device_;
    std::shared_ptr<d3d8::Direct3DTexture8> texture_;  // the last one drawn
};

}  // namespace pelliton
