// What a PNG file's header declares, and the sizes derived from it: the bytes of a row, the unit the
// filters work in, and the seven passes of an interlaced picture.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include <span>

#include "common/PngFormat.h"

namespace pelliton::png {

// PNG numbers are big-endian; bytes holds at least four.
constexpr std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// The image header's data (IHDR), as declared.
struct ImageHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bitDepth = 0;
    std::uint8_t colourType = 0;
    std::uint8_t compressionMethod = 0;
    std::uint8_t filterMethod = 0;
    std::uint8_t interlaceMethod = 0;
};

inline constexpr std::uint8_t kGrey = 0;
inline constexpr std::uint8_t kRgb = 2;
inline constexpr std::uint8_t kPalette = 3;
inline constexpr std::uint8_t kGreyAlpha = 4;
inline constexpr std::uint8_t kRgba = 6;

inline constexpr std::uint8_t kNotInterlaced = 0;
inline constexpr std::uint8_t kAdam7 = 1;

// The bit depths each colour type may have.
constexpr bool IsAllowedDepth(std::uint8_t colourType, std::uint8_t bitDepth) {
    switch (colourType) {
        case kGrey: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
        case kPalette: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
        case kRgb:
        case kGreyAlpha:
        case kRgba: return bitDepth == 8 || bitDepth == 16;
        default: return false;
    }
}

// Bytes of a row of width pixels, without its filter byte. At most 16384 x 4 x 2 bytes.
constexpr std::size_t RowBytes(const ImageHeader& header, std::uint32_t width) {
    const std::size_t bits =
        std::size_t{width} * static_cast<std::size_t>(SamplesPerPixel(header.colourType)) * header.bitDepth;
    return (bits + 7) / 8;
}

// The filters pair each byte with the same byte of the pixel before: a whole pixel, or one byte
// when pixels are smaller than a byte.
constexpr std::size_t FilterUnit(const ImageHeader& header) {
    const std::size_t bits = static_cast<std::size_t>(SamplesPerPixel(header.colourType)) * header.bitDepth;
    return bits < 8 ? 1 : bits / 8;
}

// One pass of Adam7: the pixels at (firstColumn + i * columnStep, firstRow + j * rowStep).
struct Pass {
    std::uint32_t firstColumn;
    std::uint32_t firstRow;
    std::uint32_t columnStep;
    std::uint32_t rowStep;

    // Pixels of this pass in a picture's side of length side, starting at first, every step.
    static constexpr std::uint32_t Count(std::uint32_t side, std::uint32_t first, std::uint32_t step) {
        return side > first ? (side - first + step - 1) / step : 0;
    }
    constexpr std::uint32_t Columns(std::uint32_t width) const { return Count(width, firstColumn, columnStep); }
    constexpr std::uint32_t Rows(std::uint32_t height) const { return Count(height, firstRow, rowStep); }
};

inline constexpr std::array<Pass, 7> kAdam7Passes = {{
    {0, 0, 8, 8},
    {4, 0, 8, 8},
    {0, 4, 4, 8},
    {2, 0, 4, 4},
    {0, 2, 2, 4},
    {1, 0, 2, 2},
    {0, 1, 1, 2},
}};

// A picture that is not interlaced is one pass over every pixel.
inline constexpr Pass kWholePicture = {0, 0, 1, 1};

}  // namespace pelliton::png
