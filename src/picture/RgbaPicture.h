// A decoded picture: what an edited TGA or PNG file holds, ready to be encoded into a texture.
#pragma once

#include <cstdint>
#include <vector>

namespace pelliton {

// Rows run from the top of the picture down, each texel four bytes: red, green, blue, alpha.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4 bytes
};

// The largest side a picture may have: four times the largest textures the game uses, and small
// enough that a picture's size can never overflow.
inline constexpr int kMaxPictureSide = 16384;

}  // namespace pelliton
