// The shared DXT decoder on hand-made blocks, one per mode of each format, held against libsquish's
// decoding of the same block, and the values each mode fixes checked outright.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <squish.h>

#include "common/DdsFormat.h"
#include "common/DxtBlock.h"

namespace pelliton {
namespace {

using Rgba = std::array<std::uint8_t, dxt::kRgbaBlockBytes>;

struct BlockCase {
    std::string name;
    std::uint32_t fourCC;
    std::vector<std::uint8_t> block;  // dds::BlockBytes(fourCC) bytes
};

// Every index once per row at least: rows of indices 0, 1, 2, 3 (x = 0 to 3), in turn reversed.
constexpr std::array<std::uint8_t, 4> kEveryColourIndex = {0xE4, 0x1B, 0xE4, 0x1B};

std::vector<std::uint8_t> ColourBlock(std::uint16_t colour0, std::uint16_t colour1) {
    return {static_cast<std::uint8_t>(colour0), static_cast<std::uint8_t>(colour0 >> 8),
            static_cast<std::uint8_t>(colour1), static_cast<std::uint8_t>(colour1 >> 8),
            kEveryColourIndex[0], kEveryColourIndex[1], kEveryColourIndex[2], kEveryColourIndex[3]};
}

// DXT5's alpha half: the end points, then the 3-bit indices 0 to 7 twice over, texel 0 first.
std::vector<std::uint8_t> InterpolatedAlphaBlock(std::uint8_t alpha0, std::uint8_t alpha1) {
    std::uint64_t indices = 0;
    for (unsigned texel = 0; texel < 16; ++texel) indices |= std::uint64_t{texel % 8} << (3 * texel);
    std::vector<std::uint8_t> block = {alpha0, alpha1};
    for (int byte = 0; byte < 6; ++byte) block.push_back(static_cast<std::uint8_t>(indices >> (8 * byte)));
    return block;
}

std::vector<std::uint8_t> Joined(const std::vector<std::uint8_t>& alpha, const std::vector<std::uint8_t>& colour) {
    std::vector<std::uint8_t> block(alpha.size() + colour.size());
    std::copy(colour.begin(), colour.end(), std::copy(alpha.begin(), alpha.end(), block.begin()));
    return block;
}

// Sixteen nibbles 0 to 15, texel 0 in the lower nibble of the first byte.
const std::vector<std::uint8_t> kEveryNibble = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};

std::vector<BlockCase> Blocks() {
    return {
        {"DXT1, four colours", dds::kDxt1, ColourBlock(0xF81F, 0x07E0)},
        {"DXT1, three colours and transparent black", dds::kDxt1, ColourBlock(0x07E0, 0xF81F)},
        {"DXT1, equal end points: three colours", dds::kDxt1, ColourBlock(0x1234, 0x1234)},
        {"DXT1, white and black ends", dds::kDxt1, ColourBlock(0xFFFF, 0x0000)},
        {"DXT3, every nibble", dds::kDxt3, Joined(kEveryNibble, ColourBlock(0xF81F, 0x07E0))},
        {"DXT3, colour0 <= colour1 stays four colours", dds::kDxt3, Joined(kEveryNibble, ColourBlock(0x07E0, 0xF81F))},
        {"DXT5, eight values", dds::kDxt5, Joined(InterpolatedAlphaBlock(200, 13), ColourBlock(0xF81F, 0x07E0))},
        {"DXT5, eight values from 255 to 0", dds::kDxt5, Joined(InterpolatedAlphaBlock(255, 0), ColourBlock(0xF81F, 0x07E0))},
        {"DXT5, six values, 0 and 255", dds::kDxt5, Joined(InterpolatedAlphaBlock(13, 200), ColourBlock(0x07E0, 0xF81F))},
        {"DXT5, equal ends: six values", dds::kDxt5, Joined(InterpolatedAlphaBlock(77, 77), ColourBlock(0xFFFF, 0x0000))},
    };
}

Rgba Decoded(const BlockCase& c) {
    Rgba rgba{};
    dxt::DecodeBlockRgba(c.fourCC, c.block.data(), rgba);
    return rgba;
}

int SquishFlags(std::uint32_t fourCC) {
    if (fourCC == dds::kDxt1) return squish::kDxt1;
    return fourCC == dds::kDxt3 ? squish::kDxt3 : squish::kDxt5;
}

TEST(DxtBlock, EveryModeDecodesAsLibsquishDecodesIt) {
    for (const BlockCase& c : Blocks()) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.block.size(), dds::BlockBytes(c.fourCC));
        Rgba expected{};
        squish::Decompress(expected.data(), c.block.data(), SquishFlags(c.fourCC));
        EXPECT_EQ(Decoded(c), expected);
    }
}

std::uint8_t Alpha(const Rgba& rgba, int texel) { return rgba[static_cast<std::size_t>(4 * texel + 3)]; }

TEST(DxtBlock, Dxt1ThreeColourModeMakesIndex3TransparentBlack) {
    const std::vector<BlockCase> blocks = Blocks();
    const Rgba fourColours = Decoded(blocks[0]), threeColours = Decoded(blocks[1]);
    // Texel 3 of the first row has index 3.
    EXPECT_EQ((std::array{threeColours[12], threeColours[13], threeColours[14], threeColours[15]}),
              (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
    for (int texel = 0; texel < 16; ++texel) EXPECT_EQ(Alpha(fourColours, texel), 0xFF) << texel;
}

TEST(DxtBlock, Dxt3NibblesWidenByRepeating) {
    const Rgba rgba = Decoded(Blocks()[4]);
    for (int texel = 0; texel < 16; ++texel) EXPECT_EQ(Alpha(rgba, texel), texel * 0x11) << texel;
}

TEST(DxtBlock, Dxt5SixValueModeEndsInZeroAnd255) {
    const Rgba rgba = Decoded(Blocks()[8]);
    EXPECT_EQ(Alpha(rgba, 0), 13);
    EXPECT_EQ(Alpha(rgba, 1), 200);
    EXPECT_EQ(Alpha(rgba, 2), (4 * 13 + 200) / 5);
    EXPECT_EQ(Alpha(rgba, 6), 0);
    EXPECT_EQ(Alpha(rgba, 7), 255);
    EXPECT_EQ(Alpha(rgba, 15), 255);  // the indices run twice
}

}  // namespace
}  // namespace pelliton
