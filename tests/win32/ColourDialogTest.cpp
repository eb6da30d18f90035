// The colour dialog as Windows shows it: titled for the colour being chosen, open at the current
// colour, which OK chooses and Cancel does not.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "win32/ColourDialog.h"
#include "win32/WindowTest.h"

namespace pelliton::win32 {
namespace {

// What the timer does once the dialog is up: it notes the title and presses the button.
struct DialogAnswer {
    int button = IDOK;
    std::wstring title;
};
DialogAnswer answer;

// The dialog's own message loop runs this thread's timers.
void CALLBACK AnswerOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = test::FindThreadWindow(L"#32770", nullptr);  // the dialog class
    if (dialog == nullptr) return;
    KillTimer(nullptr, timer);
    answer.title = test::WindowText(dialog);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED), 0);
}

class ColourDialogTest : public test::WindowTest {};

TEST_F(ColourDialogTest, OpensUnderItsTitleAtTheColourWhichOkChoosesAndCancelDoesNot) {
    const TeamColour start{0x12, 0x80, 0xE0};
    struct Case {
        int button;
        std::optional<TeamColour> chosen;
    };
    for (const Case& c : {Case{IDOK, start}, Case{IDCANCEL, std::nullopt}}) {
        SCOPED_TRACE(c.button == IDOK ? "OK" : "Cancel");
        answer = {c.button, L""};
        CustomColours custom = kEmptyCustomColours;
        SetTimer(nullptr, 0, 50, AnswerOpenDialog);
        const std::optional<TeamColour> chosen = ChooseColour(nullptr, L"Trim Colour", start, custom);
        EXPECT_EQ(answer.title, L"Trim Colour");
        EXPECT_EQ(chosen, c.chosen);
    }
}

}  // namespace
}  // namespace pelliton::win32
