#include "teamcolour/ArmyPainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "teamcolour/PatternPictures.h"

namespace pelliton {

namespace {

constexpr float kFull = 255.0F;

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

std::uint8_t ToByte(float fraction) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(fraction, 0.0F, 1.0F) * kFull));
}

// The texels whose centres fall inside the rectangle, clipped to the picture, each blended with the
// emblem's texel at the same place in it.
void DrawEmblem(RgbaPicture& out, const std::optional<PatternRectangle>& rectangle, const RgbaPicture* emblem) {
    if (!rectangle || emblem == nullptr || emblem->width < 1 || emblem->height < 1) return;
    const double x = rectangle->x, y = rectangle->y, w = rectangle->width, h = rectangle->height;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h) || w <= 0 || h <= 0) return;
    const auto first = [](double start, int side) { return static_cast<int>(std::clamp(std::ceil(start - 0.5), 0.0, double(side))); };
    const int left = first(x, out.width), right = first(x + w, out.width);
    const int top = first(y, out.height), bottom = first(y + h, out.height);
    for (int py = top; py < bottom; ++py) {
        const int ey = std::min(emblem->height - 1, static_cast<int>((py + 0.5 - y) / h * emblem->height));
        for (int px = left; px < right; ++px) {
            const int ex = std::min(emblem->width - 1, static_cast<int>((px + 0.5 - x) / w * emblem->width));
            const std::uint8_t* source = emblem->rgba.data() + (static_cast<std::size_t>(ey) * emblem->width + ex) * 4;
            std::uint8_t* target = out.rgba.data() + (static_cast<std::size_t>(py) * out.width + px) * 4;
            const float alpha = source[3] / kFull;
            for (int c = 0; c < 3; ++c) target[c] = ToByte((target[c] + alpha * (source[c] - target[c])) / kFull);
        }
    }
}

}  // namespace

TeamColours DefaultTeamColours() {
    return {TeamColour{0x1F, 0x3F, 0x9F}, TeamColour{0xC0, 0xC0, 0xC0}, TeamColour{0xD4, 0xA0, 0x17},
            TeamColour{0x40, 0x40, 0x48}, TeamColour{0xE0, 0x20, 0x20}};
}

std::optional<TeamColour> ParseTeamColour(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    std::array<std::uint8_t, 3> channels{};
    for (std::size_t c = 0; c < channels.size(); ++c) {
        const std::optional<int> high = HexDigit(text[1 + 2 * c]), low = HexDigit(text[2 + 2 * c]);
        if (!high || !low) return std::nullopt;
        channels[c] = static_cast<std::uint8_t>(*high * 16 + *low);
    }
    return TeamColour{channels[0], channels[1], channels[2]};
}

std::string FormatTeamColour(TeamColour colour) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text = "#";
    for (const std::uint8_t channel : {colour.red, colour.green, colour.blue}) {
        text += kDigits[channel >> 4];
        text += kDigits[channel & 0xF];
    }
    return text;
}

RgbaPicture PaintTeamColours(const TeamPattern& pattern, const ByteSource& file, const TeamColours& colours,
                             const PatternEmblems& emblems) {
    RgbaPicture out = PatternBasePicture(pattern, file);
    std::vector<std::vector<std::uint8_t>> masks(kPatternLayerCount);
    for (const int layer : PicturesOf(pattern)) {
        if (layer != kBasePicture) masks[static_cast<std::size_t>(layer)] = PatternLayerMask(pattern, file, layer);
    }
    const std::vector<std::uint8_t>& dirt = masks[static_cast<std::size_t>(PatternLayer::Dirt)];
    for (std::size_t texel = 0; texel < pattern.TexelCount(); ++texel) {
        std::uint8_t* rgba = out.rgba.data() + texel * 4;
        for (int c = 0; c < 3; ++c) {
            const float base = rgba[c] / kFull;
            float painted = base;
            for (std::size_t layer = 0; layer < kTeamColourCount; ++layer) {
                if (masks[layer].empty()) continue;
                const TeamColour colour = colours[layer];
                const std::uint8_t channel = c == 0 ? colour.red : c == 1 ? colour.green : colour.blue;
                painted += masks[layer][texel] / kFull * (channel / kFull * base - painted);
            }
            if (!dirt.empty()) painted += dirt[texel] / kFull * (base - painted);
            rgba[c] = ToByte(painted);
        }
        rgba[3] = 0xFF;
    }
    DrawEmblem(out, pattern.badge, emblems.badge);
    DrawEmblem(out, pattern.banner, emblems.banner);
    return out;
}

}  // namespace pelliton
