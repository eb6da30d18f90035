// Message boxes as both windows show them.
#include "win32/PlainMessage.h"

#include "win32/WideText.h"

namespace pelliton::win32 {

namespace {

constexpr const wchar_t* kProgramName = L"pelliton";  // the name the Linux window's messages carry

}  // namespace

void ShowPlainMessage(HWND owner, std::string_view utf8Message) {
    MessageBoxW(owner, Utf8ToWide(utf8Message).c_str(), kProgramName, MB_OK);
}

UnsavedAnswer AskSaveOrDiscard(HWND owner, std::string_view utf8Question) {
    const std::wstring text = Utf8ToWide(utf8Question) + L"\n\nYes saves the changes, No discards them.";
    switch (MessageBoxW(owner, text.c_str(), kProgramName, MB_YESNOCANCEL | MB_ICONWARNING)) {
        case IDYES:
            return UnsavedAnswer::Save;
        case IDNO:
            return UnsavedAnswer::Discard;
        default:
            return UnsavedAnswer::Cancel;
    }
}

}  // namespace pelliton::win32
