#include "export/DdsHeader.h"

#include <limits>
#include <string>

#include "common/PellitonError.h"

namespace pelliton {

namespace {

// DXT5 stores width x height as its linear size, whatever the size of the data.
std::int32_t Dxt5LinearSize(const TextureAttributes& attr) {
    const std::int64_t product = std::int64_t{attr.width} * attr.height;
    if (product < std::numeric_limits<std::int32_t>::min() || product > std::numeric_limits<std::int32_t>::max()) {
        throw PellitonError("overflow: Width " + std::to_string(attr.width) + " x Height " +
                            std::to_string(attr.height) + " does not fit the header's 32-bit linear size");
    }
    return static_cast<std::int32_t>(product);
}

}  // namespace

dds::FileHeader MakeDdsHeader(const TextureFormat& format, const TextureAttributes& attr, std::int32_t dataSize) {
    using namespace dds;
    const bool isDxt1 = format.imageType == kImageTypeDxt1;
    const bool hasMips = attr.mipLevels > 1;

    FileHeader header;
    header.dwMagic = kMagic;
    header.dwSize = kHeaderSize;
    header.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    if (hasMips) header.dwFlags |= DDSD_MIPMAPCOUNT;
    if (!isDxt1) header.dwFlags |= DDSD_LINEARSIZE;  // DXT1 fills the field but never says so
    header.dwHeight = attr.height;
    header.dwWidth = attr.width;
    header.dwPitchOrLinearSize = format.imageType == kImageTypeDxt5 ? Dxt5LinearSize(attr) : dataSize;
    header.dwMipMapCount = attr.mipLevels;
    header.ddspf.dwSize = kPixelFormatSize;
    header.ddspf.dwFlags = DDPF_FOURCC;
    header.ddspf.dwFourCC = FourCC(format.fourCC);
    header.dwCaps = hasMips ? (DDSCAPS_COMPLEX | DDSCAPS_TEXTURE | DDSCAPS_MIPMAP) : DDSCAPS_TEXTURE;
    return header;
}

}  // namespace pelliton
