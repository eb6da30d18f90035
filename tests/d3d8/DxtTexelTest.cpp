// Per-texel DXT decoding against libsquish, block by block and over whole images with partial blocks.
#include <gtest/gtest.h>
#include <squish.h>

#include <algorithm>
#include <array>
#include <utility>

#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/DxtFormat.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::ExpectTexels;
using fixtures::RandomBytes;
using fixtures::SquishDecodeImage;
using fixtures::SquishFlags;

struct NamedFormat {
    const char* name;
    DWORD format;
};
constexpr std::array kFormats = {NamedFormat{"DXT1", D3DFMT_DXT1}, NamedFormat{"DXT3", D3DFMT_DXT3},
                                 NamedFormat{"DXT5", D3DFMT_DXT5}};

constexpr std::size_t kColourBlockBytes = 8;

// Puts a pair of little-endian end points in the wanted order: first > second, or first <= second,
// with equal pairs among the latter.
void OrderEndPoints(std::uint8_t* first, std::uint8_t* second, std::size_t width, bool firstGreater, bool equal) {
    auto value = [width](const std::uint8_t* at) { return width == 2 ? at[0] | at[1] << 8 : int{at[0]}; };
    if (equal) {
        std::copy_n(first, width, second);
    } else if ((value(first) > value(second)) != firstGreater) {
        std::swap_ranges(first, first + width, second);
    }
}

// Random blocks in which both orders of the colour end points (three- or four-colour DXT1) and of
// the DXT5 alpha end points (six or four interpolated alphas) occur, equal end points included.
std::vector<std::uint8_t> RandomBlocks(const DxtFormat& dxt, std::size_t count, std::mt19937& random) {
    std::vector<std::uint8_t> bytes = RandomBytes(count * dxt.bytesPerBlock, random);
    for (std::size_t block = 0; block < count; ++block) {
        std::uint8_t* start = bytes.data() + block * dxt.bytesPerBlock;
        std::uint8_t* colour = start + dxt.bytesPerBlock - kColourBlockBytes;
        OrderEndPoints(colour, colour + 2, 2, block % 2 == 0, block % 16 == 1);
        if (dxt.format == D3DFMT_DXT5) OrderEndPoints(start, start + 1, 1, block / 2 % 2 == 0, block % 16 == 3);
    }
    return bytes;
}

TEST(DxtTexel, EqualsLibsquishOnEveryTexelOfRandomBlocks) {
    constexpr std::size_t kBlocks = 5000;
    std::mt19937 random(20240601);
    for (const NamedFormat& named : kFormats) {
        SCOPED_TRACE(named.name);
        const DxtFormat& dxt = *FindDxtFormat(named.format);
        const std::vector<std::uint8_t> blocks = RandomBlocks(dxt, kBlocks, random);
        int mismatches = 0;
        for (std::size_t index = 0; index < kBlocks; ++index) {
            const std::span block(blocks.data() + index * dxt.bytesPerBlock, dxt.bytesPerBlock);
            std::array<std::uint8_t, 64> rgba{};
            squish::Decompress(rgba.data(), block.data(), SquishFlags(named.format));
            for (int texel = 0; texel < 16; ++texel) {
                const auto* want = &rgba[static_cast<std::size_t>(texel) * 4];
                const D3DCOLOR expected =
                    D3DCOLOR{want[3]} << 24 | D3DCOLOR{want[0]} << 16 | D3DCOLOR{want[1]} << 8 | want[2];
                const D3DCOLOR got = dxt.texel(block, texel % 4, texel / 4);
                if (got != expected && mismatches++ == 0) {
                    ADD_FAILURE() << "block " << index << " texel " << texel << ": got " << std::hex << got << ", want "
                                  << expected;
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(BlockTexture, EqualsLibsquishOverWholeImagesWithPartialEdgeBlocks) {
    constexpr std::array<std::pair<int, int>, 7> kSizes = {{{1, 1}, {5, 3}, {2, 7}, {4, 4}, {9, 8}, {13, 1}, {3, 13}}};
    std::mt19937 random(7);
    for (const NamedFormat& named : kFormats) {
        for (const auto& [width, height] : kSizes) {
            SCOPED_TRACE(std::string(named.name) + " " + std::to_string(width) + "x" + std::to_string(height));
            const DxtFormat& dxt = *FindDxtFormat(named.format);
            const std::vector<std::uint8_t> blocks =
                RandomBlocks(dxt, DxtBlocksAlong(width) * DxtBlocksAlong(height), random);
            const auto texture =
                MakeBlockTexture(width, height, named.format, UninitialisedBytes(blocks.begin(), blocks.end()));
            EXPECT_EQ(texture->Width(), width);
            EXPECT_EQ(texture->Height(), height);
            EXPECT_EQ(texture->Format(), named.format);
            ExpectTexels(*texture, SquishDecodeImage(named.format, width, height, blocks));
        }
    }
}

}  // namespace
}  // namespace pelliton::d3d8
