// Reading colours of presented frames in tests.
#pragma once

#include <cstddef>
#include <cstdint>

#include "DeviceWindow.h"

namespace pelliton::testing {

// 0xRRGGBB.
inline constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBackground = 0x333333;  // the preview's clear colour

// The pixel's colour without its alpha byte.
inline std::uint32_t PixelAt(const d3d8::Frame& frame, int x, int y) {
    return frame.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width) +
                        static_cast<std::size_t>(x)] & 0xFFFFFFU;
}

}  // namespace pelliton::testing
