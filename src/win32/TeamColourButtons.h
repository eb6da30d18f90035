// The row of team colour buttons under the texture list: each a swatch of its colour with a tooltip
// naming it, enabled while a team-colour pattern is shown.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "teamcolour/ArmyPainter.h"
#include "ui/Layout.h"
#include "ui/MainWindowLayout.h"

namespace pelliton::win32 {

static_assert(ui::kTeamColourButtons == kTeamColourCount, "a button for each team colour");

class TeamColourButtons {
public:
    // Makes the buttons (in the focus order, primary first) and their tooltips in row.
    void Create(HWND parent, const ui::PixelRect& row);
    void Place(const ui::PixelRect& row);

    // Shows these colours, the buttons enabled or not; only what changed is drawn again.
    void Show(const TeamColours& colours, bool enabled);

    // The team colour (0 primary ... 4 eyes) whose button has this control id.
    static std::optional<int> IndexOf(int controlId);

    // Draws the button an owner-draw notification is about; false when it is not one of these.
    bool Draw(const DRAWITEMSTRUCT& item) const;

private:
    std::array<HWND, ui::kTeamColourButtons> buttons_{};
    TeamColours colours_ = DefaultTeamColours();
};

}  // namespace pelliton::win32
