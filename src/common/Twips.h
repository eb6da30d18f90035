// Window geometry is designed in twips: 1440 to the inch, 15 to a logical pixel at 96 dots per inch.
#pragma once

namespace pelliton {

inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel; nearly every designed value is a whole number of pixels.
constexpr int TwipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

}  // namespace pelliton
