// The PNG encoder: pictures of every shape read back as exactly their pixels, by our decoder and by
// another program; a large picture's image data split into bounded chunks; sides out of range refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "common/ByteSource.h"
#include "common/PellitonError.h"
#include "picture/PictureFile.h"
#include "picture/PngEncoder.h"
#include "support/ImageMagick.h"
#include "support/TempDir.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct PictureCase {
    std::string name;
    RgbaPicture picture;
};

RgbaPicture Made(int width, int height, const std::function<std::uint8_t(std::size_t at)>& byte) {
    RgbaPicture picture{width, height, UninitialisedBytes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)};
    for (std::size_t at = 0; at < picture.rgba.size(); ++at) picture.rgba[at] = byte(at);
    return picture;
}

std::vector<PictureCase> Pictures() {
    std::mt19937 random(5);
    const auto noise = [&random](std::size_t) { return static_cast<std::uint8_t>(random()); };
    return {
        {"one pixel", Made(1, 1, [](std::size_t at) { return static_cast<std::uint8_t>(0x40 + at); })},
        {"alpha of every value",
         Made(16, 16, [](std::size_t at) { return static_cast<std::uint8_t>(at % 4 == 3 ? at / 4 : at); })},
        {"gradient, 33 rows",
         Made(57, 33, [](std::size_t at) { return static_cast<std::uint8_t>(at / 4 % 57 * 4 + at % 4); })},
        // More than a megabyte deflated: several chunks of image data.
        {"noise, 700 x 400", Made(700, 400, noise)},
        {"flat then noise",
         Made(300, 70, [&](std::size_t at) { return at < 300 * 4 * 32 ? std::uint8_t{9} : noise(at); })},
    };
}

struct Chunk {
    std::string type;
    std::size_t length;
};

std::vector<Chunk> Chunks(const Bytes& png) {
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        std::size_t length = 0;
        for (std::size_t i = 0; i < 4; ++i) length = length << 8 | png[at + i];
        chunks.push_back({std::string(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                                      png.begin() + static_cast<std::ptrdiff_t>(at + 8)),
                          length});
        at += 12 + length;
    }
    return chunks;
}

TEST(PngEncoder, EveryPictureReadsBackAsExactlyItsPixels) {
    for (const PictureCase& c : Pictures()) {
        SCOPED_TRACE(c.name);
        const Bytes png = EncodePng(c.picture);
        const RgbaPicture decoded = DecodePng(MemorySource(png), c.name);
        EXPECT_EQ(decoded.width, c.picture.width);
        EXPECT_EQ(decoded.height, c.picture.height);
        EXPECT_EQ(decoded.rgba, c.picture.rgba);
    }
}

TEST(PngEncoder, AnotherProgramReadsTheAlpha) {
    PELLITON_NEEDS_IMAGEMAGICK();
    for (const PictureCase& c : Pictures()) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        const std::string file = dir.Write("picture.png", EncodePng(c.picture));
        EXPECT_EQ(testing::DecodeWithImageMagick(file, dir, "rgba"), testing::TexelBytes(c.picture));
    }
}

// Three channels when asked: the colour type says so and the decoder gives opaque pixels.
TEST(PngEncoder, RgbRowsMakeAnOpaquePicture) {
    Bytes png;
    EncodePng({2, 1, PngChannels::kRgb},
              [](int, std::span<std::uint8_t> row) { std::ranges::copy(Bytes{1, 2, 3, 4, 5, 6}, row.begin()); },
              [&png](std::span<const std::uint8_t> bytes) { png.insert(png.end(), bytes.begin(), bytes.end()); });
    EXPECT_EQ(png[8 + 8 + 9], 2);  // the colour type, after the width, height and bit depth
    EXPECT_EQ(testing::TexelBytes(DecodePng(MemorySource(png), "rgb")), (Bytes{1, 2, 3, 255, 4, 5, 6, 255}));
}

// The encoder holds no more than a chunk of deflated bytes, whatever the picture's size; a small
// picture has one chunk of image data.
TEST(PngEncoder, ImageDataComesInChunksOfAMegabyteAtMost) {
    const std::vector<PictureCase> pictures = Pictures();
    const std::vector<Chunk> noise = Chunks(EncodePng(pictures[3].picture));
    ASSERT_EQ(noise.size(), 4u);
    EXPECT_EQ(noise[0].type, "IHDR");
    EXPECT_EQ(noise[1].type, "IDAT");
    EXPECT_EQ(noise[1].length, std::size_t{1} << 20);
    EXPECT_EQ(noise[2].type, "IDAT");
    EXPECT_EQ(noise[3].type, "IEND");
    EXPECT_EQ(Chunks(EncodePng(pictures[2].picture)).size(), 3u);
}

TEST(PngEncoder, RefusesSidesOutOfRangeBeforeWritingAnything) {
    for (const auto& [width, height] : {std::pair{0, 1}, std::pair{1, -1}, std::pair{16385, 1}}) {
        bool handedOn = false;
        EXPECT_THROW(EncodePng({width, height, PngChannels::kRgba}, [](int, std::span<std::uint8_t>) {},
                               [&](std::span<const std::uint8_t>) { handedOn = true; }),
                     PellitonError);
        EXPECT_FALSE(handedOn);
    }
}

}  // namespace
}  // namespace pelliton
