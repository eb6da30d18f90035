#include "preview/ReferenceFrame.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "support/FramePixels.h"

namespace pelliton::testing {

namespace {

struct Vector {
    double x, y, z;
    Vector operator+(const Vector& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vector operator*(double s) const { return {x * s, y * s, z * s}; }
};

Vector Cross(const Vector& a, const Vector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector Normalised(const Vector& v) { return v * (1.0 / std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z)); }

// The camera stands back along -z by a multiple of the larger side: far for small pictures, so
// that they still fill a fair share of the pane.
double CameraDistance(int width, int height) {
    const double zoom = width < 128 && height < 128 ? 8.0 : width == 128 && height == 128 ? 4.0 : 1.5;
    return zoom * std::max(width, height);
}

// Where the ray through a pixel centre meets the quad's plane z = 0 (the world transform is a
// rotation by zero), in texels from the quad's top-left corner.
class PixelToTexel {
public:
    PixelToTexel(const Picture& picture, int frameWidth, int frameHeight)
        : picture_(picture), frameWidth_(frameWidth), frameHeight_(frameHeight) {
        eye_ = {0, 0, -CameraDistance(picture.width, picture.height)};
        forward_ = Normalised(Vector{0, 0, 0} + eye_ * -1);
        right_ = Normalised(Cross({0, 1, 0}, forward_));
        up_ = Cross(forward_, right_);
        // Vertical field of view 3.1415 / 4, aspect 1.
        const double yScale = 1.0 / std::tan(3.1415 / 8);
        inverseXScale_ = 1.0 / yScale;
        inverseYScale_ = 1.0 / yScale;
    }

    // Texel coordinates (x right, y down) of the pixel centre (px, py).
    std::pair<double, double> At(double px, double py) const {
        const double ndcX = 2 * px / frameWidth_ - 1;
        const double ndcY = 1 - 2 * py / frameHeight_;
        const Vector ray = right_ * (ndcX * inverseXScale_) + up_ * (ndcY * inverseYScale_) + forward_;
        const Vector hit = eye_ + ray * (-eye_.z / ray.z);
        return {hit.x + picture_.width / 2.0, picture_.height / 2.0 - hit.y};
    }

private:
    const Picture& picture_;
    int frameWidth_, frameHeight_;
    Vector eye_{}, forward_{}, right_{}, up_{};
    double inverseXScale_ = 0, inverseYScale_ = 0;
};

std::uint32_t TexelOrBackground(const Picture& picture, int x, int y) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return kBackground;
    return picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                          static_cast<std::size_t>(x)];
}

// The texel columns (or rows) a coordinate may fall in once its edges move by reach: one, or two
// where an edge lies within reach. Edges include the quad's own, beyond which is the background.
std::set<int> TexelsWithin(double at, double reach) {
    return {static_cast<int>(std::floor(at - reach)), static_cast<int>(std::floor(at)),
            static_cast<int>(std::floor(at + reach))};
}

}  // namespace

FrameComparison CompareWithReference(const d3d8::Frame& actual, const Picture& picture) {
    // Corners snap to 1/256 pixel and the transforms run in float: an edge may move by well under
    // 1/128 pixel, so only centres that near an edge may take the colour across it.
    constexpr double kReachInPixels = 1.0 / 128;
    const PixelToTexel toTexel(picture, actual.width, actual.height);
    // The quad faces the camera squarely, so a pixel spans the same texels everywhere.
    const double texelsPerPixel = std::abs(toTexel.At(1, 0).first - toTexel.At(0, 0).first);
    const double reach = kReachInPixels * texelsPerPixel;

    FrameComparison result;
    result.expected = actual;  // every pixel is set below
    for (int py = 0; py < actual.height; ++py) {
        for (int px = 0; px < actual.width; ++px) {
            const auto [tx, ty] = toTexel.At(px, py);
            const std::uint32_t want =
                TexelOrBackground(picture, static_cast<int>(std::floor(tx)), static_cast<int>(std::floor(ty)));
            const auto index = static_cast<std::size_t>(py) * static_cast<std::size_t>(actual.width) +
                               static_cast<std::size_t>(px);
            result.expected.pixels[index] = want;
            const std::uint32_t got = PixelAt(actual, px, py);
            if (got == want) continue;
            bool nearEdge = false;
            for (const int x : TexelsWithin(tx, reach)) {
                for (const int y : TexelsWithin(ty, reach)) nearEdge |= TexelOrBackground(picture, x, y) == got;
            }
            if (nearEdge) {
                ++result.tolerated;
            } else if (result.wrong++ == 0) {
                result.firstWrongX = px;
                result.firstWrongY = py;
            }
        }
    }
    return result;
}

}  // namespace pelliton::testing
