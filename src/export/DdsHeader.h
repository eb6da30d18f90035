// The 128-byte header of the DDS files we write for block-compressed textures.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "rsh/modRSH.h"

namespace pelliton {

inline constexpr std::int32_t DDSD_CAPS = 0x1;
inline constexpr std::int32_t DDSD_HEIGHT = 0x2;
inline constexpr std::int32_t DDSD_WIDTH = 0x4;
inline constexpr std::int32_t DDSD_PIXELFORMAT = 0x1000;
inline constexpr std::int32_t DDSD_MIPMAPCOUNT = 0x20000;
inline constexpr std::int32_t DDSD_LINEARSIZE = 0x80000;
inline constexpr std::int32_t DDPF_FOURCC = 0x4;
inline constexpr std::int32_t DDSCAPS_COMPLEX = 0x8;
inline constexpr std::int32_t DDSCAPS_TEXTURE = 0x1000;
inline constexpr std::int32_t DDSCAPS_MIPMAP = 0x400000;

inline constexpr std::int32_t kDdsHeaderSize = 124;       // dwSize: the header less its magic
inline constexpr std::int32_t kDdsPixelFormatSize = 32;   // ddspf.dwSize
inline constexpr std::size_t kDdsFileHeaderBytes = 128;   // magic and header as stored

struct DdsPixelFormat {
    std::int32_t dwSize = 0;
    std::int32_t dwFlags = 0;
    std::array<char, 4> dwFourCC{};
    std::int32_t dwRGBBitCount = 0;
    std::int32_t dwRBitMask = 0;
    std::int32_t dwGBitMask = 0;
    std::int32_t dwBBitMask = 0;
    std::int32_t dwABitMask = 0;
};

// One dwReserved1 value fills all eleven reserved words and dwReserved2; dwCaps3 is written as
// dwCaps3 and dwCaps4. Tools that read our files see exactly that layout.
struct DdsFileHeader {
    std::array<char, 4> dwMagic{};
    std::int32_t dwSize = 0;
    std::int32_t dwFlags = 0;
    std::int32_t dwHeight = 0;
    std::int32_t dwWidth = 0;
    std::int32_t dwPitchOrLinearSize = 0;
    std::int32_t dwDepth = 0;
    std::int32_t dwMipMapCount = 0;
    std::int32_t dwReserved1 = 0;
    DdsPixelFormat ddspf;
    std::int32_t dwCaps = 0;
    std::int32_t dwCaps2 = 0;
    std::int32_t dwCaps3 = 0;
};

// The header of a block-compressed texture. Throws PellitonError when a DXT5 texture's
// width x height leaves the 32-bit signed range.
DdsFileHeader MakeDdsHeader(const TextureFormat& format, const RshAttrChunk& attr, std::int32_t dataSize);

std::array<std::uint8_t, kDdsFileHeaderBytes> EncodeDdsHeader(const DdsFileHeader& header);

}  // namespace pelliton
