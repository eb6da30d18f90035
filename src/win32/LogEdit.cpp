// The log pane: a read-only multi-line edit control that lines are added to at its end.
#include "win32/LogEdit.h"

#include "win32/WideText.h"

namespace pelliton::win32 {

std::wstring EditControlLine(std::string_view utf8Line) {
    const std::wstring wide = Utf8ToWide(utf8Line);
    std::wstring line;
    line.reserve(wide.size() + 2);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const wchar_t c = wide[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') ++i;
            line += L"\r\n";
        } else {
            line += c == L'\0' ? L'\uFFFD' : c;
        }
    }
    return line + L"\r\n";
}

// Inserting at the end keeps a long log cheap.
void AppendLogLine(HWND edit, std::string_view utf8Line) {
    const std::wstring line = EditControlLine(utf8Line);
    const LRESULT end = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

}  // namespace pelliton::win32
