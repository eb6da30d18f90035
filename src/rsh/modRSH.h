// The records of an RSH texture file as the loader fills them, and the texel arrays behind them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/TgaFormat.h"
#include "common/UninitialisedAllocator.h"
#include "rsh/TextureFormats.h"

namespace pelliton {

inline constexpr std::size_t kSignatureLength = 12;
inline constexpr std::size_t kSignatureEndLength = 4;
inline constexpr std::size_t kTagLength = 4;  // ChunkType and ChunkId

// Texts hold one char per file byte; a zero byte stays a zero char.
struct RshFileHeader {
    std::string Signature;
    std::string SignatureEnd;
    std::int32_t HeaderLong1 = 0;
    std::int32_t HeaderLong2 = 0;
};

// The five fields every chunk starts with.
struct RshChunkHeader {
    std::string ChunkType;
    std::string ChunkId;
    std::int32_t ChunkLong1 = 0;
    std::int32_t ChunkSize = 0;   // byte count of the chunk's data
    std::int32_t NameLength = 0;  // byte count of the name that follows, if the chunk has one
};

struct RshNamedChunk : RshChunkHeader {
    std::string ChunkName;
};

struct RshHeadChunk : RshChunkHeader {
    std::int32_t HeadValue1 = 0;
    std::int32_t HeadValue2 = 0;
};

struct RshAttrChunk : RshChunkHeader {
    std::int32_t ImageType = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t MipLevels = 0;
};

struct RshDataChunk : RshChunkHeader {};

// Memory order of an uncompressed texel; the file stores it as red, green, blue, alpha.
struct RshPixel {
    std::uint8_t Blue;
    std::uint8_t Green;
    std::uint8_t Red;
    std::uint8_t Alpha;
};
static_assert(sizeof(RshPixel) == 4);

// Laid out as the TGA export writes them, after its header, so that the kernel copies them fast.
using RshPixelArray = std::vector<RshPixel, UninitialisedAllocator<RshPixel, sizeof(tga::FileHeader) % 64>>;

// Everything one load leaves behind. The texel arrays are only resized by a load whose
// image type uses them, so after another type they still hold an earlier file's data.
struct modRSH {
    RshFileHeader FileHeader;
    RshNamedChunk NamedChunk1;
    RshNamedChunk NamedChunk2;
    RshHeadChunk HeadChunk;
    RshNamedChunk NamedChunk3;
    RshAttrChunk AttrChunk;
    RshDataChunk DataChunk;
    UninitialisedBytes TexelBytes;  // block-compressed types
    RshPixelArray TexelPixels;             // uncompressed type; element 0 is texel 1
};

}  // namespace pelliton
