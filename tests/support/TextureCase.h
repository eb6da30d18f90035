// A texture of one image type and size, as a parameter of table-driven tests.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "rsh/TextureFormats.h"

namespace pelliton::testing {

struct TextureCase {
    std::int32_t imageType;
    int width;
    int height;

    // "DXT5_512x256", "TGA_64x32": a test name and a file name.
    std::string Name() const {
        const std::string_view fourCC = FindTextureFormat(imageType)->fourCC;
        return (fourCC.empty() ? std::string("TGA") : std::string(fourCC)) + "_" + std::to_string(width) + "x" +
               std::to_string(height);
    }
    friend void PrintTo(const TextureCase& c, std::ostream* os) { *os << c.Name(); }
};

}  // namespace pelliton::testing
