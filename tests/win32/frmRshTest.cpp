// The main window as it starts, where its controls stand, and what the open road writes into it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "win32/Resources.h"
#include "win32/frmRSH.h"
#include "win32/WindowTest.h"

namespace pelliton::win32 {
namespace {

using test::ClientSize;
using test::Place;
using test::PlaceOf;
using test::WindowText;

class frmRshWindow : public test::WindowTest {};

TEST_F(frmRshWindow, StartsWithItsCaptionAFixedBorderAndRefreshDisabled) {
    frmRSH window;
    HWND hwnd = window.Handle();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), L"Quibbo's Dawn of War Pelliton / Extractor - 1.0.0");
    const SIZE client = ClientSize(hwnd);
    EXPECT_EQ(client.cx, 779);  // 11685 x 8970 twips
    EXPECT_EQ(client.cy, 598);
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwnd, IDC_REFRESH)));
    EXPECT_EQ(WindowText(GetDlgItem(hwnd, IDC_REFRESH)), L"Refresh");
    EXPECT_EQ(WindowText(GetDlgItem(hwnd, IDC_TXTDEBUG)), L"");
}

TEST_F(frmRshWindow, ControlsStandAtTheirDesignedPlaces) {
    frmRSH window;
    struct Control {
        const char* name;
        int id;
        Place place;  // twips / 15
    };
    const Control controls[] = {
        {"txtDebug", IDC_TXTDEBUG, {8, 48, 193, 521}},
        {"cmdRefresh", IDC_REFRESH, {104, 8, 97, 33}},
        {"picRSH", IDC_PICRSH, {208, 8, 561, 561}},
        {"StatusBar1", IDC_STATUSBAR, {0, 573, 779, 25}},
    };
    for (const Control& control : controls) {
        EXPECT_EQ(PlaceOf(GetDlgItem(window.Handle(), control.id)), control.place) << control.name;
    }
    // Inside its border the pane is as large as the frames the headless front end draws.
    const SIZE pane = ClientSize(GetDlgItem(window.Handle(), IDC_PICRSH));
    EXPECT_EQ(pane.cx, 557);
    EXPECT_EQ(pane.cy, 557);
}

TEST_F(frmRshWindow, TabGoesFromTheLogToThePaneToRefresh) {
    frmRSH window;
    HWND hwnd = window.Handle();
    HWND txtDebug = GetDlgItem(hwnd, IDC_TXTDEBUG);
    HWND picRSH = GetDlgItem(hwnd, IDC_PICRSH);
    HWND cmdRefresh = GetDlgItem(hwnd, IDC_REFRESH);
    EnableWindow(cmdRefresh, TRUE);  // as after the first open; a disabled button takes no focus
    EXPECT_EQ(GetNextDlgTabItem(hwnd, txtDebug, FALSE), picRSH);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, picRSH, FALSE), cmdRefresh);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, cmdRefresh, FALSE), txtDebug);
}

TEST_F(frmRshWindow, TheLogKeepsLinesWithTheirEndsAndTheStatusBarShowsThePath) {
    frmRSH window;
    SessionView& view = window;
    HWND txtDebug = GetDlgItem(window.Handle(), IDC_TXTDEBUG);

    view.AddDebugLine("FOLD");
    view.AddDebugLine("Extracting to: caf\xC3\xA9.DDS");
    EXPECT_EQ(WindowText(txtDebug), L"FOLD\r\nExtracting to: caf\u00E9.DDS\r\n");
    view.ClearLog();
    EXPECT_EQ(WindowText(txtDebug), L"");

    view.SetStatusText("C:\\mods\\caf\xC3\xA9.rsh");
    wchar_t status[64] = {};
    // Written to SB_SIMPLEID, the simple mode's text reads back as part 0.
    SendMessageW(GetDlgItem(window.Handle(), IDC_STATUSBAR), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_STREQ(status, L"C:\\mods\\caf\u00E9.rsh");
}

TEST_F(frmRshWindow, ALongLogIsKeptWholeAndScrolledToItsEnd) {
    frmRSH window;
    SessionView& view = window;
    HWND txtDebug = GetDlgItem(window.Handle(), IDC_TXTDEBUG);
    const std::string line(18, 'x');
    constexpr int kLines = 2000;  // 40000 characters: beyond an edit control's default 32767
    for (int i = 0; i < kLines; ++i) view.AddDebugLine(line);

    const int length = GetWindowTextLengthW(txtDebug);
    EXPECT_EQ(length, kLines * 20);
    // The last line's last character stands inside the control, not scrolled away below.
    const auto position = SendMessageW(txtDebug, EM_POSFROMCHAR, static_cast<WPARAM>(length - 3), 0);
    EXPECT_GE(static_cast<short>(HIWORD(position)), 0);
    EXPECT_LT(static_cast<short>(HIWORD(position)), ClientSize(txtDebug).cy);
}

}  // namespace
}  // namespace pelliton::win32
