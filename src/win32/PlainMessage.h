// Message boxes as both windows show them.
#pragma once

#include <windows.h>

#include <string_view>

#include "session/WindowSession.h"

namespace pelliton::win32 {

// A message box with an OK button only, no icon and the program's name as its caption; returns
// when it is closed.
void ShowPlainMessage(HWND owner, std::string_view utf8Message);

// The question about unsaved changes, with Yes for Save, No for Discard and Cancel, and a line
// saying so, since the buttons cannot be named otherwise.
UnsavedAnswer AskSaveOrDiscard(HWND owner, std::string_view utf8Question);

}  // namespace pelliton::win32
