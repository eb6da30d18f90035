#include "make-samples/PatternSample.h"

#include <cmath>
#include <cstdint>
#include <functional>

#include "picture/PngEncoder.h"
#include "rshwrite/PatternWriter.h"

namespace pelliton {

namespace {

constexpr int kSide = 64;

// One byte a texel from the rule, rows bottom-up as the pattern stores them; x, y from the top left.
std::vector<std::uint8_t> Layer(const std::function<std::uint8_t(int x, int y)>& rule) {
    std::vector<std::uint8_t> texels;
    for (int stored = 0; stored < kSide; ++stored) {
        for (int x = 0; x < kSide; ++x) texels.push_back(rule(x, kSide - 1 - stored));
    }
    return texels;
}

double Distance(int x, int y, double cx, double cy) { return std::hypot(x + 0.5 - cx, y + 0.5 - cy); }

bool InBody(int x, int y) { return Distance(x, y, 32, 34) < 24; }
bool InBand(int x, int y) { return !InBody(x, y) && Distance(x, y, 32, 34) < 28; }
bool InEye(int x, int y) { return Distance(x, y, 24, 24) < 3 || Distance(x, y, 40, 24) < 3; }

}  // namespace

SampleFile MakePatternSample() {
    PatternSpec pattern;
    pattern.width = kSide;
    pattern.height = kSide;
    pattern.imageName = "art/ebps/races/sample_army/texture_share/sample_marine_default.tga";
    // Lit from the top left, as the game's base pictures are shaded; grey where colours go.
    const std::vector<std::uint8_t> shade = Layer([](int x, int y) {
        return static_cast<std::uint8_t>(96 + (kSide * 2 - x - y) * 150 / (kSide * 2));
    });
    for (std::size_t texel = 0; texel < shade.size(); ++texel) {
        pattern.base.insert(pattern.base.end(), {shade[texel], shade[texel], shade[texel], 0xFF});
    }
    pattern.layers = {
        {0, Layer([](int x, int y) -> std::uint8_t { return InBody(x, y) && !InEye(x, y) ? 0xFF : 0; })},
        {2, Layer([](int x, int y) -> std::uint8_t { return InBand(x, y) ? 0xFF : 0; })},
        {4, Layer([](int x, int y) -> std::uint8_t { return InEye(x, y) ? 0xFF : 0; })},
        {5, Layer([](int x, int y) -> std::uint8_t { return (x * 7 + y * 13) % 23 == 0 ? 0xC0 : 0; })},
    };
    pattern.badge = std::array<float, 4>{24, 36, 16, 16};
    return {"sample_marine.wtp", WritePatternFile(pattern)};
}

SampleFile MakeBadgeSample() {
    constexpr int kBadgeSide = 16;
    RgbaPicture badge{kBadgeSide, kBadgeSide, {}};
    for (int y = 0; y < kBadgeSide; ++y) {
        for (int x = 0; x < kBadgeSide; ++x) {
            const bool disc = Distance(x, y, 8, 8) < 7.5;
            const bool ring = Distance(x, y, 8, 8) > 3 && Distance(x, y, 8, 8) < 5;
            const std::array<std::uint8_t, 4> texel = !disc ? std::array<std::uint8_t, 4>{0, 0, 0, 0}
                                                      : ring ? std::array<std::uint8_t, 4>{40, 20, 20, 255}
                                                              : std::array<std::uint8_t, 4>{230, 190, 40, 255};
            badge.rgba.insert(badge.rgba.end(), texel.begin(), texel.end());
        }
    }
    return {"sample_badge.png", EncodePng(badge)};
}

}  // namespace pelliton
