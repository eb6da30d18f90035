// Qt places widgets in logical pixels; the designed twips and colours of the window tables become
// Qt's types here.
#pragma once

#include <QColor>
#include <QRect>

#include "ui/Layout.h"

namespace pelliton {

inline QRect ToQRect(const ui::PixelRect& place) { return {place.left, place.top, place.width, place.height}; }

inline QRect ToQRect(const ui::TwipsRect& place) { return ToQRect(ui::ToPixels(place)); }

inline QColor ToQColor(const ui::Rgb& colour) { return {colour.red, colour.green, colour.blue}; }

}  // namespace pelliton
