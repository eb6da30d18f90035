// The recent files kept in the registry, under HKEY_CURRENT_USER, as values "File1".."File4"
// (REG_SZ, newest first).
#pragma once

#include <string>
#include <vector>

#include "session/RecentFiles.h"

namespace pelliton::win32 {

inline constexpr const wchar_t* kRecentFilesKey = L"Software\\Pelliton\\Recent Files";

class RegistryRecentFiles final : public RecentFilesStore {
public:
    // keyPath is below HKEY_CURRENT_USER.
    explicit RegistryRecentFiles(std::wstring keyPath = kRecentFilesKey) : keyPath_(std::move(keyPath)) {}

    // Values missing, empty or not text are passed over.
    std::vector<std::string> Load() override;
    // A list that cannot be written is not kept; the window works on without it.
    void Store(const std::vector<std::string>& paths) override;

private:
    std::wstring keyPath_;
};

}  // namespace pelliton::win32
