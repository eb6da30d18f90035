// The open dialog of the main window: the common open-file dialog, "RSH Files (*.rsh)" preselected.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "ui/OpenDialogTexts.h"

namespace pelliton::win32 {

// The filters as the dialog takes them: label, NUL, pattern, NUL for each, and a NUL after the last.
std::wstring FilterList(std::span<const ui::FileFilter> filters);

// The chosen path, or nothing when the user cancelled. Choosing a file makes its folder the
// current directory, so that exports land beside their source.
std::optional<std::wstring> ChooseRshFile(HWND owner);

}  // namespace pelliton::win32
