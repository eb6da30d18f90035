// Reads a block-compressed DDS file (DXT1, DXT3 or DXT5, or BC1, BC2 or BC3 in a DX10 file) whose
// texel data goes into a texture as it is.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "common/ByteSource.h"

namespace pelliton {

struct DdsImage {
    std::uint32_t fourCC = 0;  // dds::kDxt1, kDxt3 or kDxt5, also for the same blocks in a DX10 file
    int width = 0;
    int height = 0;
    int mipLevels = 0;  // 1 when the file declares no MIP count
    // Where the whole MIP chain lies in the file, largest level first: it is copied from there,
    // never read in whole.
    std::uint64_t texelOffset = 0;
    std::uint64_t texelBytes = 0;
};

// Throws PellitonError naming the file (name) and the problem: not a DDS file, a format other
// than DXT1, DXT3 or DXT5 (a DX10 file's by its DXGI name), a cube map, volume or array, a side of 0
// or above kLargestImageSide, more MIP levels than the sides allow, or texel data whose length is
// not exactly that of its MIP chain. Only the header, and a DX10 file's extension, are read.
DdsImage ReadDdsImage(const ByteSource& file, std::string_view name);
inline DdsImage ReadDdsImage(std::span<const std::uint8_t> file, std::string_view name) {
    return ReadDdsImage(MemorySource(file), name);
}

}  // namespace pelliton
