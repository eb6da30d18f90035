// The PNG writer: frames of every shape read back, by another program, as exactly their pixels;
// bands like noise are stored and flat ones deflated; every chunk carries its right checksum.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "cli/extract/PngFile.h"
#include "picture/PngBytes.h"
#include "support/ImageMagick.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using d3d8::Frame;
using testing::TempDir;

Frame Filled(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixel) {
    Frame frame(width, height, {});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) frame.pixels.push_back(pixel(x, y));
    }
    return frame;
}

struct FrameCase {
    const char* name;
    Frame frame;
};

// Pixels carry a top byte that the file must leave out.
std::vector<FrameCase> Frames() {
    std::mt19937 random(11);
    const auto noise = [&random](int, int) { return static_cast<std::uint32_t>(random()); };
    const auto gradient = [](int x, int y) {
        return static_cast<std::uint32_t>(x * 255 / 299 << 16 | y << 8 | (x + y) / 2);
    };
    return {
        {"one pixel", Filled(1, 1, [](int, int) { return 0xFF123456U; })},
        {"one colour", Filled(557, 557, [](int, int) { return 0xFF333333U; })},
        // Six bits of noise a channel: deflate would still take a sixth off, were it asked.
        {"noise", Filled(200, 150, [&](int x, int y) { return noise(x, y) & 0xFF3F3F3FU; })},
        {"smooth gradient", Filled(300, 200, gradient)},
        // Stored and deflated bands in turn, the last of them one row.
        {"noise and flat bands, 97 rows",
         Filled(557, 97, [&](int x, int y) { return y / 32 % 2 == 0 ? noise(x, y) : 0x80C040U; })},
    };
}

std::vector<std::uint8_t> Rgb(const Frame& frame) {
    std::vector<std::uint8_t> rgb;
    for (const std::uint32_t pixel : frame.pixels) {
        rgb.insert(rgb.end(), {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                               static_cast<std::uint8_t>(pixel)});
    }
    return rgb;
}

std::vector<std::uint8_t> WrittenPng(const TempDir& dir, const Frame& frame) {
    const auto path = dir.path() / "frame.png";
    WritePngFile(path, frame);
    return testing::ReadFileBytes(path);
}

TEST(PngFile, EveryFrameReadsBackAsExactlyItsPixels) {
    PELLITON_NEEDS_IMAGEMAGICK();
    for (const FrameCase& c : Frames()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WritePngFile(dir.path() / "frame.png", c.frame);
        EXPECT_EQ(testing::DecodeWithImageMagick(dir.path() / "frame.png", dir, "rgb"), Rgb(c.frame));
    }
}

// Noise is stored, though deflate would have taken a sixth off this one: the file is no smaller
// than the pixels. Flat colour shrinks to almost nothing.
TEST(PngFile, NoiseIsStoredAndFlatColourDeflated) {
    const std::vector<FrameCase> frames = Frames();
    TempDir dir;
    const Frame& flat = frames[1].frame;
    const Frame& noise = frames[2].frame;
    EXPECT_GE(WrittenPng(dir, noise).size(), Rgb(noise).size());
    EXPECT_LT(WrittenPng(dir, flat).size(), Rgb(flat).size() / 100);
}

// Rebuilt by the tests' own checksum, each chunk must come out as the file has it: IEND's
// checksum too, which covers its type alone.
TEST(PngFile, EveryChunkCarriesTheChecksumOfItsTypeAndData) {
    for (const FrameCase& c : Frames()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::vector<std::uint8_t> png = WrittenPng(dir, c.frame);
        ASSERT_GE(png.size(), 8u);
        EXPECT_EQ(testing::Bytes(png.begin(), png.begin() + 8),
                  (testing::Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

        std::vector<std::string> types;
        std::size_t at = 8;
        while (at + 12 <= png.size()) {
            std::size_t length = 0;
            for (std::size_t i = 0; i < 4; ++i) length = length << 8 | png[at + i];
            ASSERT_LE(at + 12 + length, png.size()) << "a chunk runs past the end of the file";
            const auto start = png.begin() + static_cast<std::ptrdiff_t>(at);
            const auto end = start + static_cast<std::ptrdiff_t>(12 + length);
            types.emplace_back(start + 4, start + 8);
            testing::Bytes rebuilt;
            testing::AppendChunk(rebuilt, types.back(), testing::Bytes(start + 8, end - 4));
            EXPECT_EQ(testing::Bytes(end - 4, end), testing::Bytes(rebuilt.end() - 4, rebuilt.end())) << types.back();
            at += 12 + length;
        }
        EXPECT_EQ(at, png.size()) << "bytes after the last whole chunk";
        EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    }
}

}  // namespace
}  // namespace pelliton
