// Qt places widgets in logical pixels; the designed twips convert to them here.
#pragma once

#include <QRect>

#include "common/Twips.h"

namespace pelliton {

inline QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace pelliton
