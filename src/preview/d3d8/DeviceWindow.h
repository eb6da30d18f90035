// The window a device draws into: it tells its client size and shows each presented frame.
#pragma once

#include <cstdint>
#include <vector>

namespace pelliton::d3d8 {

// A presented frame: 32-bit pixels 0xXXRRGGBB, rows top to bottom.
struct Frame {
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
    virtual void ShowFrame(const Frame& frame) = 0;
};

}  // namespace pelliton::d3d8
