// The log pane: a read-only multi-line edit control that lines are added to at its end.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pelliton::win32 {

// One log line as the edit control takes it: UTF-16, ending in "\r\n". A line break inside the
// line becomes "\r\n" too (the control shows a lone "\n" or "\r" as nothing), and a NUL, which
// would end the text the control takes, becomes U+FFFD.
std::wstring EditControlLine(std::string_view utf8Line);

// Adds the line at the end, whatever is selected, and scrolls so that the end is in view.
void AppendLogLine(HWND edit, std::string_view utf8Line);

}  // namespace pelliton::win32
