// The application's version numbers: every text that shows the version is built from these, and
// the build reads them for the packages (cmake/Version.cmake).
#pragma once

#include <string>

namespace pelliton {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// "1.0.0"
inline std::string VersionNumber() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision);
}

}  // namespace pelliton
