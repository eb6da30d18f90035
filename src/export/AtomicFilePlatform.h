// The system's side of writing a file atomically, one file per platform (AtomicFileLinux.cpp,
// AtomicFileWindows.cpp) chosen in CMake. Those files also define OutputFile::Reserve and
// OutputFile::CopyByKernel, which are advice and shortcuts that only some systems offer.
#pragma once

#include <cstdio>
#include <filesystem>

#include "common/PellitonError.h"

namespace pelliton {

// How the finished file takes the target's place.
enum class Replacement { Swap, Rename };

// Opens a new file for writing; fails with EEXIST rather than reuse a file of that name.
std::FILE* CreateNewFile(const std::filesystem::path& path);

// Puts the finished file in the target's place; throws, naming the reason, when it cannot.
void ReplaceTarget(const std::filesystem::path& finished, const std::filesystem::path& target,
                   Replacement replacement);

// The error of a write or flush that failed, with the reason errno gives.
PellitonError WriteFailed(const std::filesystem::path& target);

}  // namespace pelliton
