#include "make-samples/RgbaImage.h"

#include <algorithm>
#include <cstddef>

namespace pelliton {

namespace {

std::size_t Offset(const RgbaImage& image, int x, int y) {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)) * 4;
}

}  // namespace

RgbaImage::RgbaImage(int imageWidth, int imageHeight)
    : width(imageWidth),
      height(imageHeight),
      rgba(static_cast<std::size_t>(imageWidth) * static_cast<std::size_t>(imageHeight) * 4) {}

Rgba RgbaImage::Pixel(int x, int y) const {
    const std::size_t at = Offset(*this, x, y);
    return {rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]};
}

void RgbaImage::SetPixel(int x, int y, const Rgba& colour) {
    std::copy(colour.begin(), colour.end(), rgba.begin() + static_cast<std::ptrdiff_t>(Offset(*this, x, y)));
}

RgbaImage DownsampleBox2x2(const RgbaImage& image) {
    RgbaImage half(std::max(1, image.width / 2), std::max(1, image.height / 2));
    for (int y = 0; y < half.height; ++y) {
        const int top = std::min(2 * y, image.height - 1);
        const int bottom = std::min(2 * y + 1, image.height - 1);
        for (int x = 0; x < half.width; ++x) {
            const int left = std::min(2 * x, image.width - 1);
            const int right = std::min(2 * x + 1, image.width - 1);
            const std::array<Rgba, 4> block = {image.Pixel(left, top), image.Pixel(right, top),
                                               image.Pixel(left, bottom), image.Pixel(right, bottom)};
            Rgba mean{};
            for (std::size_t channel = 0; channel < mean.size(); ++channel) {
                int sum = 2;  // rounds the quotient to nearest
                for (const Rgba& texel : block) sum += texel[channel];
                mean[channel] = static_cast<std::uint8_t>(sum / 4);
            }
            half.SetPixel(x, y, mean);
        }
    }
    return half;
}

}  // namespace pelliton
