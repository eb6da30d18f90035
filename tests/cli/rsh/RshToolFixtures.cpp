#include "cli/rsh/RshToolFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/TgaFormat.h"
#include "export/DdsHeader.h"
#include "rshwrite/RshWriter.h"

namespace pelliton::testing {

std::vector<std::uint8_t> DdsFileBytes(std::string_view fourCC, int width, int height, int mipLevels,
                                       const std::vector<std::uint8_t>& texels) {
    const std::int32_t imageType = fourCC == "DXT1" ? kImageTypeDxt1 : fourCC == "DXT3" ? kImageTypeDxt3 : kImageTypeDxt5;
    TextureAttributes attr;
    attr.imageType = imageType;
    attr.width = width;
    attr.height = height;
    attr.mipLevels = mipLevels;
    const dds::FileHeader header =
        MakeDdsHeader(*FindTextureFormat(imageType), attr, static_cast<std::int32_t>(texels.size()));
    const auto* headerBytes = reinterpret_cast<const std::uint8_t*>(&header);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(sizeof header + texels.size());
    bytes.insert(bytes.end(), headerBytes, headerBytes + sizeof header);
    bytes.insert(bytes.end(), texels.begin(), texels.end());
    return bytes;
}

std::vector<std::uint8_t> TgaFileBytes(int width, int height, const std::vector<std::uint8_t>& rgba, bool topFirst) {
    tga::FileHeader header;
    header.ImageType = tga::kTrueColour;
    header.ImageWidth = static_cast<std::int16_t>(width);
    header.ImageHeight = static_cast<std::int16_t>(height);
    header.PixelDepth = tga::kDepthRgba;
    header.ImageDescriptor = topFirst ? tga::kTopToBottom : 0;
    const auto* headerBytes = reinterpret_cast<const std::uint8_t*>(&header);
    std::vector<std::uint8_t> bytes(headerBytes, headerBytes + sizeof header);
    for (int stored = 0; stored < height; ++stored) {
        const int row = topFirst ? stored : height - 1 - stored;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* texel = &rgba[(static_cast<std::size_t>(row) * width + x) * 4];
            bytes.insert(bytes.end(), {texel[2], texel[1], texel[0], texel[3]});
        }
    }
    return bytes;
}

std::filesystem::path WritePng(const std::filesystem::path& path, int width, int height,
                               const std::vector<std::uint8_t>& rgba) {
    auto raw = path;
    raw += ".rgba";
    WriteFileBytes(raw.string(), rgba);
    const std::string command = "convert -size " + std::to_string(width) + "x" + std::to_string(height) +
                                " -depth 8 'rgba:" + raw.string() + "' 'PNG32:" + path.string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::filesystem::remove(raw);
    return path;
}

}  // namespace pelliton::testing
