// The recent files kept in the registry, under HKEY_CURRENT_USER, as values "File1".."File4"
// (REG_SZ, newest first).
#include "win32/RegistryRecentFiles.h"

#include <windows.h>

#include "ui/MainMenu.h"
#include "win32/WideText.h"

namespace pelliton::win32 {

namespace {

std::wstring ValueName(int index) { return L"File" + std::to_wstring(index + 1); }

// RegGetValueW ends the text with a NUL even where the stored value has none.
std::wstring ReadText(const std::wstring& keyPath, const std::wstring& name) {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    text.resize(text.find(L'\0'));
    return text;
}

}  // namespace

std::vector<std::string> RegistryRecentFiles::Load() {
    std::vector<std::string> paths;
    for (int i = 0; i < ui::kRecentFileCount; ++i) {
        const std::wstring path = ReadText(keyPath_, ValueName(i));
        if (!path.empty()) paths.push_back(WideToUtf8(path));
    }
    return paths;
}

void RegistryRecentFiles::Store(const std::vector<std::string>& paths) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    for (int i = 0; i < ui::kRecentFileCount; ++i) {
        const std::wstring name = ValueName(i);
        if (static_cast<std::size_t>(i) < paths.size()) {
            const std::wstring path = Utf8ToWide(paths[static_cast<std::size_t>(i)]);
            RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                           static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(key, name.c_str());
        }
    }
    RegCloseKey(key);
}

}  // namespace pelliton::win32
