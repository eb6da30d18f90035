// The MIP chain: how many levels the sides allow, and the box filter's rounded means.
#include <gtest/gtest.h>

#include <array>

#include "common/PellitonError.h"
#include "picture/MipChain.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MipChain, FullLevelsHalveTheSidesUntilBothAreOne) {
    const std::array cases = {std::array{1, 1, 1},         std::array{4, 4, 3},  std::array{256, 64, 9},
                              std::array{5, 3, 3},         std::array{1, 16, 5}, std::array{17, 2, 5},
                              std::array{16384, 16384, 15}};
    for (const auto& [width, height, levels] : cases) {
        EXPECT_EQ(FullMipLevels(width, height), levels) << width << " x " << height;
    }
}

// A picture whose texels all have one value in each channel but the first; texel i's first
// channel is values[i].
RgbaPicture Picture(int width, int height, const Bytes& values) {
    RgbaPicture picture{width, height, {}};
    for (const std::uint8_t value : values) picture.rgba.insert(picture.rgba.end(), {value, 7, 7, 7});
    return picture;
}

Bytes FirstChannel(const RgbaPicture& picture) {
    Bytes values;
    for (std::size_t at = 0; at < picture.rgba.size(); at += 4) values.push_back(picture.rgba[at]);
    return values;
}

struct Filtered {
    const char* label;
    RgbaPicture picture;
    std::vector<Bytes> levels;  // the first channel of each level below the picture
};

TEST(MipChain, EachTexelIsTheRoundedMeanOfTheTwoByTwoAbove) {
    const std::array cases = {
        Filtered{"0.25 rounds down", Picture(2, 2, {0, 0, 0, 1}), {{0}}},
        Filtered{"1.25 rounds down", Picture(2, 2, {0, 1, 2, 2}), {{1}}},
        Filtered{"1.5 rounds up", Picture(2, 2, {1, 1, 2, 2}), {{2}}},
        Filtered{"254.75 rounds up", Picture(2, 2, {255, 255, 255, 254}), {{255}}},
        Filtered{"odd sides drop the last row and column", Picture(3, 3, {4, 8, 255, 4, 8, 255, 255, 255, 255}), {{6}}},
        Filtered{"4 x 2 to 2 x 1 to 1 x 1", Picture(4, 2, {0, 10, 20, 30, 40, 50, 60, 70}), {{25, 45}, {35}}},
        Filtered{"1 wide: the mean of two", Picture(1, 4, {10, 21, 30, 40}), {{16, 35}, {26}}},
        Filtered{"1 high: the mean of two", Picture(4, 1, {10, 21, 30, 40}), {{16, 35}, {26}}},
    };
    for (const Filtered& c : cases) {
        SCOPED_TRACE(c.label);
        const auto chain = MakeMipChain(c.picture, static_cast<int>(c.levels.size()) + 1);
        ASSERT_EQ(chain.size(), c.levels.size() + 1);
        EXPECT_EQ(chain[0].rgba, c.picture.rgba);
        for (std::size_t level = 1; level < chain.size(); ++level) {
            EXPECT_EQ(FirstChannel(chain[level]), c.levels[level - 1]) << "level " << level;
            EXPECT_EQ(chain[level].rgba.size(), c.levels[level - 1].size() * 4);
        }
    }
}

TEST(MipChain, AlphaIsAveragedStraightNotPremultiplied) {
    const RgbaPicture picture{2, 2, {200, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}};
    EXPECT_EQ(testing::TexelBytes(MakeMipChain(picture, 2)[1]), (Bytes{50, 0, 0, 191}));
}

TEST(MipChain, SidesOfEachLevelAndTheLevelsAllowed) {
    const RgbaPicture picture = testing::PictureOf(5, 3, Bytes(5 * 3 * 4, 1));
    const auto chain = MakeMipChain(picture, 3);
    const std::array<std::pair<int, int>, 3> sides = {{{5, 3}, {2, 1}, {1, 1}}};
    for (std::size_t level = 0; level < sides.size(); ++level) {
        EXPECT_EQ(std::pair(chain[level].width, chain[level].height), sides[level]) << "level " << level;
    }
    EXPECT_THROW(MakeMipChain(picture, 0), PellitonError);
    EXPECT_THROW(MakeMipChain(picture, 4), PellitonError);
}

// The encoder fills a level's rows on several threads, a range each.
TEST(MipChain, RowsFilteredInRangesMakeTheSameLevel) {
    RgbaPicture picture{7, 11, {}};
    for (int i = 0; i < 7 * 11 * 4; ++i) picture.rgba.push_back(static_cast<std::uint8_t>(i * 37 % 256));
    RgbaPicture level = MipLevelBelow(picture);
    ASSERT_EQ(std::pair(level.width, level.height), std::pair(3, 5));
    for (const auto& [first, end] : {std::pair{3, 5}, std::pair{0, 1}, std::pair{1, 3}}) FilterMipRows(picture, level, first, end);
    EXPECT_EQ(level.rgba, MakeMipChain(picture, 2)[1].rgba);
}

}  // namespace
}  // namespace pelliton
