// Pictures of one colour (0xRRGGBB) for tests: an RSH texture file, and a TGA file as our exporter writes one.
#pragma once

#include <cstdint>
#include <vector>

#include "rshwrite/RshWriter.h"

namespace pelliton::testing {

// Texels stored red, green, blue, alpha, as the file format keeps them.
inline std::vector<std::uint8_t> PlainRshTexture(std::uint32_t rgb, std::int32_t imageType = kImageTypeUncompressed,
                                                 std::int32_t width = 16, std::int32_t height = 16) {
    std::vector<std::uint8_t> texels;
    for (std::int32_t i = 0; i < width * height; ++i) {
        texels.insert(texels.end(), {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                                     static_cast<std::uint8_t>(rgb), 255});
    }
    return WriteRshBytes(MakeTextureRecords(imageType, width, height, 1, width * height * 4), texels);
}

// 16 x 16, 32 bits, pixels stored blue, green, red, alpha.
inline std::vector<std::uint8_t> PlainTgaFile(std::uint32_t rgb) {
    std::vector<std::uint8_t> file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 32, 0};
    for (int i = 0; i < 16 * 16; ++i) {
        file.insert(file.end(), {static_cast<std::uint8_t>(rgb), static_cast<std::uint8_t>(rgb >> 8),
                                 static_cast<std::uint8_t>(rgb >> 16), 255});
    }
    return file;
}

}  // namespace pelliton::testing
