// An open file read only where it is needed: chunk headers and names, small bodies, rows of a
// texture, and large bodies copied straight to an output by the kernel where the system can.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/ByteSource.h"

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
    int Descriptor() const override { return descriptor_; }

private:
    std::string path_;
    int descriptor_ = -1;  // where the kernel can copy from it
#ifdef _WIN32
    void* handle_ = nullptr;
#endif
    std::uint64_t size_ = 0;
};

}  // namespace pelliton
