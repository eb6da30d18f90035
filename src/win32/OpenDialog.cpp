// The open dialog of the main window: the common open-file dialog, "RSH Files (*.rsh)" preselected.
#include "win32/OpenDialog.h"

#include <commdlg.h>

#include "win32/WideText.h"

namespace pelliton::win32 {

namespace {

// Room for a long path; the dialog fails rather than cut a longer one.
constexpr std::size_t kPathChars = 32768;

}  // namespace

std::wstring FilterList(std::span<const ui::FileFilter> filters) {
    std::wstring list;
    for (const ui::FileFilter& filter : filters) {
        list.append(Utf8ToWide(filter.label)).append(1, L'\0').append(Utf8ToWide(filter.pattern)).append(1, L'\0');
    }
    return list.append(1, L'\0');
}

// Only the read-only box is hidden: the dialog neither demands an existing file nor keeps the
// current directory.
std::optional<std::wstring> ChooseRshFile(HWND owner) {
    const std::wstring filters = FilterList(ui::kOpenFilters);
    const std::wstring title = Utf8ToWide(ui::kOpenDialogTitle);
    std::wstring path(kPathChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(ui::kPreselectedOpenFilter) + 1;  // counted from 1
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    path.resize(path.find(L'\0'));
    // Windows' own dialog moves the current directory to the file's folder; Wine's does not.
    SetCurrentDirectoryW(path.substr(0, dialog.nFileOffset).c_str());
    return path;
}

}  // namespace pelliton::win32
