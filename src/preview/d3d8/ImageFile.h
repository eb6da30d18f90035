// An image file opened for reading, its size known up front so that a reader can check what a
// header declares against what is there before it allocates.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

namespace pelliton::d3d8 {

// Sides beyond this are absurd for a texture and refused before anything is sized from them.
inline constexpr std::uint32_t kLargestTextureSide = 16384;

// Throws TextureLoadError (invalid data) unless both sides lie in 1 to kLargestTextureSide.
void RequireSensibleTextureSize(std::uint32_t width, std::uint32_t height);

class ImageFile {
public:
    // Throws TextureLoadError (D3DERR_NOTAVAILABLE) when path is not a regular file that can be
    // opened for reading.
    void Open(const std::filesystem::path& path);

    std::uint64_t Size() const { return size_; }

    // Fills bytes from offset on; false, and nothing promised about bytes, when the file ends first.
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes);

private:
    std::ifstream stream_;
    std::uint64_t size_ = 0;
};

}  // namespace pelliton::d3d8
