// The window that grows, and the View menu: controls placed at every size, the frame drawn at the
// pane's size, the scales and alpha, the MIP levels, and which items are enabled and checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ui/MainWindowLayout.h"
#include "win32/SessionWindowTest.h"

namespace pelliton::win32 {
namespace {

using test::Capture;
using test::ClientSize;
using test::Place;
using test::PlaceOf;

constexpr std::uint32_t kClearColour = 0x333333;  // around the quad in perspective

Place ToPlace(const ui::PixelRect& rect) { return {rect.left, rect.top, rect.width, rect.height}; }

std::size_t DrawnPixels(const Capture& capture) {
    return static_cast<std::size_t>(std::ranges::count_if(capture.pixels, [](std::uint32_t pixel) {
        return pixel != kClearColour && pixel != 0;
    }));
}

UINT MenuState(HWND window, ui::MainCommand command) {
    return GetMenuState(GetMenu(window), CommandId(command), MF_BYCOMMAND);
}

class WindowViewTest : public test::SessionWindowTest {};

TEST_F(WindowViewTest, ResizingPlacesEachControlAndDrawsTheFrameAtThePanesNewSize) {
    Window().OpenFile(CopySample(kTank));
    const Capture designed = Pane();
    ASSERT_EQ(designed.width, 557);

    RECT frame{};
    GetWindowRect(Hwnd(), &frame);
    SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top + 120,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE client = ClientSize(Hwnd());
    ASSERT_EQ(client.cx, 779 + 200);
    const ui::MainWindowPlaces places = ui::PlaceMainWindow(client.cx, client.cy);
    struct Control {
        const char* name;
        int id;
        ui::PixelRect place;
    };
    const Control controls[] = {
        {"logPane", kLogPaneId, places.logPane},
        {"textureList", kTextureListId, places.textureList},
        {"refreshButton", CommandId(ui::MainCommand::Refresh), places.refreshButton},
        {"previewPane", kPreviewPaneId, places.previewPane},
        {"statusBar", kStatusBarId, places.statusBar},
        {"primaryButton", TeamColourButtonId(0), ui::TeamColourButtonPlace(places.teamColourButtons, 0)},
        {"eyesButton", TeamColourButtonId(4), ui::TeamColourButtonPlace(places.teamColourButtons, 4)},
    };
    for (const Control& control : controls) EXPECT_EQ(PlaceOf(Item(control.id)), ToPlace(control.place)) << control.name;

    const Capture grown = Pane();
    EXPECT_EQ(grown.width, places.previewPane.width - 4);  // inside its border
    EXPECT_EQ(grown.height, places.previewPane.height - 4);
    EXPECT_GT(DrawnPixels(grown), DrawnPixels(designed));
}

TEST_F(WindowViewTest, TheWindowIsResizableButNeverSmallerThanDesigned) {
    Window();
    const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), WS_THICKFRAME | WS_MAXIMIZEBOX);

    RECT frame{};
    GetWindowRect(Hwnd(), &frame);
    MINMAXINFO limits{};
    SendMessageW(Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, frame.right - frame.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, frame.bottom - frame.top);
}

TEST_F(WindowViewTest, ActualSizeWithAlphaShowsOtherPixelsThanFitAndTheMenuChecksFollow) {
    Window();
    for (const ui::MainCommand command : {ui::MainCommand::ViewFit, ui::MainCommand::ShowAlpha}) {
        EXPECT_NE(MenuState(Hwnd(), command) & MF_GRAYED, 0u) << "no file open yet";
    }
    Window().OpenFile(CopySample(kTank));
    test::SelectRow(Item(kTextureListId), 1);  // the DXT5 texture: alpha of its own
    EXPECT_NE(MenuState(Hwnd(), ui::MainCommand::ViewPerspective) & MF_CHECKED, 0u);

    Command(ui::MainCommand::ViewFit);
    const Capture fit = Pane();
    EXPECT_NE(MenuState(Hwnd(), ui::MainCommand::ViewFit) & MF_CHECKED, 0u);
    EXPECT_EQ(MenuState(Hwnd(), ui::MainCommand::ViewPerspective) & MF_CHECKED, 0u);

    Command(ui::MainCommand::ViewActualSize);
    const Capture actual = Pane();
    Command(ui::MainCommand::ShowAlpha);
    const Capture actualWithAlpha = Pane();
    EXPECT_NE(actual.pixels, fit.pixels);
    EXPECT_NE(actualWithAlpha.pixels, actual.pixels);
    EXPECT_NE(MenuState(Hwnd(), ui::MainCommand::ViewActualSize) & MF_CHECKED, 0u);
    EXPECT_EQ(MenuState(Hwnd(), ui::MainCommand::ViewFit) & MF_CHECKED, 0u);
    EXPECT_NE(MenuState(Hwnd(), ui::MainCommand::ShowAlpha) & MF_CHECKED, 0u);

    Command(ui::MainCommand::ShowAlpha);
    EXPECT_EQ(MenuState(Hwnd(), ui::MainCommand::ShowAlpha) & MF_CHECKED, 0u);
    EXPECT_EQ(Pane().pixels, actual.pixels);
}

TEST_F(WindowViewTest, TheMipLevelCommandsStepThroughTheLevelsTheTextureHas) {
    Window().OpenFile(CopySample("quadrants-dxt1-mips.rsh"));
    Command(ui::MainCommand::ViewActualSize);
    EXPECT_NE(MenuState(Hwnd(), ui::MainCommand::LargerMipLevel) & MF_GRAYED, 0u);
    ASSERT_EQ(MenuState(Hwnd(), ui::MainCommand::SmallerMipLevel) & MF_GRAYED, 0u);
    const Capture largest = Pane();

    Command(ui::MainCommand::SmallerMipLevel);
    EXPECT_LT(DrawnPixels(Pane()), DrawnPixels(largest));
    EXPECT_EQ(MenuState(Hwnd(), ui::MainCommand::LargerMipLevel) & MF_GRAYED, 0u);

    Command(ui::MainCommand::LargerMipLevel);
    EXPECT_EQ(Pane().pixels, largest.pixels);
    EXPECT_NE(MenuState(Hwnd(), ui::MainCommand::LargerMipLevel) & MF_GRAYED, 0u);
}

TEST_F(WindowViewTest, BeforeAFileOnlyOpenQuitAndAboutCanRun) {
    Window();
    for (const ui::Menu& menu : ui::kMainMenus) {
        for (const ui::MenuItem& item : menu.items) {
            const bool enabled = item.command == ui::MainCommand::Open || item.command == ui::MainCommand::Quit ||
                                 item.command == ui::MainCommand::About;
            EXPECT_EQ((MenuState(Hwnd(), item.command) & MF_GRAYED) == 0, enabled) << item.caption;
        }
    }
    EXPECT_FALSE(IsWindowEnabled(Item(CommandId(ui::MainCommand::Refresh))));
    // A command sent anyway, as a shortcut key would, does nothing.
    Command(ui::MainCommand::Replace);
    Command(ui::MainCommand::Save);
}

}  // namespace
}  // namespace pelliton::win32
