// A team-colour pattern shown in an army's colours, as the game's army painter shows a unit.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "picture/RgbaPicture.h"
#include "teamcolour/TeamPattern.h"

namespace pelliton {

struct TeamColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const TeamColour&) const = default;
};

// Primary, secondary, trim, weapon, eyes: the layers' order.
using TeamColours = std::array<TeamColour, kTeamColourCount>;

// A plain army to start from: blue, grey, gold, gunmetal, red.
TeamColours DefaultTeamColours();

// "#RRGGBB" (hex digits in any case); nothing for any other text.
std::optional<TeamColour> ParseTeamColour(std::string_view text);
std::string FormatTeamColour(TeamColour colour);  // "#RRGGBB", capitals

// Pictures drawn into the pattern's badge and banner rectangles; either may be missing.
struct PatternEmblems {
    const RgbaPicture* badge = nullptr;
    const RgbaPicture* banner = nullptr;
};

// The pattern's size, opaque. Each texel, its channels as fractions of 255:
//   P = B (the base picture)
//   for each colour layer i in order: P = P + m_i * (c_i * B - P)   (the mask tints with its colour)
//   P = P + d * (B - P)                                              (dirt lets the base through)
// then each emblem over its rectangle, scaled to fill it and blended by its alpha. A layer the file
// lacks counts as 0 everywhere; a rectangle that is not finite or has no area draws nothing.
RgbaPicture PaintTeamColours(const TeamPattern& pattern, const ByteSource& file, const TeamColours& colours,
                             const PatternEmblems& emblems = {});

}  // namespace pelliton
