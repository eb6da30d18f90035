// The software device's drawing, stage by stage in the order it runs: transform, set up,
// rasterize, sample, write.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/UninitialisedAllocator.h"
#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/Direct3DTexture8.h"

namespace pelliton::d3d8 {

// a then b, for row vectors: v * (a * b) == (v * a) * b.
D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b);

// The one vertex format drawn: a position, a normal (which nothing reads with lighting off) and one
// pair of texture coordinates, as floats.
inline constexpr DWORD kDrawnVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
inline constexpr std::size_t kDrawnVertexSize = 8 * sizeof(float);

// A vertex in clip space with its texture coordinates, the one thing interpolated across a triangle.
struct ClipVertex {
    float x = 0, y = 0, z = 0, w = 1;
    float u = 0, v = 0;
};

using ClipTriangle = std::array<ClipVertex, 3>;

// Transform: the position [x y z 1] of the vertex at bytes times worldViewProjection. Vertex data
// carries no alignment guarantee, so values are copied out.
ClipVertex TransformVertex(const std::byte* bytes, const D3DMATRIX& worldViewProjection);

// In front of the eye and the near plane (w > 0, z >= 0) and inside the viewport (|x|, |y| <= w).
// Nothing is clipped: the device draws only triangles wholly in view, as the preview's quad is.
bool InView(const ClipVertex& vertex);

// Depth convention: a depth is z / w after the divide, 0 at the near plane and 1 at the far plane.
// It is clamped to [0, 1] and stored as round(depth * 65535); the depth test compares these values.
inline std::uint16_t QuantiseDepth(double depth) {
    const double clamped = depth > 0 ? (depth < 1 ? depth : 1.0) : 0.0;  // NaN goes to 0
    return static_cast<std::uint16_t>(clamped * 65535.0 + 0.5);
}

// The alpha byte of the X8R8G8B8 back buffer: written opaque, so that the pixels read as ARGB too.
inline constexpr std::uint32_t kOpaqueAlpha = 0xFF000000U;

// The largest side of a target: keeps the fixed-point edge functions far inside 64 bits, and is
// larger than any window the preview draws in.
inline constexpr int kLargestTargetSide = 16384;

struct RenderTarget {
    RenderTarget(int width, int height);

    int width;
    int height;
    std::vector<std::uint32_t, UninitialisedAllocator<std::uint32_t>> colour;  // 0xFFRRGGBB, rows top to bottom
    std::vector<std::uint16_t, UninitialisedAllocator<std::uint16_t>> depth;
};

// Sampling rule: point sampling, texel = clamp(floor(u * width), 0, width - 1) and likewise
// clamp(floor(v * height), 0, height - 1); v = 0 is row 0, the top of the image.
inline int TexelIndex(double coordinate, int size) {
    const double scaled = coordinate * size;
    if (!(scaled > 0)) return 0;  // also NaN
    if (scaled >= size) return size - 1;
    return static_cast<int>(scaled);  // truncating a positive value is its floor
}

// Draws a triangle whose corners are in view, whichever way it winds: viewport
// X = (x + 1) * width / 2, Y = (1 - y) * height / 2, pixel centres at integer coordinates, top-left
// fill rule, depth test less-or-equal, the colour the texel (the texture modulated by white).
void DrawTriangle(const ClipTriangle& triangle, const Direct3DTexture8& texture, RenderTarget& target);

}  // namespace pelliton::d3d8
