#include "make-samples/TexelEncoding.h"

#include <squish.h>

#include <cstddef>
#include <string>

#include "common/PellitonError.h"
#include "rsh/RshRecords.h"

namespace pelliton {

int SquishFormat(std::int32_t imageType) {
    const TextureFormat* format = FindTextureFormat(imageType);
    if (format == nullptr || format->layout != TexelLayout::BlockCompressed) {
        throw PellitonError("image type " + std::to_string(imageType) + " is not block-compressed");
    }
    return SquishFormat(format->fourCC);
}

int SquishFormat(std::string_view fourCC) {
    if (fourCC == "DXT1") return squish::kDxt1;
    if (fourCC == "DXT3") return squish::kDxt3;
    if (fourCC == "DXT5") return squish::kDxt5;
    throw PellitonError("fourCC " + std::string(fourCC) + " is not a DXT format");
}

std::vector<std::uint8_t> CompressDxtMipChain(const RgbaImage& image, std::int32_t imageType, int mipLevels) {
    const int format = SquishFormat(imageType);
    std::vector<std::uint8_t> data;
    RgbaImage level = image;
    for (int index = 0; index < mipLevels; ++index) {
        if (index > 0) level = DownsampleBox2x2(level);
        const std::size_t start = data.size();
        const int levelBytes = squish::GetStorageRequirements(level.width, level.height, format);
        data.resize(start + static_cast<std::size_t>(levelBytes));
        squish::CompressImage(level.rgba.data(), level.width, level.height, data.data() + start, format);
    }
    return data;
}

std::vector<std::uint8_t> EncodeUncompressed(const RgbaImage& image) {
    const auto rowBytes = static_cast<std::ptrdiff_t>(image.width) * 4;
    std::vector<std::uint8_t> data;
    data.reserve(image.rgba.size());
    for (int y = image.height - 1; y >= 0; --y) {
        const auto row = image.rgba.begin() + y * rowBytes;
        data.insert(data.end(), row, row + rowBytes);
    }
    return data;
}

}  // namespace pelliton
