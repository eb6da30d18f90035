// The common dialogs of the main window: open an RSH file, choose a picture, save as, choose a folder.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "ui/FileDialogTexts.h"

namespace pelliton::win32 {

// The filters as the dialog takes them: label, NUL, pattern, NUL for each, and a NUL after the last.
std::wstring FilterList(std::span<const ui::FileFilter> filters);

// Each gives the chosen path, or nothing when the user cancelled.
std::optional<std::wstring> ChooseRshFile(HWND owner);  // "RSH Files (*.rsh)" preselected
std::optional<std::wstring> ChoosePicture(HWND owner);
// Starts at suggested (a full path); asks before a file is overwritten.
std::optional<std::wstring> ChooseSavePath(HWND owner, const std::wstring& suggested);
std::optional<std::wstring> ChooseFolder(HWND owner);

}  // namespace pelliton::win32
