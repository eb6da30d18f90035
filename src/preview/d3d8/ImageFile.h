// An image file opened for reading, its size known up front so that a reader can check what a
// header declares against what is there before it allocates.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

#include "D3D8Types.h"

namespace pelliton::d3d8 {

// Sides beyond this are absurd for a texture and refused before anything is sized from them.
inline constexpr std::uint32_t kLargestTextureSide = 16384;

constexpr bool IsSensibleTextureSide(std::uint32_t texels) { return texels >= 1 && texels <= kLargestTextureSide; }

class ImageFile {
public:
    // D3DERR_NOTAVAILABLE when path is not a regular file that can be opened for reading.
    HRESULT Open(const std::filesystem::path& path);

    std::uint64_t Size() const { return size_; }

    // Fills bytes from offset on; false, and nothing promised about bytes, when the file ends first.
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes);

private:
    std::ifstream stream_;
    std::uint64_t size_ = 0;
};

}  // namespace pelliton::d3d8
