// The common dialogs of the main window: open an RSH file, choose a picture, save as, choose a folder.
#include "win32/FileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "win32/WideText.h"

namespace pelliton::win32 {

namespace {

// Room for a long path; the dialogs fail rather than cut a longer one.
constexpr std::size_t kPathChars = 32768;

struct FileDialogSetup {
    std::span<const ui::FileFilter> filters;
    std::size_t preselectedFilter = 0;  // counted from 0
    std::wstring_view title;
    std::wstring_view startPath;
    DWORD flags = 0;
};

// The read-only box is hidden; the current directory is left to the open command.
std::optional<std::wstring> RunFileDialog(HWND owner, const FileDialogSetup& setup, bool save) {
    const std::wstring filters = FilterList(setup.filters);
    const std::wstring title(setup.title);
    std::wstring path(kPathChars, L'\0');
    path.replace(0, std::min(setup.startPath.size(), kPathChars - 1), setup.startPath);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(setup.preselectedFilter) + 1;  // counted from 1
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | setup.flags;
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return std::nullopt;
    path.resize(path.find(L'\0'));
    return path;
}

int CALLBACK SelectStartFolder(HWND dialog, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, folder);
    return 0;
}

}  // namespace

std::wstring FilterList(std::span<const ui::FileFilter> filters) {
    std::wstring list;
    for (const ui::FileFilter& filter : filters) {
        list.append(Utf8ToWide(filter.label)).append(1, L'\0').append(Utf8ToWide(filter.pattern)).append(1, L'\0');
    }
    return list.append(1, L'\0');
}

// Neither demands an existing file: the open road says what is wrong with a name.
std::optional<std::wstring> ChooseRshFile(HWND owner) {
    const std::wstring title = Utf8ToWide(ui::kOpenDialogTitle);
    return RunFileDialog(owner, {ui::kOpenFilters, ui::kPreselectedOpenFilter, title, L"", 0}, false);
}

std::optional<std::wstring> ChoosePicture(HWND owner) {
    const std::wstring title = Utf8ToWide(ui::kPictureDialogTitle);
    return RunFileDialog(owner, {ui::kPictureFilters, 0, title, L"", OFN_FILEMUSTEXIST}, false);
}

std::optional<std::wstring> ChooseSavePath(HWND owner, const std::wstring& suggested) {
    const std::wstring title = Utf8ToWide(ui::kSaveAsDialogTitle);
    return RunFileDialog(owner, {ui::kSaveAsFilters, 0, title, suggested, OFN_OVERWRITEPROMPT}, true);
}

// The shell's folder browser: the common file dialog picks folders only through COM interfaces
// that mingw-w64 and Wine agree on less well. It starts at the current directory, which the open
// command made the open file's folder.
std::optional<std::wstring> ChooseFolder(HWND owner) {
    std::wstring start(kPathChars, L'\0');
    start.resize(GetCurrentDirectoryW(static_cast<DWORD>(start.size()), start.data()));
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    const std::wstring title = Utf8ToWide(ui::kExportFolderDialogTitle);
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = SelectStartFolder;
    browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (chosen == nullptr) return std::nullopt;
    std::wstring path(kPathChars, L'\0');
    const bool isFolder = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
    CoTaskMemFree(chosen);
    if (!isFolder) return std::nullopt;
    path.resize(path.find(L'\0'));
    return path;
}

}  // namespace pelliton::win32
