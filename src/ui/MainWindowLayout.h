// The main window as designed: its client area and where each control stands, in twips. Both
// front ends place their controls from here.
#pragma once

#include "preview/PreviewPaneSize.h"
#include "ui/Layout.h"

namespace pelliton::ui {

// The focus order is log pane, preview pane, "Refresh".
struct MainWindowLayout {
    TwipsSize clientArea;  // below the menu bar
    TwipsRect logPane;
    Control refreshButton;
    TwipsRect previewPane;  // a square; the runtime draws inside its kPreviewPaneBorderPixels border
    TwipsRect statusBar;
};

inline constexpr MainWindowLayout kMainWindow{
    .clientArea = {11685, 8970},
    .logPane = {120, 720, 2895, 7815},
    .refreshButton = {{1560, 120, 1455, 495}, "Refresh"},
    .previewPane = {3120, 120, kPreviewPaneSideTwips, kPreviewPaneSideTwips},
    .statusBar = {0, 8595, 11685, 375},
};

}  // namespace pelliton::ui
