// The main window's preview pane as designed, apart from the runtime, so that any front end can
// place it.
#pragma once

#include "common/Twips.h"

namespace pelliton {

// A square inside a sunken border.
inline constexpr int kPreviewPaneSideTwips = 8415;
inline constexpr int kPreviewPaneBorderPixels = 2;

// Its client area in pixels; the headless front end draws at the same size.
inline constexpr int kPreviewPaneClientSize = TwipsToPixels(kPreviewPaneSideTwips) - 2 * kPreviewPaneBorderPixels;

}  // namespace pelliton
