// The block-compressed formats a texture can hold: block size and texel decoder by format code,
// and the size of a level, read alike by the DDS reader and the block texture.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/DxtTexel.h"

namespace pelliton::d3d8 {

using DxtTexelDecoder = D3DCOLOR (*)(std::span<const std::uint8_t> block, int x, int y);
using DxtColourDecoder = std::uint32_t (*)(std::span<const std::uint8_t> block, int x, int y);

struct DxtFormat {
    DWORD format;  // D3DFMT_DXT1, _DXT3 or _DXT5: also the fourCC as a DDS file stores it
    std::size_t bytesPerBlock;
    DxtTexelDecoder texel;
    DxtColourDecoder colour;  // the texel without its alpha
};

inline constexpr std::array kDxtFormats = {
    DxtFormat{D3DFMT_DXT1, kDxt1BlockBytes, Dxt1Texel, Dxt1TexelColour},
    DxtFormat{D3DFMT_DXT3, kDxt35BlockBytes, Dxt3Texel, Dxt35TexelColour},
    DxtFormat{D3DFMT_DXT5, kDxt35BlockBytes, Dxt5Texel, Dxt35TexelColour},
};

// The format with that code, or nullptr when it is not block-compressed.
constexpr const DxtFormat* FindDxtFormat(DWORD format) {
    for (const DxtFormat& dxt : kDxtFormats) {
        if (dxt.format == format) return &dxt;
    }
    return nullptr;
}

// Blocks along a side: a partial block at the edge counts whole, and a side under 4 still has one.
constexpr std::size_t DxtBlocksAlong(int texels) { return static_cast<std::size_t>(std::max(1, (texels + 3) / 4)); }

constexpr std::size_t DxtLevelBytes(const DxtFormat& dxt, int width, int height) {
    return DxtBlocksAlong(width) * DxtBlocksAlong(height) * dxt.bytesPerBlock;
}

}  // namespace pelliton::d3d8
