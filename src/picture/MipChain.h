// The smaller levels of a MIP chain, made from a picture by a 2 x 2 box filter.
#pragma once

#include <vector>

#include "picture/RgbaPicture.h"

namespace pelliton {

// Levels of a full chain: the sides halve (rounding down, never below 1) until both are 1.
int FullMipLevels(int width, int height);

// The first levels of the picture's chain, the picture itself first. Each texel of a level is the
// rounded mean, channel by channel, of the 2 x 2 texels above it; a side of 1 averages the two
// texels along the other side. levels is 1 to FullMipLevels.
std::vector<RgbaPicture> MakeMipChain(const RgbaPicture& picture, int levels);

}  // namespace pelliton
