// The row of team colour buttons under the texture list: each a swatch of its colour with a tooltip
// naming it, enabled while a team-colour pattern is shown.
#include "win32/TeamColourButtons.h"

#include <commctrl.h>

#include <cstddef>
#include <string>

#include "win32/ControlIds.h"
#include "win32/Controls.h"
#include "win32/GdiObject.h"
#include "win32/WideText.h"

namespace pelliton::win32 {

namespace {

// Inside the button's raised edge: the focus rectangle, then the swatch.
constexpr int kFocusInset = 3;
constexpr int kSwatchInset = 5;

// A disabled row still tells which colours the next pattern is painted in: halfway to the button face.
COLORREF SwatchColour(TeamColour colour, bool enabled) {
    if (enabled) return ToColorRef(colour);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return RGB((colour.red + GetRValue(face)) / 2, (colour.green + GetGValue(face)) / 2,
               (colour.blue + GetBValue(face)) / 2);
}

}  // namespace

// Each button is captioned with its colour's name, which it does not draw but tells screen readers.
// The tooltips stay up while the window is inactive, and go with the window that owns them.
void TeamColourButtons::Create(HWND parent, const ui::PixelRect& row) {
    for (int i = 0; i < ui::kTeamColourButtons; ++i) {
        buttons_[static_cast<std::size_t>(i)] =
            CreateControl(parent, L"BUTTON", Utf8ToWide(ui::kTeamColourButtonTexts[i].name).c_str(),
                          WS_TABSTOP | WS_DISABLED | BS_OWNERDRAW, ui::TeamColourButtonPlace(row, i), TeamColourButtonId(i));
    }
    HWND tooltips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < ui::kTeamColourButtons; ++i) {
        std::wstring text = Utf8ToWide(ui::kTeamColourButtonTexts[i].toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size every version of the common controls takes
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent;
        tool.uId = reinterpret_cast<UINT_PTR>(buttons_[static_cast<std::size_t>(i)]);
        tool.lpszText = text.data();
        SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TeamColourButtons::Place(const ui::PixelRect& row) {
    for (int i = 0; i < ui::kTeamColourButtons; ++i) {
        const ui::PixelRect place = ui::TeamColourButtonPlace(row, i);
        MoveWindow(buttons_[static_cast<std::size_t>(i)], place.left, place.top, place.width, place.height, TRUE);
    }
}

// A button enabled or disabled draws itself again; one whose colour changed is told to.
void TeamColourButtons::Show(const TeamColours& colours, bool enabled) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        EnableWindow(buttons_[i], enabled);
        if (colours[i] != colours_[i]) InvalidateRect(buttons_[i], nullptr, FALSE);
    }
    colours_ = colours;
}

std::optional<int> TeamColourButtons::IndexOf(int controlId) {
    const int index = controlId - TeamColourButtonId(0);
    if (index < 0 || index >= ui::kTeamColourButtons) return std::nullopt;
    return index;
}

// A push button's edge, pressed in while held down, around a framed swatch that moves with it.
bool TeamColourButtons::Draw(const DRAWITEMSTRUCT& item) const {
    const std::optional<int> index = IndexOf(static_cast<int>(item.CtlID));
    if (item.CtlType != ODT_BUTTON || !index) return false;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;

    RECT edge = item.rcItem;
    DrawFrameControl(item.hDC, &edge, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    RECT swatch = item.rcItem;
    InflateRect(&swatch, -kSwatchInset, -kSwatchInset);
    if (pushed) OffsetRect(&swatch, 1, 1);
    const GdiObject<HBRUSH> fill(CreateSolidBrush(SwatchColour(colours_[static_cast<std::size_t>(*index)], enabled)));
    FillRect(item.hDC, &swatch, fill.get());
    FrameRect(item.hDC, &swatch, GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -kFocusInset, -kFocusInset);
        DrawFocusRect(item.hDC, &focus);
    }
    return true;
}

}  // namespace pelliton::win32
