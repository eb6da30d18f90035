// The words the window tables are written in: places designed in twips, the pixels they come to,
// colours and fonts. No toolkit: each front end turns these into its own types.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/Twips.h"

namespace pelliton::ui {

inline constexpr int kTwipsPerPoint = 20;

struct TwipsSize {
    int width = 0;
    int height = 0;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A control at its place with its caption (UTF-8).
struct Control {
    TwipsRect place;
    std::string_view text;
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct Font {
    std::string_view family;
    int heightTwips = 0;  // kTwipsPerPoint to a point
    bool bold = false;
};

// A line across the window as the form drew it: from left to right at top, in twips, and a given
// number of pixels thick.
struct HorizontalLine {
    int left = 0;
    int top = 0;
    int right = 0;
    int thicknessPixels = 0;
    Rgb colour;
};

constexpr PixelRect ToPixels(const TwipsRect& place) {
    return {TwipsToPixels(place.left), TwipsToPixels(place.top), TwipsToPixels(place.width), TwipsToPixels(place.height)};
}

constexpr PixelRect ToPixels(const HorizontalLine& line) {
    return {TwipsToPixels(line.left), TwipsToPixels(line.top), TwipsToPixels(line.right - line.left),
            line.thicknessPixels};
}

}  // namespace pelliton::ui
