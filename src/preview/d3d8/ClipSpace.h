// Clip space: vertices after the transforms, and cutting triangles to the part in front of the eye.
#pragma once

#include <array>

namespace pelliton::d3d8 {

// A vertex in clip space with what is interpolated across a triangle: texture coordinates and the
// diffuse colour (channels 0..255).
struct ClipVertex {
    float x = 0, y = 0, z = 0, w = 1;
    float u = 0, v = 0;
    float red = 0, green = 0, blue = 0;
};

using ClipTriangle = std::array<ClipVertex, 3>;

// A convex polygon. A triangle cut by six planes gains at most one corner per plane; rounding on a
// sliver-thin one could make more, and corners past the capacity are dropped.
struct ClipPolygon {
    std::array<ClipVertex, 12> corners;
    int count = 0;

    void Add(const ClipVertex& corner) {
        if (count < static_cast<int>(corners.size())) corners[count++] = corner;
    }
};

// The part of the triangle with z >= 0 (the near plane) and w > 0 that lies within the guard band
// |x|, |y| <= 8 w. The far plane is not clipped: depth is clamped instead, so a surface at depth
// exactly 1.0 survives. The guard band keeps screen coordinates small enough for exact fixed-point
// edge functions; it lies far outside the viewport (|x|, |y| <= w), so its edges never show.
ClipPolygon ClipToGuardBand(const ClipTriangle& triangle);

}  // namespace pelliton::d3d8
