// The main window as it starts, where its controls stand, and what the session writes into it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/MainWindowLayout.h"
#include "win32/ControlIds.h"
#include "win32/MainWindow.h"
#include "win32/ScriptedDialogs.h"
#include "win32/SessionWindowTest.h"
#include "win32/WindowTest.h"

namespace pelliton::win32 {
namespace {

using test::ClientSize;
using test::Place;
using test::PlaceOf;
using test::WindowText;

class MainWindowTest : public test::WindowTest {
protected:
    test::ScriptedDialogs dialogs;
    test::MemoryRecentFiles recent;
};

TEST_F(MainWindowTest, StartsAtItsDesignedSizeWithItsCaptionMenusAndAnEmptyList) {
    MainWindow window(recent, dialogs);
    HWND hwnd = window.Handle();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), L"Quibbo's Dawn of War Pelliton / Extractor - 1.0.0");
    const SIZE client = ClientSize(hwnd);
    EXPECT_EQ(client.cx, 779);  // 11685 x 8970 twips
    EXPECT_EQ(client.cy, 598);
    EXPECT_EQ(GetMenuItemCount(GetMenu(hwnd)), 4);  // File, Texture, View and Help
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwnd, CommandId(ui::MainCommand::Refresh))));
    EXPECT_EQ(WindowText(GetDlgItem(hwnd, CommandId(ui::MainCommand::Refresh))), L"Refresh");
    EXPECT_EQ(WindowText(GetDlgItem(hwnd, kLogPaneId)), L"");

    HWND list = GetDlgItem(hwnd, kTextureListId);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    const LONG_PTR listStyle = GetWindowLongPtrW(list, GWL_STYLE);
    EXPECT_EQ(listStyle & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS), LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    EXPECT_EQ(test::ColumnTitles(list), (std::vector<std::wstring>{L"Name", L"Format", L"Size", L"MIPs"}));
}

TEST_F(MainWindowTest, ControlsStandAtTheirDesignedPlaces) {
    MainWindow window(recent, dialogs);
    struct Control {
        const char* name;
        int id;
        Place place;  // twips / 15
    };
    const Control controls[] = {
        {"logPane", kLogPaneId, {8, 48, 193, 344}},
        {"textureList", kTextureListId, {8, 396, 193, 144}},
        // The first and last of the row under the list, 4 pixels between the buttons.
        {"primaryButton", TeamColourButtonId(0), {8, 544, 35, 25}},
        {"eyesButton", TeamColourButtonId(4), {165, 544, 36, 25}},
        {"refreshButton", CommandId(ui::MainCommand::Refresh), {104, 8, 97, 33}},
        {"previewPane", kPreviewPaneId, {208, 8, 561, 561}},
        {"statusBar", kStatusBarId, {0, 573, 779, 25}},
    };
    for (const Control& control : controls) {
        EXPECT_EQ(PlaceOf(GetDlgItem(window.Handle(), control.id)), control.place) << control.name;
    }
    // Inside its border the pane is as large as the frames the headless front end draws.
    const SIZE pane = ClientSize(GetDlgItem(window.Handle(), kPreviewPaneId));
    EXPECT_EQ(pane.cx, 557);
    EXPECT_EQ(pane.cy, 557);
}

TEST_F(MainWindowTest, TabGoesFromTheLogToTheListToTheTeamColoursToThePaneToRefresh) {
    MainWindow window(recent, dialogs);
    HWND hwnd = window.Handle();
    HWND logPane = GetDlgItem(hwnd, kLogPaneId);
    HWND list = GetDlgItem(hwnd, kTextureListId);
    HWND previewPane = GetDlgItem(hwnd, kPreviewPaneId);
    HWND refreshButton = GetDlgItem(hwnd, CommandId(ui::MainCommand::Refresh));
    // As after opening a pattern; a disabled button takes no focus.
    EnableWindow(refreshButton, TRUE);
    std::vector<HWND> teamColourButtons;
    for (int i = 0; i < ui::kTeamColourButtons; ++i) {
        teamColourButtons.push_back(GetDlgItem(hwnd, TeamColourButtonId(i)));
        EnableWindow(teamColourButtons.back(), TRUE);
    }
    EXPECT_EQ(GetNextDlgTabItem(hwnd, logPane, FALSE), list);
    HWND previous = list;
    for (HWND button : teamColourButtons) {
        EXPECT_EQ(GetNextDlgTabItem(hwnd, previous, FALSE), button);
        previous = button;
    }
    EXPECT_EQ(GetNextDlgTabItem(hwnd, previous, FALSE), previewPane);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, previewPane, FALSE), refreshButton);
    EXPECT_EQ(GetNextDlgTabItem(hwnd, refreshButton, FALSE), logPane);
}

TEST_F(MainWindowTest, TheLogKeepsLinesWithTheirEndsAndTheStatusBarShowsThePath) {
    MainWindow window(recent, dialogs);
    SessionView& view = window;
    HWND logPane = GetDlgItem(window.Handle(), kLogPaneId);

    view.AddDebugLine("FOLD");
    view.AddDebugLine("Extracting to: caf\xC3\xA9.DDS");
    EXPECT_EQ(WindowText(logPane), L"FOLD\r\nExtracting to: caf\u00E9.DDS\r\n");
    view.ClearLog();
    EXPECT_EQ(WindowText(logPane), L"");

    view.SetStatusText("C:\\mods\\caf\xC3\xA9.rsh");
    wchar_t status[64] = {};
    // Written to SB_SIMPLEID, the simple mode's text reads back as part 0.
    SendMessageW(GetDlgItem(window.Handle(), kStatusBarId), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_STREQ(status, L"C:\\mods\\caf\u00E9.rsh");
}

TEST_F(MainWindowTest, ALongLogIsKeptWholeAndScrolledToItsEnd) {
    MainWindow window(recent, dialogs);
    SessionView& view = window;
    HWND logPane = GetDlgItem(window.Handle(), kLogPaneId);
    const std::string line(18, 'x');
    constexpr int kLines = 2000;  // 40000 characters: beyond an edit control's default 32767
    for (int i = 0; i < kLines; ++i) view.AddDebugLine(line);

    const int length = GetWindowTextLengthW(logPane);
    EXPECT_EQ(length, kLines * 20);
    // The last line's last character stands inside the control, not scrolled away below.
    const auto position = SendMessageW(logPane, EM_POSFROMCHAR, static_cast<WPARAM>(length - 3), 0);
    EXPECT_GE(static_cast<short>(HIWORD(position)), 0);
    EXPECT_LT(static_cast<short>(HIWORD(position)), ClientSize(logPane).cy);
}

}  // namespace
}  // namespace pelliton::win32
