// Reads a block-compressed DDS file (DXT1, DXT3 or DXT5) whose texel data goes into a texture as it is.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace pelliton {

struct DdsImage {
    std::uint32_t fourCC = 0;  // dds::kDxt1, kDxt3 or kDxt5
    int width = 0;
    int height = 0;
    int mipLevels = 0;                     // 1 when the file declares no MIP count
    std::span<const std::uint8_t> texels;  // the whole MIP chain, largest level first, inside file
};

// Throws PellitonError naming the file (name) and the problem: not a DDS file, a format other
// than DXT1, DXT3 or DXT5, a side of 0 or above kMaxPictureSide, more MIP levels than the sides
// allow, or texel data whose length is not exactly that of its MIP chain.
DdsImage ReadDdsImage(std::span<const std::uint8_t> file, std::string_view name);

}  // namespace pelliton
