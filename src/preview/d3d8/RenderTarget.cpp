// The device's surfaces: the back buffer and the optional 16-bit depth buffer.
#include "preview/d3d8/RenderTarget.h"

#include <algorithm>
#include <cstddef>

namespace pelliton::d3d8 {

namespace {

std::size_t Area(int width, int height) { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }

}  // namespace

RenderTarget::RenderTarget(int width, int height, bool withDepthBuffer)
    : width(width),
      height(height),
      colour(Area(width, height), kOpaqueAlpha),
      depth(withDepthBuffer ? Area(width, height) : 0, QuantiseDepth(1.0)) {}

void RenderTarget::Fill(const D3DRECT& area, std::optional<D3DCOLOR> fillColour,
                        std::optional<std::uint16_t> fillDepth) {
    const int left = std::clamp(area.x1, 0, width);
    const int right = std::clamp(area.x2, 0, width);
    const int top = std::clamp(area.y1, 0, height);
    const int bottom = std::clamp(area.y2, 0, height);
    if (left >= right) return;
    for (int y = top; y < bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        if (fillColour)
            std::fill(colour.begin() + row + left, colour.begin() + row + right, *fillColour | kOpaqueAlpha);
        if (fillDepth) std::fill(depth.begin() + row + left, depth.begin() + row + right, *fillDepth);
    }
}

}  // namespace pelliton::d3d8
