// The open dialog of the main window: the common open-file dialog, "RSH Files (*.rsh)" preselected.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pelliton::win32 {

struct FileFilter {
    std::wstring_view label;
    std::wstring_view pattern;
};

inline constexpr FileFilter kOpenFilters[] = {
    {L"All Files (*.*)", L"*.*"},
    {L"RSH Files (*.rsh)", L"*.rsh"},
};
inline constexpr DWORD kPreselectedFilter = 2;  // counted from 1: "RSH Files (*.rsh)"

// The filters as the dialog takes them: label, NUL, pattern, NUL for each, and a NUL after the last.
std::wstring FilterList(std::span<const FileFilter> filters);

// The chosen path, or nothing when the user cancelled. Choosing a file makes its folder the
// current directory, so that exports land beside their source.
std::optional<std::wstring> ChooseRshFile(HWND owner);

}  // namespace pelliton::win32
