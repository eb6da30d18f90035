// A decoded picture: what an edited TGA or PNG file holds, ready to be encoded into a texture.
#pragma once

#include <cstdint>
#include <vector>

#include "common/UninitialisedAllocator.h"

namespace pelliton {

// Rows run from the top of the picture down, each texel four bytes: red, green, blue, alpha.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    // width * height * 4 bytes; not zeroed when sized, as a decoder or filter writes every byte
    UninitialisedBytes rgba;
};

}  // namespace pelliton
