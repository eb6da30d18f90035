// Encodes levels block by block, rows of blocks shared among threads, and chains level by level.
#include "picture/DxtEncoder.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <string>

#include "common/DdsFormat.h"
#include "common/PellitonError.h"
#include "picture/AlphaBlockFit.h"
#include "picture/ColourBlockFit.h"
#include "picture/MipChain.h"

namespace pelliton {

namespace {

void CheckFormat(std::uint32_t fourCC) {
    if (fourCC != dds::kDxt1 && fourCC != dds::kDxt3 && fourCC != dds::kDxt5) {
        throw PellitonError("cannot encode the format " + dds::FourCCText(fourCC) +
                            "; only DXT1, DXT3 and DXT5 are encoded");
    }
}

// The 16 texels of the block at (blockX, blockY). Where the block runs past the picture's right or
// bottom side, the last column or row is repeated: the extra texels are never shown, and copies of
// shown ones leave the fit unchanged but for their weight.
std::array<std::uint8_t, 64> BlockTexels(const RgbaPicture& picture, int blockX, int blockY) {
    std::array<std::uint8_t, 64> texels{};
    for (int y = 0; y < 4; ++y) {
        const auto row = static_cast<std::size_t>(std::min(4 * blockY + y, picture.height - 1));
        for (int x = 0; x < 4; ++x) {
            const auto column = static_cast<std::size_t>(std::min(4 * blockX + x, picture.width - 1));
            const std::uint8_t* texel = &picture.rgba[(row * static_cast<std::size_t>(picture.width) + column) * 4];
            std::copy(texel, texel + 4, &texels[static_cast<std::size_t>(4 * (4 * y + x))]);
        }
    }
    return texels;
}

void EncodeBlock(const std::uint8_t* texels, std::uint32_t fourCC, std::uint8_t* block) {
    if (fourCC == dds::kDxt1) {
        EncodeColourBlock(texels, true, block);
        return;
    }
    if (fourCC == dds::kDxt3) {
        EncodeExplicitAlphaBlock(texels, block);
    } else {
        EncodeInterpolatedAlphaBlock(texels, block);
    }
    EncodeColourBlock(texels, false, block + dds::kColourBlockBytes);
}

// Encodes the picture into `blocks`, which has room for its level; with decoded, each row of blocks
// once its rows are decoded, and none once the decoding is abandoned.
void EncodeLevelInto(const RgbaPicture& picture, std::uint32_t fourCC, int threads, std::uint8_t* blocks,
                     const RowsReady* decoded = nullptr) {
    assert(picture.rgba.size() ==
           static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4);
    const auto blocksAcross = static_cast<int>(dds::BlocksAlong(picture.width));
    const auto blockRows = static_cast<int>(dds::BlocksAlong(picture.height));
    const std::size_t blockBytes = dds::BlockBytes(fourCC);
    ForRowRanges(blockRows, threads, [&](int first, int end) {
        for (int blockY = first; blockY < end; ++blockY) {
            if (decoded != nullptr && !decoded->WaitFor(std::min(picture.height, 4 * blockY + 4))) return;
            std::uint8_t* block = blocks + static_cast<std::size_t>(blockY) * static_cast<std::size_t>(blocksAcross) * blockBytes;
            for (int blockX = 0; blockX < blocksAcross; ++blockX, block += blockBytes) {
                EncodeBlock(BlockTexels(picture, blockX, blockY).data(), fourCC, block);
            }
        }
    });
}

// Appends the level's blocks to `encoded`, whose capacity already holds them.
void AppendLevel(const RgbaPicture& picture, std::uint32_t fourCC, int threads, std::vector<std::uint8_t>& encoded,
                 const RowsReady* decoded = nullptr) {
    const std::size_t start = encoded.size();
    encoded.resize(start + dds::LevelBytes(fourCC, picture.width, picture.height));
    EncodeLevelInto(picture, fourCC, threads, encoded.data() + start, decoded);
}

RgbaPicture LevelBelow(const RgbaPicture& above, int threads) {
    RgbaPicture level = MipLevelBelow(above);
    ForRowRanges(level.height, threads, [&](int first, int end) { FilterMipRows(above, level, first, end); });
    return level;
}

}  // namespace

std::vector<std::uint8_t> EncodeDxt(const RgbaPicture& picture, std::uint32_t fourCC, int threads) {
    CheckFormat(fourCC);
    std::vector<std::uint8_t> blocks;
    blocks.reserve(dds::LevelBytes(fourCC, picture.width, picture.height));
    AppendLevel(picture, fourCC, threads, blocks);
    return blocks;
}

std::vector<std::uint8_t> EncodeDxtChain(const RgbaPicture& picture, std::uint32_t fourCC, int levels, int threads,
                                         const RowsReady* decoded) {
    CheckFormat(fourCC);
    CheckMipLevels(picture, levels);
    std::vector<std::uint8_t> encoded;
    encoded.reserve(dds::MipChainBytes(fourCC, picture.width, picture.height, levels));
    AppendLevel(picture, fourCC, threads, encoded, decoded);
    if (decoded != nullptr && !decoded->WaitFor(picture.height)) return {};
    RgbaPicture level;
    for (int at = 1; at < levels; ++at) {
        level = LevelBelow(at == 1 ? picture : level, threads);
        AppendLevel(level, fourCC, threads, encoded);
    }
    return encoded;
}

}  // namespace pelliton
