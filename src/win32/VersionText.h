// The version as the windows show it: major.minor.revision, in decimal.
#pragma once

#include <string>

#include "common/Version.h"

namespace pelliton::win32 {

inline std::wstring VersionText() {
    return std::to_wstring(kVersionMajor) + L"." + std::to_wstring(kVersionMinor) + L"." +
           std::to_wstring(kVersionRevision);
}

}  // namespace pelliton::win32
