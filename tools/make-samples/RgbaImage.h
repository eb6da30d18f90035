// An 8-bit RGBA picture in memory, and the 2x2 box filter that makes its next MIP level.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace pelliton {

using Rgba = std::array<std::uint8_t, 4>;  // red, green, blue, alpha

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width * height texels, top row first

    RgbaImage(int imageWidth, int imageHeight);
    Rgba Pixel(int x, int y) const;
    void SetPixel(int x, int y, const Rgba& colour);
};

// Half the size, at least 1 x 1; each texel is the rounded mean of a 2x2 block. An odd last
// column or row is averaged with itself, so no texel of the source is dropped.
RgbaImage DownsampleBox2x2(const RgbaImage& image);

}  // namespace pelliton
