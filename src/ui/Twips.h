// Window geometry is designed in twips; Qt places widgets in logical pixels.
#pragma once

#include <QRect>

namespace pelliton {

// 1440 twips per inch at 96 logical pixels per inch.
inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel; nearly every designed value is a whole number of pixels.
constexpr int TwipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace pelliton
