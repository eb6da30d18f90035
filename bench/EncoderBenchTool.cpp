// The helpers of bench/compare-encoders:
//   rsh SIDE OUT.rsh            an RSH file with one DXT5 texture "sample" of SIDE x SIDE and its full chain
//   squish IN.png OUT.dds       the picture's DXT5 chain by libsquish's iterative cluster fit, as a DDS file
//   psnr IN.png FILE.dds|.rsh   PSNR of red, green and blue of the first level against the picture,
//                               every file's blocks decoded by our one DXT decoder
#include <squish.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/DdsFormat.h"
#include "common/DxtBlock.h"
#include "common/FileSource.h"
#include "common/PellitonError.h"
#include "export/DdsHeader.h"
#include "picture/DdsImage.h"
#include "picture/MipChain.h"
#include "picture/PictureFile.h"
#include "rshwrite/RshWriter.h"

namespace pelliton::bench {
namespace {

RgbaPicture ReadPng(const std::string& path) { return DecodePng(FileSource(path), path); }

void WriteRsh(int side, const std::string& out) {
    const int levels = FullMipLevels(side, side);
    const auto size = static_cast<std::int32_t>(dds::MipChainBytes(dds::kDxt5, side, side, levels));
    WriteFileBytes(out, WriteRshBytes(MakeTextureRecords(kImageTypeDxt5, side, side, levels, size),
                                      std::vector<std::uint8_t>(static_cast<std::size_t>(size), 0)));
}

void WriteSquishDds(const std::string& in, const std::string& out) {
    const RgbaPicture picture = ReadPng(in);
    const int levels = FullMipLevels(picture.width, picture.height);
    std::vector<std::uint8_t> texels;
    for (const RgbaPicture& level : MakeMipChain(picture, levels)) {
        std::vector<std::uint8_t> blocks(dds::LevelBytes(dds::kDxt5, level.width, level.height));
        squish::CompressImage(level.rgba.data(), level.width, level.height, blocks.data(),
                              squish::kDxt5 | squish::kColourIterativeClusterFit);
        texels.insert(texels.end(), blocks.begin(), blocks.end());
    }
    TextureAttributes attributes;
    attributes.imageType = kImageTypeDxt5;
    attributes.width = picture.width;
    attributes.height = picture.height;
    attributes.mipLevels = levels;
    const dds::FileHeader header =
        MakeDdsHeader(*FindTextureFormat(kImageTypeDxt5), attributes, static_cast<std::int32_t>(texels.size()));
    std::vector<std::uint8_t> bytes(sizeof header);
    std::memcpy(bytes.data(), &header, sizeof header);
    bytes.insert(bytes.end(), texels.begin(), texels.end());
    WriteFileBytes(out, bytes);
}

// The first level's blocks: where a DDS file says, or in an RSH file written by WriteRsh and
// replaced, at the start of the chain that ends the file.
std::vector<std::uint8_t> FirstLevel(const std::string& path, const RgbaPicture& picture, std::uint32_t& fourCC) {
    const UninitialisedBytes file = ReadWholeFile(path);
    std::size_t offset = 0;
    if (path.ends_with(".rsh")) {
        fourCC = dds::kDxt5;
        offset = file.size() - dds::MipChainBytes(fourCC, picture.width, picture.height,
                                                  FullMipLevels(picture.width, picture.height));
    } else {
        const DdsImage dds = ReadDdsImage(file, path);
        if (dds.width != picture.width || dds.height != picture.height) throw PellitonError(path + ": other sides");
        fourCC = dds.fourCC;
        offset = dds.texelOffset;
    }
    const auto begin = file.begin() + static_cast<std::ptrdiff_t>(offset);
    return {begin, begin + static_cast<std::ptrdiff_t>(dds::LevelBytes(fourCC, picture.width, picture.height))};
}

double PsnrRgb(const std::string& png, const std::string& encoded) {
    const RgbaPicture picture = ReadPng(png);
    std::uint32_t fourCC = 0;
    const std::vector<std::uint8_t> blocks = FirstLevel(encoded, picture, fourCC);
    const std::size_t blocksAcross = dds::BlocksAlong(picture.width);
    double squares = 0;
    for (int y = 0; y < picture.height; y += 4) {
        for (int x = 0; x < picture.width; x += 4) {
            const std::size_t block = (static_cast<std::size_t>(y / 4) * blocksAcross + static_cast<std::size_t>(x / 4)) *
                                      dds::BlockBytes(fourCC);
            std::array<std::uint8_t, dxt::kRgbaBlockBytes> decoded{};
            dxt::DecodeBlockRgba(fourCC, &blocks[block], decoded);
            for (int texel = 0; texel < 16; ++texel) {
                const int tx = x + texel % 4, ty = y + texel / 4;
                if (tx >= picture.width || ty >= picture.height) continue;
                for (int c = 0; c < 3; ++c) {
                    const double difference =
                        decoded[static_cast<std::size_t>(4 * texel + c)] -
                        picture.rgba[(static_cast<std::size_t>(ty) * static_cast<std::size_t>(picture.width) +
                                      static_cast<std::size_t>(tx)) * 4 + static_cast<std::size_t>(c)];
                    squares += difference * difference;
                }
            }
        }
    }
    const double mean = squares / (3.0 * picture.width * picture.height);
    return 10 * std::log10(255.0 * 255.0 / mean);
}

}  // namespace
}  // namespace pelliton::bench

int main(int argc, char* argv[]) {
    using namespace pelliton::bench;
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if (command == "rsh" && argc == 4) {
            WriteRsh(std::stoi(argv[2]), argv[3]);
        } else if (command == "squish" && argc == 4) {
            WriteSquishDds(argv[2], argv[3]);
        } else if (command == "psnr" && argc == 4) {
            std::printf("%.3f\n", PsnrRgb(argv[2], argv[3]));
        } else {
            std::fprintf(stderr, "usage: %s rsh SIDE OUT.rsh | squish IN.png OUT.dds | psnr IN.png FILE\n", argv[0]);
            return 2;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
