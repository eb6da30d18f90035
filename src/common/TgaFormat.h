// The TGA file header, as the exporter writes it and the preview reads it back: the stored bytes of
// a plain struct, fields named once.
#pragma once

#include <bit>
#include <cstdint>

namespace pelliton::tga {

static_assert(std::endian::native == std::endian::little, "file headers are stored as they lie in memory");

inline constexpr std::uint8_t kNoColourMap = 0;
inline constexpr std::uint8_t kTrueColour = 2;      // uncompressed; 10 is run-length encoded
inline constexpr std::uint8_t kRightToLeft = 0x10;  // descriptor bit 4: the first stored column is the rightmost
inline constexpr std::uint8_t kTopToBottom = 0x20;  // descriptor bit 5: the first stored row is the top
inline constexpr std::uint8_t kDepthRgb = 24;
inline constexpr std::uint8_t kDepthRgba = 32;

#pragma pack(push, 1)
struct FileHeader {
    std::uint8_t IdLength = 0;  // bytes of an ID field between header and pixels
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
#pragma pack(pop)
static_assert(sizeof(FileHeader) == 18);

}  // namespace pelliton::tga
