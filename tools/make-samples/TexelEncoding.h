// The texel data of an RSH data chunk, encoded from RGBA pictures.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "make-samples/RgbaImage.h"

namespace pelliton {

// libsquish's flag for a block-compressed image type; throws PellitonError for any other type.
int SquishFormat(std::int32_t imageType);

// libsquish's flag for the fourCC "DXT1", "DXT3" or "DXT5"; throws PellitonError for any other.
int SquishFormat(std::string_view fourCC);

// Block-compresses the picture in the format of a block-compressed image type, and each of
// the mipLevels - 1 smaller levels after it, largest first. Blocks run left to right, top row
// first. DXT1 turns texels with alpha below 128 into transparent black.
std::vector<std::uint8_t> CompressDxtMipChain(const RgbaImage& image, std::int32_t imageType, int mipLevels);

// Red, green, blue, alpha per texel, bottom row first: the exported file of this type declares a
// lower-left origin, so the rows are kept in that order.
std::vector<std::uint8_t> EncodeUncompressed(const RgbaImage& image);

}  // namespace pelliton
