// The team colour buttons under the texture list: enabled while a pattern is shown, each a swatch of
// its colour with a tooltip, and a colour chosen in the dialog painted into the pattern at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/Utf8Path.h"
#include "rshwrite/PatternWriter.h"
#include "rshwrite/RshWriter.h"
#include "ui/MainWindowLayout.h"
#include "win32/SessionWindowTest.h"

namespace pelliton::win32 {
namespace {

using test::Capture;
using test::SelectedRow;

constexpr int kSide = 16;

std::uint32_t Pixel(TeamColour colour) {
    return static_cast<std::uint32_t>(colour.red) << 16 | static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

std::uint32_t Centre(const Capture& capture) { return capture.At(capture.width / 2, capture.height / 2); }

std::wstring TooltipText(HWND tooltips, HWND tool) {
    wchar_t text[80] = {};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    SendMessageW(tooltips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
    return text;
}

class WindowTeamColourTest : public test::SessionWindowTest {
protected:
    // A white pattern whose one layer covers all of it: painted, it is that layer's colour throughout.
    std::string WritePattern(const std::string& name, int layer) const {
        PatternSpec pattern;
        pattern.width = kSide;
        pattern.height = kSide;
        pattern.base.assign(kSide * kSide * 4, 0xFF);
        pattern.layers = {{layer, std::vector<std::uint8_t>(kSide * kSide, 0xFF)}};
        const std::string path = PathToUtf8(Folder() / name);
        WriteFileBytes(path, WritePatternFile(pattern));
        return path;
    }

    HWND Button(int index) { return Item(TeamColourButtonId(index)); }
    Capture Swatch(int index) { return test::CaptureClient(Button(index)); }
    void Notify(int index, WORD notification) {
        SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(TeamColourButtonId(index), notification),
                     reinterpret_cast<LPARAM>(Button(index)));
    }
    bool AnyButtonEnabled() {
        for (int i = 0; i < ui::kTeamColourButtons; ++i) {
            if (IsWindowEnabled(Button(i))) return true;
        }
        return false;
    }
};

TEST_F(WindowTeamColourTest, TheButtonsAreEnabledWhileAPatternIsShownAndShowTheirColours) {
    Window();
    EXPECT_FALSE(AnyButtonEnabled()) << "no file open yet";

    Window().OpenFile(WritePattern("primary.wtp", 0));
    const TeamColours colours = DefaultTeamColours();
    for (int i = 0; i < ui::kTeamColourButtons; ++i) {
        SCOPED_TRACE(ui::kTeamColourButtonTexts[i].name);
        EXPECT_TRUE(IsWindowEnabled(Button(i)));
        EXPECT_EQ(Centre(Swatch(i)), Pixel(colours[static_cast<std::size_t>(i)]));
    }
    EXPECT_EQ(Centre(Pane()), Pixel(colours[0]));

    // The swatches stay, faded, so that the row still tells the colours the next pattern gets.
    Window().OpenFile(CopySample(kTank));
    EXPECT_FALSE(AnyButtonEnabled());
    const std::uint32_t faded = Centre(Swatch(0));
    EXPECT_NE(faded, Pixel(colours[0]));
    EXPECT_NE(faded, Centre(Swatch(1)));
}

TEST_F(WindowTeamColourTest, EachButtonNamesItsColourInATooltip) {
    Window();
    HWND tooltips = test::FindThreadWindow(TOOLTIPS_CLASSW, Hwnd());
    ASSERT_NE(tooltips, nullptr);
    EXPECT_EQ(SendMessageW(tooltips, TTM_GETTOOLCOUNT, 0, 0), ui::kTeamColourButtons);
    const wchar_t* texts[] = {L"Primary colour", L"Secondary colour", L"Trim colour", L"Weapon colour", L"Eyes colour"};
    for (int i = 0; i < ui::kTeamColourButtons; ++i) EXPECT_EQ(TooltipText(tooltips, Button(i)), texts[i]);
}

// The first and the last button, each on a pattern of its own layer alone: a colour given to
// another layer would leave the pane as it was.
TEST_F(WindowTeamColourTest, AChosenColourIsPaintedIntoThePatternAndItsRowShown) {
    struct Case {
        int index;
        const char* title;
    };
    const TeamColour chosen{0x12, 0x80, 0xE0};
    for (const Case& c : {Case{0, "Primary Colour"}, Case{4, "Eyes Colour"}}) {
        SCOPED_TRACE(c.title);
        dialogs.colourQuestions.clear();
        MainWindow window(recent, dialogs);
        window.OpenFile(WritePattern(std::string(c.title) + ".wtp", c.index));
        HWND list = GetDlgItem(window.Handle(), kTextureListId);
        HWND pane = GetDlgItem(window.Handle(), kPreviewPaneId);
        HWND button = GetDlgItem(window.Handle(), TeamColourButtonId(c.index));
        test::SelectRow(list, 1);  // the base picture: white
        ASSERT_EQ(Centre(test::CaptureClient(pane)), 0xFFFFFFu);

        dialogs.colours = {chosen};
        SendMessageW(button, BM_CLICK, 0, 0);
        ASSERT_EQ(dialogs.colourQuestions.size(), 1u);
        EXPECT_EQ(dialogs.colourQuestions[0].title, c.title);
        EXPECT_EQ(dialogs.colourQuestions[0].start, DefaultTeamColours()[static_cast<std::size_t>(c.index)]);
        EXPECT_EQ(SelectedRow(list), 0);
        EXPECT_EQ(Centre(test::CaptureClient(pane)), Pixel(chosen));
        EXPECT_EQ(Centre(test::CaptureClient(button)), Pixel(chosen));
    }
}

TEST_F(WindowTeamColourTest, ACancelledChoiceChangesNothingAndAChosenColourStaysForTheNextPattern) {
    Window().OpenFile(WritePattern("first.wtp", 0));
    const Capture before = Pane();
    dialogs.colours = {std::nullopt};
    Notify(0, BN_CLICKED);
    EXPECT_EQ(dialogs.colourQuestions.size(), 1u);
    EXPECT_EQ(Pane(), before);

    const TeamColour chosen{0x30, 0xC0, 0x50};
    dialogs.colours = {chosen};
    Notify(0, BN_CLICKED);
    Window().OpenFile(WritePattern("second.wtp", 0));
    EXPECT_EQ(Centre(Pane()), Pixel(chosen));
    EXPECT_EQ(Centre(Swatch(0)), Pixel(chosen));

    // Asked again, the dialog starts at the colour chosen last.
    dialogs.colours = {std::nullopt};
    Notify(0, BN_CLICKED);
    ASSERT_EQ(dialogs.colourQuestions.size(), 3u);
    EXPECT_EQ(dialogs.colourQuestions[2].start, chosen);
}

// Only a click asks for a colour, and only while a pattern is shown: a click sent to a disabled
// button asks nothing (an unexpected dialog fails the test).
TEST_F(WindowTeamColourTest, NothingButAClickOnAPatternAsksForAColour) {
    Window();
    Notify(0, BN_CLICKED);
    Window().OpenFile(WritePattern("pattern.wtp", 0));
    Notify(1, BN_DOUBLECLICKED);
    Window().OpenFile(CopySample(kTank));
    Notify(2, BN_CLICKED);
    EXPECT_TRUE(dialogs.colourQuestions.empty());
}

}  // namespace
}  // namespace pelliton::win32
