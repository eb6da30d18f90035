// The recently opened files kept in the user's Qt settings, from one run to the next.
#pragma once

#include "session/RecentFiles.h"

namespace pelliton {

// Organisation "Pelliton", application "Pelliton", key "recentFiles": a list of UTF-8 paths.
class QtRecentFilesStore : public RecentFilesStore {
public:
    std::vector<std::string> Load() override;
    void Store(const std::vector<std::string>& paths) override;
};

}  // namespace pelliton
