// Pictures and plain bytes in tests: a picture's texels as bytes to compare, a picture made of bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "picture/RgbaPicture.h"

namespace pelliton::testing {

inline std::vector<std::uint8_t> TexelBytes(const RgbaPicture& picture) {
    return {picture.rgba.begin(), picture.rgba.end()};
}

inline RgbaPicture PictureOf(int width, int height, const std::vector<std::uint8_t>& rgba) {
    return {width, height, UninitialisedBytes(rgba.begin(), rgba.end())};
}

}  // namespace pelliton::testing
