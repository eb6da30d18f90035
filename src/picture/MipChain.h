// The smaller levels of a MIP chain, made from a picture by a 2 x 2 box filter.
#pragma once

#include <vector>

#include "picture/RgbaPicture.h"

namespace pelliton {

// Levels of a full chain: the sides halve (rounding down, never below 1) until both are 1.
int FullMipLevels(int width, int height);

// Throws a PellitonError unless levels is 1 to FullMipLevels of the picture's sides.
void CheckMipLevels(const RgbaPicture& picture, int levels);

// The level below `above`, its sides halved (rounding down, never below 1) and its texels still to
// be filled by FilterMipRows.
RgbaPicture MipLevelBelow(const RgbaPicture& above);

// Rows [first, end) of `level`, the level below `above`: each texel is the rounded mean, channel by
// channel, of the 2 x 2 texels above it; a side of 1 averages the two texels along the other side,
// and an odd side's last row or column is left out. Rows apart may be filled on threads apart.
void FilterMipRows(const RgbaPicture& above, RgbaPicture& level, int first, int end);

// The first levels of the picture's chain, the picture itself first, each filtered from the one
// above. levels is 1 to FullMipLevels.
std::vector<RgbaPicture> MakeMipChain(const RgbaPicture& picture, int levels);

}  // namespace pelliton
