// The About window: one at a time, its size and version line, and the keys that close it.
#include <gtest/gtest.h>

#include <string>

#include "win32/AboutWindow.h"
#include "win32/ControlIds.h"
#include "win32/Resources.h"
#include "win32/WindowTest.h"

namespace pelliton::win32 {
namespace {

using test::ClientSize;
using test::WindowText;

// This process's About windows only: test programs running side by side share Wine's desktop.
HWND FindAbout(HWND after = nullptr) {
    for (HWND window = FindWindowExW(nullptr, after, L"" ABOUT_WINDOW_CLASS, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, L"" ABOUT_WINDOW_CLASS, nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) return window;
    }
    return nullptr;
}

class AboutWindowTest : public test::WindowTest {
protected:
    void TearDown() override {
        if (HWND about = FindAbout()) DestroyWindow(about);
    }

    static constexpr RECT kMainWindow{100, 80, 900, 720};
};

TEST_F(AboutWindowTest, OneWindowHoweverOftenItIsAskedForCentredOnTheMainWindow) {
    AboutWindow::ShowSingleWindow(kMainWindow);
    HWND about = FindAbout();
    ASSERT_NE(about, nullptr);
    SetDlgItemTextW(about, kVersionLineId, L"");  // so that a second load would show
    AboutWindow::ShowSingleWindow(kMainWindow);
    EXPECT_EQ(FindAbout(), about);
    EXPECT_EQ(FindAbout(about), nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(about, kVersionLineId)), L"");
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);

    const SIZE client = ClientSize(about);
    EXPECT_EQ(client.cx, 423);  // 6345 x 3630 twips
    EXPECT_EQ(client.cy, 242);
    RECT frame{};
    GetWindowRect(about, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, 500, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, 400, 1);
}

TEST_F(AboutWindowTest, LoadsWithItsCaptionAndTheVersionLine) {
    AboutWindow::ShowSingleWindow(kMainWindow);
    EXPECT_EQ(WindowText(FindAbout()), L"About");
    EXPECT_EQ(WindowText(GetDlgItem(FindAbout(), kVersionLineId)), L"Version 1.0.0 (18-Oct-2004)");
}

TEST_F(AboutWindowTest, EscAndEnterOnOkCloseIt) {
    for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        SCOPED_TRACE(key == VK_ESCAPE ? "Esc" : "Enter");
        AboutWindow::ShowSingleWindow(kMainWindow);
        HWND about = FindAbout();
        ASSERT_NE(about, nullptr);
        HWND okButton = GetDlgItem(about, IDOK);
        EXPECT_EQ(GetFocus(), okButton);  // first in the focus order
        MSG press{okButton, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(AboutWindow::TranslateKeys(press));
        EXPECT_FALSE(IsWindow(about));
        EXPECT_EQ(FindAbout(), nullptr);
    }
}

}  // namespace
}  // namespace pelliton::win32
