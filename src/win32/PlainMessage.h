// Message boxes as both windows show them.
#pragma once

#include <windows.h>

#include <string_view>

namespace pelliton::win32 {

// A message box with an OK button only, no icon and the program's name as its caption; returns
// when it is closed.
void ShowPlainMessage(HWND owner, std::string_view utf8Message);

}  // namespace pelliton::win32
