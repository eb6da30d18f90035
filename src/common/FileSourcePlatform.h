// The system's side of FileSource, one file per platform (FileSourcePosix.cpp, FileSourceWindows.cpp)
// chosen in CMake. Its errors read alike everywhere: the logs of the Linux and Windows programs are
// compared byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "common/PellitonError.h"

namespace pelliton {

// The system's handle of an open file (a descriptor, or a Windows HANDLE) and the file's size.
struct OpenedFile {
    std::intptr_t handle;
    std::uint64_t size;
};

// Opens the regular file at path (UTF-8) for reading. Throws the PellitonError of CannotOpen.
OpenedFile OpenRegularFile(const std::string& path);
void CloseFile(std::intptr_t handle) noexcept;
// Reads as much of into as one call gives at offset: how many bytes arrived, 0 where the file
// ends. Throws PellitonError naming path when the system fails otherwise.
std::size_t ReadSomeAt(std::intptr_t handle, std::uint64_t offset, std::span<std::uint8_t> into,
                       const std::string& path);
// The descriptor that the kernel copies from, or -1 where the system has no such copy.
int KernelCopyDescriptor(std::intptr_t handle);

inline constexpr char kNotARegularFile[] = "not a regular file";

inline PellitonError CannotOpen(const std::string& path, const std::string& reason) {
    return PellitonError("cannot open " + path + ": " + reason);
}

}  // namespace pelliton
