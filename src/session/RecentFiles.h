// The files opened last, newest first, kept for the user from one run to the next.
#pragma once

#include <string>
#include <vector>

namespace pelliton {

// Where the list is kept: Qt's settings, or the registry under HKEY_CURRENT_USER.
class RecentFilesStore {
public:
    virtual ~RecentFilesStore() = default;
    virtual std::vector<std::string> Load() = 0;  // UTF-8 paths, newest first; empty when none kept
    virtual void Store(const std::vector<std::string>& paths) = 0;
};

class RecentFiles {
public:
    explicit RecentFiles(RecentFilesStore& store);

    // Puts path first, drops an earlier mention of it and keeps at most four; stores the list.
    void Add(const std::string& path);
    // Drops path, as when it can no longer be opened; stores the list.
    void Remove(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    RecentFilesStore& store_;
    std::vector<std::string> paths_;
};

}  // namespace pelliton
