// The software device's drawing, stage by stage in the order it runs: transform, set up,
// rasterize, sample, write.
#include "preview/d3d8/Pipeline.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace pelliton::d3d8 {

// ---- transform --------------------------------------------------------------------------------

namespace {

// The index-th float of a vertex.
float FloatAt(const std::byte* bytes, std::size_t index) {
    float value;
    std::memcpy(&value, bytes + index * sizeof value, sizeof value);
    return value;
}

}  // namespace

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    using Elements = std::array<float, 16>;  // row by row
    const auto left = std::bit_cast<Elements>(a);
    const auto right = std::bit_cast<Elements>(b);
    Elements product{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            for (int k = 0; k < 4; ++k) product[4 * row + column] += left[4 * row + k] * right[4 * k + column];
        }
    }
    return std::bit_cast<D3DMATRIX>(product);
}

ClipVertex TransformVertex(const std::byte* bytes, const D3DMATRIX& m) {
    const float x = FloatAt(bytes, 0), y = FloatAt(bytes, 1), z = FloatAt(bytes, 2);
    return {x * m.m11 + y * m.m21 + z * m.m31 + m.m41, x * m.m12 + y * m.m22 + z * m.m32 + m.m42,
            x * m.m13 + y * m.m23 + z * m.m33 + m.m43, x * m.m14 + y * m.m24 + z * m.m34 + m.m44,
            FloatAt(bytes, 6),                         FloatAt(bytes, 7)};
}

bool InView(const ClipVertex& v) {
    return std::isfinite(v.w) && v.w > 0 && v.z >= 0 && std::abs(v.x) <= v.w && std::abs(v.y) <= v.w;
}

namespace {

// ---- set up -----------------------------------------------------------------------------------

// Screen positions are snapped to 1/256 pixel, so that edge functions are exact integers and two
// triangles sharing an edge agree on every pixel.
constexpr std::int64_t kSubpixels = 256;

// A corner after the divide by w and the viewport: its position in fixed point, its depth (linear in
// screen space) and its texture coordinates divided by w (so that interpolating them is
// perspective-correct).
struct ScreenVertex {
    std::int64_t x = 0, y = 0;
    double depth = 0, oneOverW = 0, uOverW = 0, vOverW = 0;
};

using ScreenTriangle = std::array<ScreenVertex, 3>;

ScreenVertex ToScreen(const ClipVertex& clip, const RenderTarget& target) {
    const double oneOverW = 1.0 / clip.w;
    const double screenX = (clip.x * oneOverW + 1) * target.width / 2;
    const double screenY = (1 - clip.y * oneOverW) * target.height / 2;
    return {std::llround(screenX * kSubpixels), std::llround(screenY * kSubpixels), clip.z * oneOverW, oneOverW,
            clip.u * oneOverW, clip.v * oneOverW};
}

// Inclusive pixel range whose centres can lie inside the triangle, within the target.
struct PixelBox {
    int left = 0, top = 0, right = -1, bottom = -1;
};

std::int64_t FloorDiv(std::int64_t numerator, std::int64_t positiveDivisor) {
    return numerator >= 0 ? numerator / positiveDivisor : -((-numerator + positiveDivisor - 1) / positiveDivisor);
}

PixelBox BoundingBox(const ScreenTriangle& t, const RenderTarget& target) {
    const auto [minX, maxX] = std::minmax({t[0].x, t[1].x, t[2].x});
    const auto [minY, maxY] = std::minmax({t[0].y, t[1].y, t[2].y});
    const auto firstCentre = [](std::int64_t fixed, int size) {
        return static_cast<int>(std::clamp<std::int64_t>(-FloorDiv(-fixed, kSubpixels), 0, size));
    };
    const auto lastCentre = [](std::int64_t fixed, int size) {
        return static_cast<int>(std::clamp<std::int64_t>(FloorDiv(fixed, kSubpixels), -1, size - 1));
    };
    return {firstCentre(minX, target.width), firstCentre(minY, target.height), lastCentre(maxX, target.width),
            lastCentre(maxY, target.height)};
}

// The edge function of the edge from a to b, E(p) = (b - a) x (p - a), positive inside a clockwise
// triangle, stepped from pixel to pixel. Fill rule, top-left: a pixel centre exactly on an edge
// belongs to the triangle only when that edge is a top edge (horizontal, running right) or a left
// edge (running up), so neighbours sharing an edge never both draw a pixel nor both miss it.
struct Edge {
    std::int64_t atFirstPixel = 0, stepX = 0, stepY = 0, smallestInside = 0;
};

Edge MakeEdge(const ScreenVertex& a, const ScreenVertex& b, const PixelBox& box) {
    const std::int64_t dx = b.x - a.x;
    const std::int64_t dy = b.y - a.y;
    const bool topOrLeft = (dy == 0 && dx > 0) || dy < 0;
    const std::int64_t fromAx = box.left * kSubpixels - a.x;
    const std::int64_t fromAy = box.top * kSubpixels - a.y;
    return {dx * fromAy - dy * fromAx, -dy * kSubpixels, dx * kSubpixels, topOrLeft ? 0 : 1};
}

// ---- rasterize, sample and write --------------------------------------------------------------

// The columns of one row inside all three edges, as offsets from the box's left column; empty when
// first > last. Solving for the span per row spares testing every pixel of the bounding box.
struct Span {
    std::int64_t first = 0, last = -1;
};

Span InsideSpan(const std::array<std::int64_t, 3>& atLeft, const std::array<Edge, 3>& edges, int columns) {
    Span span{0, columns - 1};
    for (std::size_t i = 0; i < edges.size(); ++i) {
        // Column k is inside this edge when room + k * step >= 0.
        const std::int64_t room = atLeft[i] - edges[i].smallestInside;
        const std::int64_t step = edges[i].stepX;
        if (step > 0) {
            span.first = std::max(span.first, -FloorDiv(room, step));
        } else if (step < 0) {
            span.last = std::min(span.last, FloorDiv(room, -step));
        } else if (room < 0) {
            return {};
        }
    }
    return span;
}

void Rasterize(ScreenTriangle t, const Direct3DTexture8& texture, RenderTarget& target) {
    // Twice the signed area; positive when the corners run clockwise on screen (y down).
    std::int64_t twiceArea = (t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[1].y - t[0].y) * (t[2].x - t[0].x);
    if (twiceArea == 0) return;  // a degenerate triangle covers no pixel
    if (twiceArea < 0) {         // culling is off: both windings draw
        std::swap(t[1], t[2]);
        twiceArea = -twiceArea;
    }
    const PixelBox box = BoundingBox(t, target);
    if (box.left > box.right || box.top > box.bottom) return;

    // Edge i lies opposite corner i, so its value is the unnormalised weight of corner i.
    const std::array<Edge, 3> edges = {MakeEdge(t[1], t[2], box), MakeEdge(t[2], t[0], box), MakeEdge(t[0], t[1], box)};
    const auto weighted = [&](double e0, double e1, double e2, auto member) {
        return e0 * t[0].*member + e1 * t[1].*member + e2 * t[2].*member;
    };
    const double inverseTwiceArea = 1.0 / static_cast<double>(twiceArea);
    std::array<std::int64_t, 3> rowStart = {edges[0].atFirstPixel, edges[1].atFirstPixel, edges[2].atFirstPixel};
    // A row's texels are found first and fetched after: two short loops run faster than one long one.
    struct Sample {
        int pixel, x, y;
    };
    std::vector<Sample> samples(static_cast<std::size_t>(box.right - box.left + 1));

    for (int y = box.top; y <= box.bottom; ++y) {
        const std::size_t rowOffset = static_cast<std::size_t>(y) * static_cast<std::size_t>(target.width);
        std::uint16_t* depthRow = target.depth.data() + rowOffset;
        std::uint32_t* colourRow = target.colour.data() + rowOffset;
        const Span span = InsideSpan(rowStart, edges, box.right - box.left + 1);
        std::array<std::int64_t, 3> e;
        for (std::size_t i = 0; i < e.size(); ++i) e[i] = rowStart[i] + span.first * edges[i].stepX;
        const int lastX = box.left + static_cast<int>(span.last);
        std::size_t count = 0;
        for (int x = box.left + static_cast<int>(span.first); x <= lastX; ++x) {
            const auto e0 = static_cast<double>(e[0]), e1 = static_cast<double>(e[1]), e2 = static_cast<double>(e[2]);
            for (std::size_t i = 0; i < e.size(); ++i) e[i] += edges[i].stepX;
            const std::uint16_t depth = QuantiseDepth(weighted(e0, e1, e2, &ScreenVertex::depth) * inverseTwiceArea);
            if (depth > depthRow[x]) continue;  // less-or-equal passes
            depthRow[x] = depth;
            // u and v are divided rather than multiplied by a reciprocal, so that a coordinate
            // falling exactly on a texel boundary stays exact.
            const double oneOverW = weighted(e0, e1, e2, &ScreenVertex::oneOverW);
            samples[count++] = {x, TexelIndex(weighted(e0, e1, e2, &ScreenVertex::uOverW) / oneOverW, texture.Width()),
                                TexelIndex(weighted(e0, e1, e2, &ScreenVertex::vOverW) / oneOverW, texture.Height())};
        }
        for (std::size_t i = 0; i < count; ++i) {
            colourRow[samples[i].pixel] = kOpaqueAlpha | texture.TexelColour(samples[i].x, samples[i].y);
        }
        for (std::size_t i = 0; i < rowStart.size(); ++i) rowStart[i] += edges[i].stepY;
    }
}

}  // namespace

RenderTarget::RenderTarget(int width, int height)
    : width(width),
      height(height),
      colour(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kOpaqueAlpha),
      depth(colour.size(), QuantiseDepth(1.0)) {}

void DrawTriangle(const ClipTriangle& triangle, const Direct3DTexture8& texture, RenderTarget& target) {
    Rasterize({ToScreen(triangle[0], target), ToScreen(triangle[1], target), ToScreen(triangle[2], target)}, texture,
              target);
}

}  // namespace pelliton::d3d8
