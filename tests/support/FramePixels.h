// Reading colours of presented frames in tests.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "preview/d3d8/DeviceWindow.h"

namespace pelliton::testing {

// 0xRRGGBB.
inline constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBackground = 0x333333;  // the preview's clear colour

// The pixel's colour without its alpha byte.
inline std::uint32_t PixelAt(const d3d8::Frame& frame, int x, int y) {
    return frame.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width) +
                        static_cast<std::size_t>(x)] & 0xFFFFFFU;
}

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool Empty() const { return right < left; }
};

// The smallest box around every pixel that is not the background colour.
inline Box DrawnBox(const d3d8::Frame& frame) {
    Box box{frame.width, frame.height, -1, -1};
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            if (PixelAt(frame, x, y) == kBackground) continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

}  // namespace pelliton::testing
