// Encodes the alpha of one block for DXT3 and DXT5.
#pragma once

#include <cstdint>

namespace pelliton {

// rgba: the block's 16 texels (red, green, blue, alpha each, rows of 4 from the top); block: 8 bytes.

// DXT3: each alpha rounded to the nearest of 4 bits.
void EncodeExplicitAlphaBlock(const std::uint8_t* rgba, std::uint8_t* block);

// DXT5: two end points and 3-bit indices, in whichever of the two modes (six values between the ends,
// or four between them plus 0 and 255) keeps the alpha closer.
void EncodeInterpolatedAlphaBlock(const std::uint8_t* rgba, std::uint8_t* block);

}  // namespace pelliton
