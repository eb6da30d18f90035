// The main window as designed: its client area and where each control stands, in twips; and where
// they stand when the window is larger. Both front ends place their controls from here.
#pragma once

#include "preview/PreviewPaneSize.h"
#include "ui/Layout.h"

namespace pelliton::ui {

// The focus order is log pane, texture list, team colour buttons, preview pane, "Refresh".
struct MainWindowLayout {
    TwipsSize clientArea;  // below the menu bar
    TwipsRect logPane;
    TwipsRect textureList;  // below the log, in the log's column
    TwipsRect teamColourButtons;  // a row of kTeamColourButtons below the list
    Control refreshButton;
    TwipsRect previewPane;  // a square; the runtime draws inside its kPreviewPaneBorderPixels border
    TwipsRect statusBar;
};

inline constexpr MainWindowLayout kMainWindow{
    .clientArea = {11685, 8970},
    .logPane = {120, 720, 2895, 5160},
    .textureList = {120, 5940, 2895, 2160},
    .teamColourButtons = {120, 8160, 2895, 375},
    .refreshButton = {{1560, 120, 1455, 495}, "Refresh"},
    .previewPane = {3120, 120, kPreviewPaneSideTwips, kPreviewPaneSideTwips},
    .statusBar = {0, 8595, 11685, 375},
};

// Where the controls stand in a client area of the given size, in pixels.
struct MainWindowPlaces {
    PixelRect logPane;
    PixelRect textureList;
    PixelRect teamColourButtons;
    PixelRect refreshButton;
    PixelRect previewPane;
    PixelRect statusBar;
};

// At the designed size (or smaller), the designed places. Beyond it the log and the preview take the
// space: the log's column a quarter of the extra width, the preview the rest, and both the extra
// height; the texture list and the team colour buttons keep their height at the bottom of the log's
// column.
MainWindowPlaces PlaceMainWindow(int clientWidth, int clientHeight);

// One button per team colour (primary, secondary, trim, weapon, eyes), each a swatch of its colour.
inline constexpr int kTeamColourButtons = 5;
struct TeamColourButtonTexts {
    std::string_view name;         // the button's own text, which its swatch covers
    std::string_view toolTip;
    std::string_view dialogTitle;  // of the colour dialog it opens
};
inline constexpr TeamColourButtonTexts kTeamColourButtonTexts[kTeamColourButtons] = {
    {"Primary", "Primary colour", "Primary Colour"}, {"Secondary", "Secondary colour", "Secondary Colour"},
    {"Trim", "Trim colour", "Trim Colour"},          {"Weapon", "Weapon colour", "Weapon Colour"},
    {"Eyes", "Eyes colour", "Eyes Colour"}};
// Button `index` of the row, the row shared out evenly with kTeamColourButtonGap pixels between.
inline constexpr int kTeamColourButtonGap = 4;
PixelRect TeamColourButtonPlace(const PixelRect& row, int index);

}  // namespace pelliton::ui
