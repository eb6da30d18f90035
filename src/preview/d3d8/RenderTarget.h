// The device's surfaces: the back buffer and the optional 16-bit depth buffer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "preview/d3d8/D3D8Types.h"

namespace pelliton::d3d8 {

// Depth convention: a depth is z / w after the divide, 0 at the near plane and 1 at the far plane.
// It is clamped to [0, 1] and stored as round(depth * 65535); depth tests compare these 16-bit values.
inline std::uint16_t QuantiseDepth(double depth) {
    const double clamped = depth > 0 ? (depth < 1 ? depth : 1.0) : 0.0;  // NaN goes to 0
    return static_cast<std::uint16_t>(clamped * 65535.0 + 0.5);
}

// The alpha byte of the X8R8G8B8 back buffer: written opaque, so that the pixels read as ARGB too.
inline constexpr std::uint32_t kOpaqueAlpha = kAlphaBits;

struct RenderTarget {
    RenderTarget(int width, int height, bool withDepthBuffer);

    // Sets colour and/or depth over the rectangle, which is clipped to the surface.
    void Fill(const D3DRECT& area, std::optional<D3DCOLOR> fillColour, std::optional<std::uint16_t> fillDepth);

    int width;
    int height;
    std::vector<std::uint32_t> colour;  // 0xFFRRGGBB, rows top to bottom
    std::vector<std::uint16_t> depth;   // empty without a depth buffer
};

}  // namespace pelliton::d3d8
