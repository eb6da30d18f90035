// Encodes pictures as DXT blocks with libsquish.
#pragma once

#include <cstdint>
#include <vector>

#include "picture/RgbaPicture.h"

namespace pelliton {

// The blocks of one level in the format fourCC (dds::kDxt1, kDxt3 or kDxt5), rows of blocks from
// the top down, with libsquish's slower, higher-quality colour fit. DXT1 keeps one bit of alpha:
// texels with alpha below 128 become transparent black.
std::vector<std::uint8_t> EncodeDxt(const RgbaPicture& picture, std::uint32_t fourCC);

}  // namespace pelliton
