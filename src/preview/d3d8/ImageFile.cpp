// Bounded reads from an image file.
#include "preview/d3d8/ImageFile.h"

#include <string>
#include <system_error>

#include "preview/d3d8/TextureLoadError.h"

namespace pelliton::d3d8 {

void RequireSensibleTextureSize(std::uint32_t width, std::uint32_t height) {
    const auto sensible = [](std::uint32_t side) { return side >= 1 && side <= kLargestTextureSide; };
    if (!sensible(width) || !sensible(height)) {
        throw InvalidTexture("its size " + std::to_string(width) + " x " + std::to_string(height) +
                             " is outside 1 to " + std::to_string(kLargestTextureSide) + " texels a side");
    }
}

void ImageFile::Open(const std::filesystem::path& path) {
    // file_size fails for missing files, directories and devices, so nothing unbounded is opened.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) throw TextureLoadError(D3DERR_NOTAVAILABLE, error.message());
    stream_.open(path, std::ios::binary);
    if (!stream_) throw TextureLoadError(D3DERR_NOTAVAILABLE, "it cannot be opened for reading");
    size_ = size;
}

bool ImageFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) {
    if (offset > size_ || bytes.size() > size_ - offset) return false;
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    // The stream reads chars; the bytes are copied, not reinterpreted.
    stream_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return stream_.gcount() == static_cast<std::streamsize>(bytes.size());
}

}  // namespace pelliton::d3d8
