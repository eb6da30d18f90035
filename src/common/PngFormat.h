// The PNG file layout, as the headless front end writes a frame and the picture reader checks a
// picture: the signature, the frame of a chunk and the image header, named once. Numbers are big-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pelliton::png {

inline constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A chunk is the length of its data, its type, the data, and a checksum of type and data.
inline constexpr std::size_t kChunkFrameBytes = 12;

// A chunk type as stored: four letters, read as a big-endian number.
constexpr std::uint32_t ChunkType(std::string_view letters) {
    std::uint32_t type = 0;
    for (const char letter : letters) type = type << 8 | static_cast<unsigned char>(letter);
    return type;
}

inline constexpr std::uint32_t kImageHeader = ChunkType("IHDR");  // the first chunk
inline constexpr std::uint32_t kImageData = ChunkType("IDAT");
inline constexpr std::uint32_t kImageEnd = ChunkType("IEND");

// The image header's data: width and height (4 bytes each), then bit depth, colour type,
// compression, filter and interlace methods (a byte each).
inline constexpr std::uint32_t kImageHeaderLength = 13;

// Samples per pixel of each colour type; 0 for a type PNG does not have.
constexpr int SamplesPerPixel(std::uint8_t colourType) {
    switch (colourType) {
        case 0: return 1;  // grey
        case 2: return 3;  // red, green, blue
        case 3: return 1;  // palette index
        case 4: return 2;  // grey, alpha
        case 6: return 4;  // red, green, blue, alpha
        default: return 0;
    }
}

}  // namespace pelliton::png
