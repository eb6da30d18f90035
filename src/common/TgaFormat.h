// The TGA file layout, as the exporter writes it and the preview and the picture reader read it
// back: the stored bytes of a plain struct, fields named once, and the checks every reader makes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "common/ImageSides.h"

namespace pelliton::tga {

static_assert(std::endian::native == std::endian::little, "file headers are stored as they lie in memory");

inline constexpr std::uint8_t kNoColourMap = 0;
inline constexpr std::uint8_t kTrueColour = 2;            // uncompressed
inline constexpr std::uint8_t kTrueColourRunLength = 10;  // in run-length packets
inline constexpr std::uint8_t kGrey = 3;                  // uncompressed
inline constexpr std::uint8_t kGreyRunLength = 11;        // in run-length packets
inline constexpr std::uint8_t kRightToLeft = 0x10;  // descriptor bit 4: the first stored column is the rightmost
inline constexpr std::uint8_t kTopToBottom = 0x20;  // descriptor bit 5: the first stored row is the top
inline constexpr std::uint8_t kDepthRgb = 24;
inline constexpr std::uint8_t kDepthRgba = 32;
inline constexpr std::uint8_t kDepthGrey = 8;
inline constexpr std::uint8_t kDepthGreyAlpha = 16;  // a grey byte, then an alpha byte

// A run-length packet is a header byte, then one pixel repeated or as many raw pixels.
inline constexpr std::uint8_t kRunPacket = 0x80;        // header bit 7: one pixel repeated
inline constexpr std::uint8_t kPacketCountBits = 0x7F;  // header bits 0-6: pixels - 1
inline constexpr std::uint64_t kLargestPacket = 128;    // pixels

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

// The sides are unsigned 16-bit values, though our writer fills them from signed ones.
constexpr std::uint16_t Width(const FileHeader& header) { return static_cast<std::uint16_t>(header.ImageWidth); }
constexpr std::uint16_t Height(const FileHeader& header) { return static_cast<std::uint16_t>(header.ImageHeight); }

// Where the picture's row y (0 at the top) and column x (0 at the left) are stored, in the order the
// image descriptor declares; the same turns a stored row or column into the picture's.
constexpr int StoredRow(const FileHeader& header, int y) {
    return (header.ImageDescriptor & kTopToBottom) != 0 ? y : Height(header) - 1 - y;
}
constexpr int StoredColumn(const FileHeader& header, int x) {
    return (header.ImageDescriptor & kRightToLeft) != 0 ? Width(header) - 1 - x : x;
}

// Pixels are stored blue, green, red(, alpha), or grey(, alpha), after the header and its ID field.
constexpr std::size_t BytesPerPixel(const FileHeader& header) { return header.PixelDepth / 8U; }
constexpr std::size_t PixelsOffset(const FileHeader& header) { return sizeof(FileHeader) + header.IdLength; }

constexpr bool IsGrey(const FileHeader& header) {
    return header.ImageType == kGrey || header.ImageType == kGreyRunLength;
}
constexpr bool IsRunLength(const FileHeader& header) {
    return header.ImageType == kTrueColourRunLength || header.ImageType == kGreyRunLength;
}

// The checks of every reader, in the header's order; each reader words what they find.
enum class HeaderFault { kNone, kColourMap, kImageType, kPixelDepth, kSides };

// The image types a reader reads besides uncompressed true colour.
struct ImageTypesRead {
    bool runLength = false;
    bool grey = false;
};

// True colour at 24 or 32 bits, grey (when read) at 8 or 16; uncompressed or, when read, in
// run-length packets.
constexpr HeaderFault FindHeaderFault(const FileHeader& header, ImageTypesRead read) {
    if (header.ColourMapType != kNoColourMap) return HeaderFault::kColourMap;
    const bool trueColour = header.ImageType == kTrueColour || header.ImageType == kTrueColourRunLength;
    if (!(trueColour || (IsGrey(header) && read.grey)) || (IsRunLength(header) && !read.runLength)) {
        return HeaderFault::kImageType;
    }
    const bool depthRead = IsGrey(header) ? header.PixelDepth == kDepthGrey || header.PixelDepth == kDepthGreyAlpha
                                          : header.PixelDepth == kDepthRgb || header.PixelDepth == kDepthRgba;
    if (!depthRead) return HeaderFault::kPixelDepth;
    if (!SidesInRange(Width(header), Height(header))) return HeaderFault::kSides;
    return HeaderFault::kNone;
}

}  // namespace pelliton::tga
