// The 18-byte header of the uncompressed 32-bit TGA files we write.
#pragma once

#include <array>
#include <cstdint>

#include "rsh/modRSH.h"

namespace pelliton {

inline constexpr std::uint8_t kTgaTrueColour = 2;  // uncompressed true-colour image type
inline constexpr std::uint8_t kTgaPixelDepth = 32;
inline constexpr std::size_t kTgaHeaderBytes = 18;

// Descriptor 0: no attribute bits are declared and the origin is the lower left, so readers
// take the first stored row as the bottom row. Rows are written as the texture stores them.
struct TgaFileHeader {
    std::uint8_t IdLength = 0;
    std::uint8_t ColourMapType = 0;
    std::uint8_t ImageType = 0;
    std::int16_t ColourMapFirstEntry = 0;
    std::int16_t ColourMapLength = 0;
    std::uint8_t ColourMapEntrySize = 0;
    std::int16_t XOrigin = 0;
    std::int16_t YOrigin = 0;
    std::int16_t ImageWidth = 0;
    std::int16_t ImageHeight = 0;
    std::uint8_t PixelDepth = 0;
    std::uint8_t ImageDescriptor = 0;
};

// Throws PellitonError when the width or height leaves the 16-bit signed range.
TgaFileHeader MakeTgaHeader(const RshAttrChunk& attr);

std::array<std::uint8_t, kTgaHeaderBytes> EncodeTgaHeader(const TgaFileHeader& header);

}  // namespace pelliton
