// The About window as designed: its caption, client area, and each control's place and text, in
// twips. Both front ends build the window from here.
#pragma once

#include <string_view>

#include "ui/Layout.h"

namespace pelliton::ui {

// The controls in the order they are made; "OK" and then "&System Info..." are the focus order.
struct AboutWindowLayout {
    std::string_view title;
    TwipsSize clientArea;
    Control productName;  // a read-only text box without a frame, in productNameFont
    Font productNameFont;
    TwipsRect icon;  // the tool's icon at its top left corner, on iconBackground
    int iconPixels;
    Rgb iconBackground;
    Control okButton;  // the default button; Esc and the close box act as it does
    Control systemInfoButton;
    Control disclaimer;  // labels wrap at word ends, in labelText on the button face
    Control description;
    // Grey above white: an etched separator between the texts and the buttons.
    HorizontalLine separatorShadow;
    HorizontalLine separatorHighlight;
    TwipsRect versionLine;  // AboutVersionLine()
    Rgb labelText;
};

inline constexpr AboutWindowLayout kAboutWindow{
    .title = "About",
    .clientArea = {6345, 3630},
    .productName = {{1200, 240, 4695, 375}, "Quibbo's Pelliton / Extractor"},
    .productNameFont = {"MS Sans Serif", 270, true},
    .icon = {240, 240, 540, 1020},
    .iconPixels = 32,
    .iconBackground = {192, 192, 192},
    .okButton = {{4485, 2625, 1467, 345}, "OK"},
    .systemInfoButton = {{4500, 3075, 1452, 345}, "&System Info..."},
    .disclaimer = {{255, 2625, 4110, 825},
                   "Written by Quibbo for the modding community. Free to use and share; it comes without "
                   "warranty of any kind."},
    .description = {{1200, 1125, 4695, 1170},
                    "Application to view / extract Warhammer 40000: Dawn of War RSH Texture Files."},
    .separatorShadow = {225, 2430, 6000, 1, {128, 128, 128}},
    .separatorHighlight = {240, 2445, 6000, 2, {255, 255, 255}},
    .versionLine = {1200, 840, 4695, 225},
    .labelText = {0, 0, 0},
};

}  // namespace pelliton::ui
