// The colour dialog of the team colour buttons: Windows' own, fully open at the current colour,
// under a title that names the colour being chosen.
#include "win32/ColourDialog.h"

#include <commdlg.h>

#include "win32/Controls.h"

namespace pelliton::win32 {

namespace {

// The dialog takes no title of its own: the hook gives it one as it opens, and leaves every
// message to the dialog.
UINT_PTR CALLBACK SetTitle(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* setup = reinterpret_cast<const CHOOSECOLORW*>(lParam);
        SetWindowTextW(dialog, reinterpret_cast<const wchar_t*>(setup->lCustData));
    }
    return 0;
}

}  // namespace

std::optional<TeamColour> ChooseColour(HWND owner, const std::wstring& title, TeamColour start,
                                       CustomColours& customColours) {
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = ToColorRef(start);
    dialog.lpCustColors = customColours.data();
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    dialog.lCustData = reinterpret_cast<LPARAM>(title.c_str());
    dialog.lpfnHook = SetTitle;
    if (!ChooseColorW(&dialog)) return std::nullopt;
    return TeamColour{GetRValue(dialog.rgbResult), GetGValue(dialog.rgbResult), GetBValue(dialog.rgbResult)};
}

}  // namespace pelliton::win32
