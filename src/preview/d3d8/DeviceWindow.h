// The window a device draws into: it tells its client size and shows each presented frame.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace pelliton::d3d8 {

// A presented frame as the device holds it: 32-bit pixels 0xXXRRGGBB, rows top to bottom. It is
// good only while ShowFrame runs; a window that keeps it copies it.
struct FrameView {
    int width = 0;
    int height = 0;
    std::span<const std::uint32_t> pixels;
};

// A presented frame kept after it was shown.
struct Frame {
    Frame() = default;
    Frame(int width, int height, std::vector<std::uint32_t> pixels)
        : width(width), height(height), pixels(std::move(pixels)) {}
    explicit Frame(const FrameView& shown)
        : width(shown.width), height(shown.height), pixels(shown.pixels.begin(), shown.pixels.end()) {}

    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class DeviceWindow {
public:
    virtual ~DeviceWindow() = default;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // Shows the frame until the next one; nothing else changes what the window shows.
    virtual void ShowFrame(const FrameView& frame) = 0;
};

}  // namespace pelliton::d3d8
