// Reads the header of a DXT1, DXT3 or DXT5 DDS file and finds its MIP chain inside the file. The
// checks run in the header's order: size, magic, header size, format, sides, levels, data length.
#include "picture/DdsImage.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/DdsFormat.h"
#include "picture/FileChecks.h"
#include "picture/MipChain.h"

namespace pelliton {

namespace {

constexpr dds::RefusalWording kWording{.namesBitCount = false,
                                       .formatsRead = "only DXT1, DXT3 and DXT5 are read",
                                       .sideUnit = kPictureSideUnit};

}  // namespace

DdsImage ReadDdsImage(const ByteSource& file, std::string_view name) {
    std::array<std::uint8_t, sizeof(dds::FileHeader)> headerBytes{};
    const std::uint64_t available = std::min<std::uint64_t>(file.Size(), headerBytes.size());
    file.ReadAt(0, std::span(headerBytes).first(static_cast<std::size_t>(available)));
    const auto header =
        ReadFileHeader<dds::FileHeader>(std::span(headerBytes).first(static_cast<std::size_t>(available)), name, "DDS");
    if (header.dwMagic != dds::kMagic) throw FileError(name, "not a DDS file: it does not start with \"DDS \"");
    if (const auto refusal = dds::HeaderRefusal(header, kWording)) throw FileError(name, *refusal);
    const std::uint32_t fourCC = header.ddspf.dwFourCC;
    const auto width = static_cast<std::uint32_t>(header.dwWidth);
    const auto height = static_cast<std::uint32_t>(header.dwHeight);
    DdsImage image{fourCC, static_cast<int>(width), static_cast<int>(height), 1, sizeof header, 0};
    const auto declaredLevels = static_cast<std::uint32_t>(header.dwMipMapCount);
    if ((header.dwFlags & dds::DDSD_MIPMAPCOUNT) != 0 && declaredLevels >= 1) {
        const int fullLevels = FullMipLevels(image.width, image.height);
        if (declaredLevels > static_cast<std::uint32_t>(fullLevels)) {
            throw FileError(name, "it declares " + std::to_string(declaredLevels) + " MIP levels, but " +
                                      std::to_string(width) + " x " + std::to_string(height) + " has at most " +
                                      std::to_string(fullLevels));
        }
        image.mipLevels = static_cast<int>(declaredLevels);
    }
    // Even a full 16384 x 16384 DXT5 chain is under 400 MB, so size_t holds it where it has 32 bits.
    const std::uint64_t chainBytes = dds::MipChainBytes(fourCC, image.width, image.height, image.mipLevels);
    const std::uint64_t texelBytes = file.Size() - sizeof header;
    if (texelBytes != chainBytes) {
        throw FileError(name, "it holds " + std::to_string(texelBytes) + " bytes of texels, but " +
                                  std::to_string(image.mipLevels) + " MIP levels of " + std::to_string(width) + " x " +
                                  std::to_string(height) + " " + dds::FourCCText(fourCC) + " take " +
                                  std::to_string(chainBytes));
    }
    image.texelBytes = texelBytes;
    return image;
}

}  // namespace pelliton
