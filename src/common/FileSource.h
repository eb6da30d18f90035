// An open file read only where it is needed: chunk headers and names, small bodies, rows of a
// texture, and large bodies copied straight to an output by the kernel where the system can.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/ByteSource.h"
#include "common/UninitialisedAllocator.h"

namespace pelliton {

class FileSource : public ByteSource {
public:
    // Opens the regular file at path (UTF-8) and takes its size. Throws PellitonError.
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::uint64_t Size() const override { return size_; }
    // A file that another program shortened meanwhile is an error, never a short read.
    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const override;
    int Descriptor() const override;

private:
    std::string path_;
    std::intptr_t handle_ = -1;  // the system's: a descriptor, or a Windows HANDLE
    std::uint64_t size_ = 0;
};

// Files larger than this are refused before memory is taken for them: no texture file is as large.
inline constexpr std::uint64_t kMaxWholeFileBytes = std::uint64_t{1} << 31;

// Reads the whole of a regular file (path is UTF-8) into memory. Throws PellitonError.
UninitialisedBytes ReadWholeFile(const std::string& path);

}  // namespace pelliton
