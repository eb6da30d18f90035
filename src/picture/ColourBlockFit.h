// Chooses the end points and indices of one DXT colour block.
#pragma once

#include <cstdint>

namespace pelliton {

// Encodes a block's 16 texels (red, green, blue, alpha each, rows of 4 from the top) as the 8 bytes of
// a colour block. With oneBitAlpha (DXT1) texels with alpha below 128 become transparent black, and
// the three-colour mode is used where it keeps the colours better; otherwise the block always decodes
// in four-colour mode, as DXT3 and DXT5 read it.
void EncodeColourBlock(const std::uint8_t* rgba, bool oneBitAlpha, std::uint8_t* block);

}  // namespace pelliton
