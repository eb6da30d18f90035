// The colour dialog of the team colour buttons: Windows' own, fully open at the current colour,
// under a title that names the colour being chosen.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "teamcolour/ArmyPainter.h"

namespace pelliton::win32 {

// The dialog's sixteen boxes of the user's own colours; white until the user fills them.
using CustomColours = std::array<COLORREF, 16>;

inline constexpr CustomColours kEmptyCustomColours = [] {
    CustomColours colours{};
    colours.fill(RGB(255, 255, 255));
    return colours;
}();

// The colour chosen, or nothing when the user cancelled. The dialog starts with customColours and
// leaves the user's changes in them, so that they stay from one choice to the next.
std::optional<TeamColour> ChooseColour(HWND owner, const std::wstring& title, TeamColour start,
                                       CustomColours& customColours);

}  // namespace pelliton::win32
