// The application's version numbers; every text that shows the version is built from these.
#pragma once

namespace pelliton {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

}  // namespace pelliton
