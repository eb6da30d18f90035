// Windows places windows in pixels; the designed twips convert to them here.
#pragma once

#include "common/Twips.h"

namespace pelliton::win32 {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr PixelRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace pelliton::win32
