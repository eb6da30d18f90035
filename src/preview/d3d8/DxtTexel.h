// Decodes one texel of a DXT1, DXT3 or DXT5 block, so that a texture can keep its blocks as stored
// and decode only what is sampled. The results equal libsquish's decoder bit for bit.
#pragma once

#include <cstdint>
#include <span>

#include "preview/d3d8/D3D8Types.h"

namespace pelliton::d3d8 {

inline constexpr std::size_t kDxt1BlockBytes = 8;    // one colour block
inline constexpr std::size_t kDxt35BlockBytes = 16;  // an alpha block, then a colour block

// block holds one block of the format; 0 <= x, y < 4 address the texel within it, row 0 at the top.
// The result is 0xAARRGGBB.
D3DCOLOR Dxt1Texel(std::span<const std::uint8_t> block, int x, int y);
D3DCOLOR Dxt3Texel(std::span<const std::uint8_t> block, int x, int y);
D3DCOLOR Dxt5Texel(std::span<const std::uint8_t> block, int x, int y);

// The colour of the same texel without decoding its alpha, 0x00RRGGBB.
std::uint32_t Dxt1TexelColour(std::span<const std::uint8_t> block, int x, int y);
std::uint32_t Dxt35TexelColour(std::span<const std::uint8_t> block, int x, int y);  // DXT3 and DXT5 alike

}  // namespace pelliton::d3d8
