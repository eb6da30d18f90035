// Bounded reads from an image file.
#include "ImageFile.h"

#include <system_error>

namespace pelliton::d3d8 {

HRESULT ImageFile::Open(const std::filesystem::path& path) {
    // file_size fails for missing files, directories and devices, so nothing unbounded is opened.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return D3DERR_NOTAVAILABLE;
    stream_.open(path, std::ios::binary);
    if (!stream_) return D3DERR_NOTAVAILABLE;
    size_ = size;
    return D3D_OK;
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
