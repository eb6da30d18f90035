#include "export/DdsHeader.h"

#include <algorithm>
#include <limits>
#include <string>

#include "common/LittleEndianWriter.h"
#include "common/PellitonError.h"

namespace pelliton {

namespace {

std::array<char, 4> FourChars(std::string_view text) {
    std::array<char, 4> chars{};
    std::copy_n(text.begin(), chars.size(), chars.begin());
    return chars;
}

// DXT5 stores width x height as its linear size, whatever the size of the data.
std::int32_t Dxt5LinearSize(const RshAttrChunk& attr) {
    const std::int64_t product = std::int64_t{attr.Width} * attr.Height;
    if (product < std::numeric_limits<std::int32_t>::min() || product > std::numeric_limits<std::int32_t>::max()) {
        throw PellitonError("overflow: Width " + std::to_string(attr.Width) + " x Height " +
                            std::to_string(attr.Height) + " does not fit the header's 32-bit linear size");
    }
    return static_cast<std::int32_t>(product);
}

}  // namespace

DdsFileHeader MakeDdsHeader(const TextureFormat& format, const RshAttrChunk& attr, std::int32_t dataSize) {
    const bool isDxt1 = format.imageType == kImageTypeDxt1;
    const bool hasMips = attr.MipLevels > 1;

    DdsFileHeader header;
    header.dwMagic = FourChars("DDS ");
    header.dwSize = kDdsHeaderSize;
    header.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    if (hasMips) header.dwFlags |= DDSD_MIPMAPCOUNT;
    if (!isDxt1) header.dwFlags |= DDSD_LINEARSIZE;  // DXT1 fills the field but never says so
    header.dwHeight = attr.Height;
    header.dwWidth = attr.Width;
    header.dwPitchOrLinearSize = format.imageType == kImageTypeDxt5 ? Dxt5LinearSize(attr) : dataSize;
    header.dwDepth = 0;
    header.dwMipMapCount = attr.MipLevels;
    header.dwReserved1 = 0;
    header.ddspf.dwSize = kDdsPixelFormatSize;
    header.ddspf.dwFlags = DDPF_FOURCC;
    header.ddspf.dwFourCC = FourChars(format.fourCC);
    header.dwCaps = hasMips ? (DDSCAPS_COMPLEX | DDSCAPS_TEXTURE | DDSCAPS_MIPMAP) : DDSCAPS_TEXTURE;
    return header;
}

std::array<std::uint8_t, kDdsFileHeaderBytes> EncodeDdsHeader(const DdsFileHeader& header) {
    std::array<std::uint8_t, kDdsFileHeaderBytes> bytes{};
    LittleEndianWriter out(bytes);
    out.Chars(header.dwMagic);
    out.Int32(header.dwSize);
    out.Int32(header.dwFlags);
    out.Int32(header.dwHeight);
    out.Int32(header.dwWidth);
    out.Int32(header.dwPitchOrLinearSize);
    out.Int32(header.dwDepth);
    out.Int32(header.dwMipMapCount);
    for (int word = 0; word < 11; ++word) out.Int32(header.dwReserved1);
    out.Int32(header.ddspf.dwSize);
    out.Int32(header.ddspf.dwFlags);
    out.Chars(header.ddspf.dwFourCC);
    out.Int32(header.ddspf.dwRGBBitCount);
    out.Int32(header.ddspf.dwRBitMask);
    out.Int32(header.ddspf.dwGBitMask);
    out.Int32(header.ddspf.dwBBitMask);
    out.Int32(header.ddspf.dwABitMask);
    out.Int32(header.dwCaps);
    out.Int32(header.dwCaps2);
    out.Int32(header.dwCaps3);
    out.Int32(header.dwCaps3);      // as dwCaps4
    out.Int32(header.dwReserved1);  // as dwReserved2
    out.ExpectFull();
    return bytes;
}

}  // namespace pelliton
