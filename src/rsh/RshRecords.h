// The records of an RSH texture file as the window reads them, front to back, and the texel arrays
// behind them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/TgaFormat.h"
#include "common/UninitialisedAllocator.h"
#include "rsh/ChunkHeader.h"
#include "rsh/TextureFormats.h"

namespace pelliton {

// The name is kept without its zero bytes.
struct NamedChunk : ChunkHeader {
    std::string name;
};

struct HeadChunk : ChunkHeader {
    std::int32_t formatCode = 0;   // TextureFormat::headCode in the game's files
    std::int32_t secondValue = 0;  // 1 in every file seen
};

// What a texture's DATAATTR holds: enough to size and export its texels.
struct TextureAttributes {
    std::int32_t imageType = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t mipLevels = 0;
};

struct AttributesChunk : ChunkHeader, TextureAttributes {};

// Memory order of an uncompressed texel; the file stores it as red, green, blue, alpha.
struct RshPixel {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
    std::uint8_t alpha;
};
static_assert(sizeof(RshPixel) == 4);

// Laid out as the TGA export writes them, after its header, so that the kernel copies them fast.
using RshPixelArray = std::vector<RshPixel, UninitialisedAllocator<RshPixel, sizeof(tga::FileHeader) % 64>>;

// Everything one read leaves behind, named after the chunks the game's files hold at each place;
// the reader itself checks no tag. The texel arrays are only resized by a read whose image type
// uses them, so after another type they still hold an earlier file's data.
struct RshRecords {
    RshFileHeader fileHeader;
    NamedChunk outerFolder;    // FOLDSHRF
    NamedChunk textureFolder;  // FOLDTXTR
    HeadChunk head;            // DATAHEAD
    NamedChunk imageFolder;    // FOLDIMAG: read to move past it, never shown
    AttributesChunk attributes;  // DATAATTR
    ChunkHeader data;          // DATADATA
    UninitialisedBytes blockTexels;  // block-compressed types
    RshPixelArray pixels;            // uncompressed type
};

}  // namespace pelliton
