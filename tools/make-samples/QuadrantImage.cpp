#include "make-samples/QuadrantImage.h"

#include <algorithm>
#include <cstdint>

namespace pelliton {

namespace {

constexpr Rgba kTopLeft = {230, 40, 40, 255};
constexpr Rgba kTopRight = {40, 190, 60, 255};
constexpr Rgba kBottomLeft = {40, 80, 230, 255};
constexpr Rgba kBottomRight = {240, 210, 40, 255};

// Integer arithmetic throughout, so that the pictures come out the same on every machine.
std::uint8_t Alpha(AlphaPattern pattern, int x, int y, int width, int height) {
    if (pattern == AlphaPattern::kOpaque) return 255;
    if (pattern == AlphaPattern::kHorizontalRamp) {
        return static_cast<std::uint8_t>(255 - 255 * x / std::max(1, width - 1));
    }
    // Radial: distances in half texels from the centre; the corners stay just above zero.
    const int dx = 2 * x + 1 - width;
    const int dy = 2 * y + 1 - height;
    return static_cast<std::uint8_t>(255 - 255 * (dx * dx + dy * dy) / (width * width + height * height));
}

}  // namespace

RgbaImage MakeQuadrantImage(int width, int height, AlphaPattern alpha) {
    RgbaImage image(width, height);
    const int diagonal = std::max(1, width + height - 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = 2 * x >= width;
            const bool bottom = 2 * y >= height;
            const Rgba& base = bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft);
            // Full brightness at the top-left corner down to 60 % at the bottom-right one.
            const int shade = 255 - 102 * (x + y) / diagonal;
            Rgba colour{};
            for (int channel = 0; channel < 3; ++channel) {
                colour[channel] = static_cast<std::uint8_t>(base[channel] * shade / 255);
            }
            colour[3] = Alpha(alpha, x, y, width, height);
            image.SetPixel(x, y, colour);
        }
    }
    return image;
}

}  // namespace pelliton
