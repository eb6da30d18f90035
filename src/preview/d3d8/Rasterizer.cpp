// The software device's drawing: one clip-space triangle into the back buffer and depth buffer.
#include "preview/d3d8/Rasterizer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace pelliton::d3d8 {

namespace {

// Screen positions are snapped to 1/256 pixel, so that edge functions are exact integers and two
// triangles sharing an edge agree on every pixel.
constexpr std::int64_t kSubpixels = 256;

// A corner after the divide by w and the viewport: its position in fixed point, its depth (linear in
// screen space) and its attributes divided by w (so that interpolating them is perspective-correct).
struct ScreenVertex {
    std::int64_t x = 0;
    std::int64_t y = 0;
    double depth = 0;
    double oneOverW = 0;
    double uOverW = 0, vOverW = 0;
    double redOverW = 0, greenOverW = 0, blueOverW = 0;
};

using ScreenTriangle = std::array<ScreenVertex, 3>;

ScreenVertex ToScreen(const ClipVertex& clip, const RenderTarget& target) {
    // divide by w
    const double oneOverW = 1.0 / clip.w;
    const double ndcX = clip.x * oneOverW;
    const double ndcY = clip.y * oneOverW;
    // viewport
    const double screenX = (ndcX + 1) * target.width / 2;
    const double screenY = (1 - ndcY) * target.height / 2;
    return {std::llround(screenX * kSubpixels),
            std::llround(screenY * kSubpixels),
            clip.z * oneOverW,
            oneOverW,
            clip.u * oneOverW,
            clip.v * oneOverW,
            clip.red * oneOverW,
            clip.green * oneOverW,
            clip.blue * oneOverW};
}

// Twice the signed area; positive when the corners run clockwise on screen (y down).
std::int64_t TwiceArea(const ScreenTriangle& t) {
    return (t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[1].y - t[0].y) * (t[2].x - t[0].x);
}

// CCW culls triangles running counter-clockwise on screen, CW clockwise ones; a degenerate triangle
// covers no pixel either way.
bool Culled(std::int64_t twiceArea, DWORD cullMode) {
    if (twiceArea == 0) return true;
    return (cullMode == D3DCULL_CCW && twiceArea < 0) || (cullMode == D3DCULL_CW && twiceArea > 0);
}

// Inclusive pixel range whose centres can lie inside the triangle, within the target.
struct PixelBox {
    int left = 0, top = 0, right = -1, bottom = -1;
};

PixelBox BoundingBox(const ScreenTriangle& t, const RenderTarget& target) {
    const auto [minX, maxX] = std::minmax({t[0].x, t[1].x, t[2].x});
    const auto [minY, maxY] = std::minmax({t[0].y, t[1].y, t[2].y});
    const auto firstCentre = [](std::int64_t fixed, int last) {
        return static_cast<int>(std::clamp<double>(std::ceil(static_cast<double>(fixed) / kSubpixels), 0, last + 1));
    };
    const auto lastCentre = [](std::int64_t fixed, int last) {
        return static_cast<int>(std::clamp<double>(std::floor(static_cast<double>(fixed) / kSubpixels), -1, last));
    };
    return {firstCentre(minX, target.width - 1), firstCentre(minY, target.height - 1),
            lastCentre(maxX, target.width - 1), lastCentre(maxY, target.height - 1)};
}

// The edge function of the edge from a to b, E(p) = (b - a) x (p - a), positive inside a clockwise
// triangle, stepped from pixel to pixel. Fill rule, top-left: a pixel centre exactly on an edge
// belongs to the triangle only when that edge is a top edge (horizontal, running right) or a left
// edge (running up), so neighbours sharing an edge never both draw a pixel nor both miss it.
struct Edge {
    std::int64_t atFirstPixel = 0;
    std::int64_t stepX = 0;
    std::int64_t stepY = 0;
    std::int64_t smallestInside = 0;
};

Edge MakeEdge(const ScreenVertex& a, const ScreenVertex& b, const PixelBox& box) {
    const std::int64_t dx = b.x - a.x;
    const std::int64_t dy = b.y - a.y;
    const bool topOrLeft = (dy == 0 && dx > 0) || dy < 0;
    const std::int64_t fromA_x = box.left * kSubpixels - a.x;
    const std::int64_t fromA_y = box.top * kSubpixels - a.y;
    return {dx * fromA_y - dy * fromA_x, -dy * kSubpixels, dx * kSubpixels, topOrLeft ? 0 : 1};
}

std::int64_t FloorDiv(std::int64_t numerator, std::int64_t positiveDivisor) {
    return numerator >= 0 ? numerator / positiveDivisor : -((-numerator + positiveDivisor - 1) / positiveDivisor);
}

// The columns of one row inside all three edges, as offsets from the box's left column; empty when
// first > last. Solving for the span per row spares testing every pixel of the bounding box.
struct Span {
    std::int64_t first = 0;
    std::int64_t last = -1;
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

bool DepthPasses(DWORD function, std::uint16_t incoming, std::uint16_t stored) {
    switch (function) {
        case D3DCMP_NEVER:
            return false;
        case D3DCMP_LESS:
            return incoming < stored;
        case D3DCMP_EQUAL:
            return incoming == stored;
        case D3DCMP_LESSEQUAL:
            return incoming <= stored;
        case D3DCMP_GREATER:
            return incoming > stored;
        case D3DCMP_NOTEQUAL:
            return incoming != stored;
        case D3DCMP_GREATEREQUAL:
            return incoming >= stored;
        default:
            return true;
    }
}

std::uint32_t ColourChannel(double value, int shift) {
    return static_cast<std::uint32_t>(std::clamp(value, 0.0, 255.0) + 0.5) << shift;
}

// Unnormalised barycentric weights of the three corners at one pixel centre: the edge function values.
struct Weights {
    double w0, w1, w2;

    double WeightedSum(double a0, double a1, double a2) const { return w0 * a0 + w1 * a1 + w2 * a2; }
};

std::uint32_t InterpolatedDiffuse(const ScreenTriangle& t, const Weights& weights, double oneOverW) {
    const double wAtPixel = 1.0 / oneOverW;
    return ColourChannel(weights.WeightedSum(t[0].redOverW, t[1].redOverW, t[2].redOverW) * wAtPixel, 16) |
           ColourChannel(weights.WeightedSum(t[0].greenOverW, t[1].greenOverW, t[2].greenOverW) * wAtPixel, 8) |
           ColourChannel(weights.WeightedSum(t[0].blueOverW, t[1].blueOverW, t[2].blueOverW) * wAtPixel, 0);
}

// The diffuse colour when all corners share it (white or lit black, usually), so that the pixels
// need not interpolate it.
std::optional<std::uint32_t> UniformDiffuse(const ClipPolygon& polygon) {
    const ClipVertex& first = polygon.corners[0];
    for (int i = 1; i < polygon.count; ++i) {
        const ClipVertex& corner = polygon.corners[i];
        if (corner.red != first.red || corner.green != first.green || corner.blue != first.blue) return std::nullopt;
    }
    return ColourChannel(first.red, 16) | ColourChannel(first.green, 8) | ColourChannel(first.blue, 0);
}

// Texels of one row gathered before they are fetched, so that the texture can overlap its reads.
class TexelBatch {
public:
    explicit TexelBatch(const Direct3DTexture8* texture) : texture_(texture) {}

    void BeginRow(std::uint32_t* row) { row_ = row; }
    void Add(int pixel, int texelX, int texelY) {
        if (count_ == kSize) Flush();
        pixels_[count_] = pixel;
        at_[count_++] = {texelX, texelY};
    }
    // Writes the gathered texels to their pixels of the row.
    void Flush() {
        if (count_ == 0) return;
        texture_->TexelColours(std::span(at_).first(count_), std::span(colours_).first(count_));
        for (std::size_t i = 0; i < count_; ++i) row_[pixels_[i]] = kOpaqueAlpha | colours_[i];
        count_ = 0;
    }

private:
    static constexpr std::size_t kSize = 256;

    const Direct3DTexture8* texture_;
    std::uint32_t* row_ = nullptr;
    std::size_t count_ = 0;
    std::array<int, kSize> pixels_{};
    std::array<TexelCoordinate, kSize> at_{};
    std::array<std::uint32_t, kSize> colours_{};
};

void Rasterize(ScreenTriangle t, std::optional<std::uint32_t> uniformDiffuse, const DrawSettings& settings,
               RenderTarget& target) {
    std::int64_t twiceArea = TwiceArea(t);
    if (Culled(twiceArea, settings.cullMode)) return;
    if (twiceArea < 0) {
        std::swap(t[1], t[2]);
        twiceArea = -twiceArea;
    }
    const PixelBox box = BoundingBox(t, target);
    if (box.left > box.right || box.top > box.bottom) return;

    // Edge i lies opposite corner i, so its value is the weight of corner i.
    const std::array<Edge, 3> edges = {MakeEdge(t[1], t[2], box), MakeEdge(t[2], t[0], box), MakeEdge(t[0], t[1], box)};
    const double inverseTwiceArea = 1.0 / static_cast<double>(twiceArea);
    const bool depthTest = settings.depthTest && !target.depth.empty();
    std::array<std::int64_t, 3> rowStart = {edges[0].atFirstPixel, edges[1].atFirstPixel, edges[2].atFirstPixel};
    const bool texelAsIs =
        settings.texture != nullptr && uniformDiffuse && StageShowsTexelAsIs(settings.stage, *uniformDiffuse);
    TexelBatch texels(settings.texture);

    for (int y = box.top; y <= box.bottom; ++y) {
        const std::size_t rowOffset = static_cast<std::size_t>(y) * static_cast<std::size_t>(target.width);
        std::uint32_t* colourRow = target.colour.data() + rowOffset;
        std::uint16_t* depthRow = depthTest ? target.depth.data() + rowOffset : nullptr;
        texels.BeginRow(colourRow);
        const Span span = InsideSpan(rowStart, edges, box.right - box.left + 1);
        std::int64_t e0 = rowStart[0] + span.first * edges[0].stepX;
        std::int64_t e1 = rowStart[1] + span.first * edges[1].stepX;
        std::int64_t e2 = rowStart[2] + span.first * edges[2].stepX;
        const int lastX = box.left + static_cast<int>(span.last);
        for (int x = box.left + static_cast<int>(span.first); x <= lastX;
             ++x, e0 += edges[0].stepX, e1 += edges[1].stepX, e2 += edges[2].stepX) {
            // barycentrics
            const Weights weights{static_cast<double>(e0), static_cast<double>(e1), static_cast<double>(e2)};
            // depth test
            if (depthRow) {
                const double depth = weights.WeightedSum(t[0].depth, t[1].depth, t[2].depth) * inverseTwiceArea;
                const std::uint16_t quantised = QuantiseDepth(depth);
                if (!DepthPasses(settings.depthFunction, quantised, depthRow[x])) continue;
                depthRow[x] = quantised;
            }
            // sample: u and v are divided rather than multiplied by a reciprocal, so that a
            // coordinate falling exactly on a texel boundary stays exact.
            const double oneOverW = weights.WeightedSum(t[0].oneOverW, t[1].oneOverW, t[2].oneOverW);
            const double u = weights.WeightedSum(t[0].uOverW, t[1].uOverW, t[2].uOverW) / oneOverW;
            const double v = weights.WeightedSum(t[0].vOverW, t[1].vOverW, t[2].vOverW) / oneOverW;
            // write
            if (texelAsIs) {
                texels.Add(x, TexelIndex(u, settings.texture->Width()), TexelIndex(v, settings.texture->Height()));
                continue;
            }
            const std::uint32_t diffuse = uniformDiffuse ? *uniformDiffuse : InterpolatedDiffuse(t, weights, oneOverW);
            colourRow[x] = kOpaqueAlpha | StageColour(settings.stage, settings.texture, diffuse, u, v);
        }
        texels.Flush();
        rowStart[0] += edges[0].stepY;
        rowStart[1] += edges[1].stepY;
        rowStart[2] += edges[2].stepY;
    }
}

}  // namespace

void DrawTriangle(const ClipTriangle& triangle, const DrawSettings& settings, RenderTarget& target) {
    // clip
    const ClipPolygon visible = ClipToGuardBand(triangle);
    if (visible.count < 3) return;
    const std::optional<std::uint32_t> uniformDiffuse = UniformDiffuse(visible);
    // The clipped polygon is convex: draw it as a fan around its first corner.
    const ScreenVertex first = ToScreen(visible.corners[0], target);
    ScreenVertex previous = ToScreen(visible.corners[1], target);
    for (int i = 2; i < visible.count; ++i) {
        const ScreenVertex next = ToScreen(visible.corners[i], target);
        Rasterize({first, previous, next}, uniformDiffuse, settings, target);
        previous = next;
    }
}

}  // namespace pelliton::d3d8
