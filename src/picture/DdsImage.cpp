// Reads the header of a DXT1, DXT3 or DXT5 DDS file, or of a DX10 one of the same blocks, and finds
// its MIP chain inside the file. The checks run in the header's order: size, magic, header size,
// format (a DX10 file's extension in its own order), sides, shape, levels, data length.
#include "picture/DdsImage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "common/Counted.h"
#include "common/DdsFormat.h"
#include "picture/DxgiFormatName.h"
#include "picture/FileChecks.h"
#include "picture/MipChain.h"

namespace pelliton {

namespace {

constexpr dds::RefusalWording kWording{.namesBitCount = false,
                                       .formatsRead = "only DXT1, DXT3 and DXT5 are read",
                                       .sideUnit = kPictureSideUnit};

constexpr std::string_view kSingleTextureRead = "only a single 2-D texture is read";

dds::FileHeader ReadHeader(const ByteSource& file, std::string_view name) {
    std::array<std::uint8_t, sizeof(dds::FileHeader)> headerBytes{};
    const std::uint64_t available = std::min<std::uint64_t>(file.Size(), headerBytes.size());
    const auto stored = std::span(headerBytes).first(static_cast<std::size_t>(available));
    file.ReadAt(0, stored);
    const auto header = ReadFileHeader<dds::FileHeader>(stored, name, "DDS");
    if (header.dwMagic != dds::kMagic) throw FileError(name, "not a DDS file: it does not start with \"DDS \"");
    return header;
}

dds::HeaderDxt10 ReadDx10Extension(const ByteSource& file, std::string_view name) {
    constexpr std::uint64_t kEnd = sizeof(dds::FileHeader) + sizeof(dds::HeaderDxt10);
    if (file.Size() < kEnd) {
        throw FileError(name, "the file is " + Counted(file.Size(), "byte", "bytes") + ", shorter than the " +
                                  std::to_string(kEnd) + " bytes of a DDS header and its DX10 extension");
    }
    std::array<std::uint8_t, sizeof(dds::HeaderDxt10)> stored{};
    file.ReadAt(sizeof(dds::FileHeader), stored);
    dds::HeaderDxt10 extension;
    std::memcpy(&extension, stored.data(), sizeof extension);
    return extension;
}

std::string DimensionText(std::uint32_t dimension) {
    const std::string number = std::to_string(dimension);
    if (dimension == dds::DDS_DIMENSION_TEXTURE1D) return number + ", a 1-D texture";
    if (dimension == dds::DDS_DIMENSION_TEXTURE3D) return number + ", a volume texture";
    return number;
}

// The DXT format whose blocks the extension declares, for a single 2-D texture; any other format
// is refused by its name.
std::uint32_t Dx10FourCC(const dds::HeaderDxt10& extension, std::string_view name) {
    const std::uint32_t fourCC = dds::FourCCOfDxgiFormat(extension.dxgiFormat);
    if (fourCC == 0) {
        throw FileError(name, "it is a DX10 DDS file of format " + DxgiFormatText(extension.dxgiFormat) +
                                  "; only BC1, BC2 and BC3 (DXT1, DXT3, DXT5) are read");
    }
    if (extension.resourceDimension != dds::DDS_DIMENSION_TEXTURE2D) {
        throw FileError(name, "its DX10 resource dimension is " + DimensionText(extension.resourceDimension) + "; " +
                                  std::string(kSingleTextureRead));
    }
    if ((extension.miscFlag & dds::DDS_RESOURCE_MISC_TEXTURECUBE) != 0) {
        throw FileError(name, "it is a DX10 DDS cube map; " + std::string(kSingleTextureRead));
    }
    if (extension.arraySize != 1) {
        throw FileError(name, "it is a DX10 DDS array of " + Counted(extension.arraySize, "texture", "textures") +
                                  "; " + std::string(kSingleTextureRead));
    }
    return fourCC;
}

// A file of more than one face or slice holds more than its MIP chain; said plainly rather than
// as a length that does not fit.
void RequireSingleTexture(const dds::FileHeader& header, std::string_view name) {
    if ((header.dwCaps2 & dds::DDSCAPS2_CUBEMAP) != 0) {
        throw FileError(name, "it is a DDS cube map; " + std::string(kSingleTextureRead));
    }
    if ((header.dwCaps2 & dds::DDSCAPS2_VOLUME) != 0) {
        throw FileError(name, "it is a DDS volume texture; " + std::string(kSingleTextureRead));
    }
}

// 1 when the header declares no count.
int MipLevels(const dds::FileHeader& header, std::string_view name) {
    const auto declaredLevels = static_cast<std::uint32_t>(header.dwMipMapCount);
    if ((header.dwFlags & dds::DDSD_MIPMAPCOUNT) == 0 || declaredLevels == 0) return 1;
    const int fullLevels = FullMipLevels(header.dwWidth, header.dwHeight);
    if (declaredLevels > static_cast<std::uint32_t>(fullLevels)) {
        throw FileError(name, "it declares " + Counted(declaredLevels, "MIP level", "MIP levels") + ", but " +
                                  std::to_string(header.dwWidth) + " x " + std::to_string(header.dwHeight) +
                                  " has at most " + std::to_string(fullLevels));
    }
    return static_cast<int>(declaredLevels);
}

}  // namespace

DdsImage ReadDdsImage(const ByteSource& file, std::string_view name) {
    dds::FileHeader header = ReadHeader(file, name);
    std::uint64_t texelOffset = sizeof header;
    // The DXT format a DX10 file's blocks are in stands in for its code, so that every check after
    // it, and every caller, sees the file as a DXT one.
    if (dds::HasDx10Extension(header)) {
        header.ddspf.dwFourCC = Dx10FourCC(ReadDx10Extension(file, name), name);
        texelOffset += sizeof(dds::HeaderDxt10);
    }
    if (const auto refusal = dds::HeaderRefusal(header, kWording)) throw FileError(name, *refusal);
    RequireSingleTexture(header, name);
    const std::uint32_t fourCC = header.ddspf.dwFourCC;
    const DdsImage image{fourCC, header.dwWidth, header.dwHeight, MipLevels(header, name), texelOffset,
                         file.Size() - texelOffset};
    // Even a full 16384 x 16384 DXT5 chain is under 400 MB, so size_t holds it where it has 32 bits.
    const std::uint64_t chainBytes = dds::MipChainBytes(fourCC, image.width, image.height, image.mipLevels);
    if (image.texelBytes != chainBytes) {
        throw FileError(name, "it holds " + Counted(image.texelBytes, "byte", "bytes") + " of texels, but " +
                                  std::to_string(image.width) + " x " + std::to_string(image.height) + " " +
                                  dds::FourCCText(fourCC) + " in " +
                                  Counted(static_cast<std::uint64_t>(image.mipLevels), "MIP level", "MIP levels") +
                                  " takes " + std::to_string(chainBytes));
    }
    return image;
}

}  // namespace pelliton
