#include "session/RecentFiles.h"

#include <algorithm>

#include "ui/MainMenu.h"

namespace pelliton {

RecentFiles::RecentFiles(RecentFilesStore& store) : store_(store), paths_(store.Load()) {
    // A list kept by another version, or edited by hand, may be longer or repeat itself.
    std::vector<std::string> kept;
    for (const std::string& path : paths_) {
        if (!path.empty() && std::find(kept.begin(), kept.end(), path) == kept.end()) kept.push_back(path);
    }
    if (kept.size() > ui::kRecentFileCount) kept.resize(ui::kRecentFileCount);
    paths_ = std::move(kept);
}

void RecentFiles::Add(const std::string& path) {
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > ui::kRecentFileCount) paths_.resize(ui::kRecentFileCount);
    store_.Store(paths_);
}

void RecentFiles::Remove(const std::string& path) {
    if (std::erase(paths_, path) > 0) store_.Store(paths_);
}

}  // namespace pelliton
