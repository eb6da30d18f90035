// The DDS file layout, as the exporter writes it and the preview and the picture reader read it
// back: the stored bytes of a plain struct, flags named once, and the checks every reader makes.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/ImageSides.h"

namespace pelliton::dds {

static_assert(std::endian::native == std::endian::little, "file headers are stored as they lie in memory");

// Four characters as a little-endian 32-bit code: how a DDS file stores them, and how Direct3D
// names the block-compressed formats.
constexpr std::uint32_t FourCC(std::string_view chars) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(chars[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(chars[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(chars[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(chars[3])) << 24;
}

inline constexpr std::uint32_t kMagic = FourCC("DDS ");
inline constexpr std::uint32_t kDxt1 = FourCC("DXT1");
inline constexpr std::uint32_t kDxt3 = FourCC("DXT3");
inline constexpr std::uint32_t kDxt5 = FourCC("DXT5");
inline constexpr std::uint32_t kDx10 = FourCC("DX10");  // the format is named in a HeaderDxt10

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
inline constexpr std::int32_t DDSCAPS2_CUBEMAP = 0x200;
inline constexpr std::int32_t DDSCAPS2_VOLUME = 0x200000;

// Fields are signed as our records are: a value is stored with the same 32 bits either way.
struct PixelFormat {
    std::int32_t dwSize = 0;
    std::int32_t dwFlags = 0;
    std::uint32_t dwFourCC = 0;
    std::int32_t dwRGBBitCount = 0;
    std::int32_t dwRBitMask = 0;
    std::int32_t dwGBitMask = 0;
    std::int32_t dwBBitMask = 0;
    std::int32_t dwABitMask = 0;
};
static_assert(sizeof(PixelFormat) == 32);

// The magic and the header as stored; the texel data follows.
struct FileHeader {
    std::uint32_t dwMagic = 0;
    std::int32_t dwSize = 0;  // of the header less its magic
    std::int32_t dwFlags = 0;
    std::int32_t dwHeight = 0;
    std::int32_t dwWidth = 0;
    std::int32_t dwPitchOrLinearSize = 0;
    std::int32_t dwDepth = 0;
    std::int32_t dwMipMapCount = 0;
    std::array<std::int32_t, 11> dwReserved1{};
    PixelFormat ddspf;
    std::int32_t dwCaps = 0;
    std::int32_t dwCaps2 = 0;
    std::int32_t dwCaps3 = 0;
    std::int32_t dwCaps4 = 0;
    std::int32_t dwReserved2 = 0;
};
static_assert(sizeof(FileHeader) == 128);

inline constexpr std::int32_t kHeaderSize = sizeof(FileHeader) - sizeof(FileHeader::dwMagic);
inline constexpr std::int32_t kPixelFormatSize = sizeof(PixelFormat);

// The extension that follows the header when the pixel format's code is kDx10; the texel data
// follows it.
struct HeaderDxt10 {
    std::uint32_t dxgiFormat = 0;
    std::uint32_t resourceDimension = 0;
    std::uint32_t miscFlag = 0;
    std::uint32_t arraySize = 0;  // textures in the file; a cube map counts its cubes
    std::uint32_t miscFlags2 = 0;
};
static_assert(sizeof(HeaderDxt10) == 20);

inline constexpr std::uint32_t DDS_DIMENSION_TEXTURE1D = 2;
inline constexpr std::uint32_t DDS_DIMENSION_TEXTURE2D = 3;
inline constexpr std::uint32_t DDS_DIMENSION_TEXTURE3D = 4;
inline constexpr std::uint32_t DDS_RESOURCE_MISC_TEXTURECUBE = 0x4;

// Each of BC1, BC2 and BC3 is three DXGI formats in a row: typeless, UNORM and UNORM_SRGB.
inline constexpr std::uint32_t DXGI_FORMAT_BC1_TYPELESS = 70;
inline constexpr std::uint32_t DXGI_FORMAT_BC2_TYPELESS = 73;
inline constexpr std::uint32_t DXGI_FORMAT_BC3_TYPELESS = 76;
inline constexpr std::uint32_t DXGI_FORMAT_BC3_UNORM_SRGB = 78;

// A header of another size is refused as it is, before anything after it is read.
constexpr bool HasDx10Extension(const FileHeader& header) {
    return header.dwSize == kHeaderSize && (header.ddspf.dwFlags & DDPF_FOURCC) != 0 &&
           header.ddspf.dwFourCC == kDx10;
}

// The four-character code of the DXT format whose blocks a DXGI format stores, or 0: BC1 is DXT1,
// BC2 DXT3 and BC3 DXT5, whatever the colour space.
constexpr std::uint32_t FourCCOfDxgiFormat(std::uint32_t dxgiFormat) {
    if (dxgiFormat < DXGI_FORMAT_BC1_TYPELESS || dxgiFormat > DXGI_FORMAT_BC3_UNORM_SRGB) return 0;
    if (dxgiFormat < DXGI_FORMAT_BC2_TYPELESS) return kDxt1;
    return dxgiFormat < DXGI_FORMAT_BC3_TYPELESS ? kDxt3 : kDxt5;
}

// The colour half of a DXT block: two 5:6:5 end points, then a byte of 2-bit indices per row.
inline constexpr std::size_t kColourBlockBytes = 8;

// Bytes of one 4 x 4 block of a block-compressed format: a colour block for DXT1; for DXT3 and
// DXT5 an alpha block of the same size, then a colour block; 0 for any other code.
constexpr std::size_t BlockBytes(std::uint32_t fourCC) {
    if (fourCC == kDxt1) return kColourBlockBytes;
    return fourCC == kDxt3 || fourCC == kDxt5 ? 2 * kColourBlockBytes : 0;
}

// Blocks along a side: a partial block at the edge counts whole, and a side under 4 still has one.
constexpr std::size_t BlocksAlong(int texels) { return static_cast<std::size_t>(texels < 4 ? 1 : (texels + 3) / 4); }

constexpr std::size_t LevelBytes(std::uint32_t fourCC, int width, int height) {
    return BlocksAlong(width) * BlocksAlong(height) * BlockBytes(fourCC);
}

// Bytes of the first levels of a MIP chain, largest first: each level halves both sides, down to 1.
constexpr std::size_t MipChainBytes(std::uint32_t fourCC, int width, int height, int levels) {
    std::size_t bytes = 0;
    for (int level = 0; level < levels; ++level) {
        bytes += LevelBytes(fourCC, std::max(1, width >> level), std::max(1, height >> level));
    }
    return bytes;
}

// A four-character code as a user reads it, quoted; bytes that are no printable letter show as '?'.
inline std::string FourCCText(std::uint32_t code) {
    std::string text = "\"";
    for (int shift = 0; shift < 32; shift += 8) {
        const auto letter = static_cast<char>(code >> shift);
        text += letter >= ' ' && letter <= '~' ? letter : '?';
    }
    return text + "\"";
}

// The words in which readers differ when they refuse a header.
struct RefusalWording {
    bool namesBitCount;            // "uncompressed 32-bit" rather than "uncompressed"
    std::string_view formatsRead;  // follows "its DDS pixel format is ...; "
    std::string_view sideUnit;     // what a side counts: "pixels", "texels"
};

// The checks every reader makes after the magic, which tells a DDS file from others, in the
// header's order: header size, pixel format, sides. The reason the header is refused, or nothing
// when it passes them all.
inline std::optional<std::string> HeaderRefusal(const FileHeader& header, const RefusalWording& wording) {
    if (header.dwSize != kHeaderSize) {
        return "its DDS header size is " + std::to_string(header.dwSize) + ", not " + std::to_string(kHeaderSize);
    }
    const PixelFormat& format = header.ddspf;
    const bool hasFourCC = (format.dwFlags & DDPF_FOURCC) != 0;
    if (!hasFourCC || BlockBytes(format.dwFourCC) == 0) {
        const std::string bits = std::to_string(format.dwRGBBitCount);
        const std::string stored = hasFourCC               ? FourCCText(format.dwFourCC)
                                   : wording.namesBitCount ? "uncompressed " + bits + "-bit"
                                                           : "uncompressed";
        return "its DDS pixel format is " + stored + "; " + std::string(wording.formatsRead);
    }
    // Stored signed: a negative side reads as a huge one and is refused with it.
    const auto width = static_cast<std::uint32_t>(header.dwWidth);
    const auto height = static_cast<std::uint32_t>(header.dwHeight);
    if (!SidesInRange(width, height)) return SidesOutOfRange(width, height, wording.sideUnit);
    return std::nullopt;
}

}  // namespace pelliton::dds
