// The quad the preview draws: one world unit per texel, centred on the origin, image upright.
#pragma once

#include <array>
#include <cstdint>

#include "preview/d3d8/D3D8Types.h"

namespace pelliton {

struct PreviewVertex {
    float x, y, z;     // position
    float nx, ny, nz;  // normal; no effect with lighting off
    float tu, tv;      // texture coordinate, (0, 0) the image's top-left corner
};
static_assert(sizeof(PreviewVertex) == 32);

inline constexpr d3d8::DWORD kPreviewVertexFormat = d3d8::D3DFVF_XYZ | d3d8::D3DFVF_NORMAL | d3d8::D3DFVF_TEX1;
static_assert(kPreviewVertexFormat == 274);

using QuadVertices = std::array<PreviewVertex, 4>;

// In strip order: top-left, top-right, bottom-left, bottom-right.
QuadVertices MakeQuadVertices(std::int32_t width, std::int32_t height);

}  // namespace pelliton
