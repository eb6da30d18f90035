// The encoder's blocks read back by libsquish's own decoder: sizes per format, flat colours kept
// exactly, gradients kept closely, and DXT1's one bit of alpha.
#include <gtest/gtest.h>

#include <squish.h>

#include <array>
#include <cstdlib>

#include "common/DdsFormat.h"
#include "common/PellitonError.h"
#include "picture/DxtEncoder.h"

namespace pelliton {
namespace {

using Bytes = std::vector<std::uint8_t>;

RgbaPicture Flat(int width, int height, const std::array<std::uint8_t, 4>& rgba) {
    RgbaPicture picture{width, height, {}};
    for (int i = 0; i < width * height; ++i) picture.rgba.insert(picture.rgba.end(), rgba.begin(), rgba.end());
    return picture;
}

Bytes SquishDecode(const Bytes& blocks, std::uint32_t fourCC, int width, int height) {
    const int format = fourCC == dds::kDxt1 ? squish::kDxt1 : fourCC == dds::kDxt3 ? squish::kDxt3 : squish::kDxt5;
    Bytes rgba(static_cast<std::size_t>(width * height * 4));
    squish::DecompressImage(rgba.data(), width, height, blocks.data(), format);
    return rgba;
}

struct Case {
    std::uint32_t fourCC;
    int width;
    int height;
    std::size_t bytes;
};

// Colours that 5:6:5 end points hold exactly; alpha 0x77 that DXT3's four bits hold exactly.
TEST(DxtEncoder, FlatColoursComeBackExactlyInBlocksOfTheLevelsSize) {
    const std::array cases = {Case{dds::kDxt1, 4, 4, 8},  Case{dds::kDxt1, 5, 3, 16}, Case{dds::kDxt3, 1, 1, 16},
                              Case{dds::kDxt3, 8, 8, 64}, Case{dds::kDxt5, 6, 9, 96}, Case{dds::kDxt5, 2, 4, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + " format " +
                     std::to_string(c.fourCC));
        const std::uint8_t alpha = c.fourCC == dds::kDxt1 ? 255 : 0x77;
        const RgbaPicture picture = Flat(c.width, c.height, {255, 0, 255, alpha});
        const Bytes blocks = EncodeDxt(picture, c.fourCC);
        ASSERT_EQ(blocks.size(), c.bytes);
        EXPECT_EQ(SquishDecode(blocks, c.fourCC, c.width, c.height), picture.rgba);
    }
}

// Colours along one line in each block, as DXT's four colours a block can follow; alpha down the rows.
TEST(DxtEncoder, AGradientComesBackClosely) {
    constexpr int kSide = 16;
    for (const std::uint32_t fourCC : {dds::kDxt1, dds::kDxt3, dds::kDxt5}) {
        RgbaPicture picture{kSide, kSide, {}};
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const auto alpha = static_cast<std::uint8_t>(fourCC == dds::kDxt1 ? 255 : y * 16);
                picture.rgba.insert(picture.rgba.end(), {static_cast<std::uint8_t>(x * 17), 128,
                                                         static_cast<std::uint8_t>(255 - x * 8), alpha});
            }
        }
        const Bytes decoded = SquishDecode(EncodeDxt(picture, fourCC), fourCC, kSide, kSide);
        int largestError = 0;
        for (std::size_t i = 0; i < decoded.size(); ++i) {
            largestError = std::max(largestError, std::abs(decoded[i] - picture.rgba[i]));
        }
        EXPECT_LE(largestError, 8) << "format " << fourCC;  // DXT3 keeps alpha in four bits: within 8
    }
}

TEST(DxtEncoder, Dxt1TurnsAlphaBelowHalfIntoTransparentBlack) {
    RgbaPicture picture = Flat(4, 1, {255, 0, 255, 255});
    picture.rgba[3] = 127;
    picture.rgba[7] = 128;
    const Bytes decoded = SquishDecode(EncodeDxt(picture, dds::kDxt1), dds::kDxt1, 4, 1);
    EXPECT_EQ(decoded, (Bytes{0, 0, 0, 0, 255, 0, 255, 255, 255, 0, 255, 255, 255, 0, 255, 255}));
}

TEST(DxtEncoder, RefusesAFormatItDoesNotEncode) {
    EXPECT_THROW(EncodeDxt(Flat(4, 4, {0, 0, 0, 255}), dds::FourCC("DXT2")), PellitonError);
}

}  // namespace
}  // namespace pelliton
