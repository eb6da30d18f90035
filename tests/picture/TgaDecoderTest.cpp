// Hand-made TGA files: every origin at each depth, true colour and grey, run-length packets, the ID
// field, what follows the pixels, and each malformation refused before any large allocation.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "common/TgaFormat.h"
#include "picture/PictureFile.h"
#include "picture/Refusal.h"
#include "support/AllocationWatch.h"
#include "support/HeaderBytes.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::MalformedFile;
constexpr std::uint8_t kRunLength = 10;
constexpr std::uint8_t kGrey = 3, kGreyRunLength = 11;

Bytes TgaFile(std::uint8_t imageType, std::uint8_t depth, std::uint8_t descriptor, int width, int height,
              const Bytes& pixels, const Bytes& id = {}) {
    tga::FileHeader header;
    header.IdLength = static_cast<std::uint8_t>(id.size());
    header.ImageType = imageType;
    header.ImageWidth = static_cast<std::int16_t>(width);
    header.ImageHeight = static_cast<std::int16_t>(height);
    header.PixelDepth = depth;
    header.ImageDescriptor = descriptor;
    // Sized first: GCC 12 sees a false out-of-bounds copy when the 18 header bytes grow by insert.
    Bytes file(sizeof header + id.size() + pixels.size());
    const Bytes headerBytes = testing::HeaderBytes(header);
    const auto idAt = std::copy(headerBytes.begin(), headerBytes.end(), file.begin());
    std::copy(pixels.begin(), pixels.end(), std::copy(id.begin(), id.end(), idAt));
    return file;
}

// Pixel i of a 3 x 2 picture (rows top down: 0 1 2 / 3 4 5) as stored: blue, green, red, alpha.
Bytes StoredPixel(int i, std::uint8_t depth) {
    const auto value = [i](int offset) { return static_cast<std::uint8_t>(10 * i + offset); };
    Bytes bgra = {value(1), value(2), value(3), value(4)};
    bgra.resize(depth / 8U);
    return bgra;
}

Bytes ExpectedRgba(std::uint8_t depth) {
    Bytes rgba;
    for (int i = 0; i < 6; ++i) {
        const auto value = [i](int offset) { return static_cast<std::uint8_t>(10 * i + offset); };
        rgba.insert(rgba.end(), {value(3), value(2), value(1), depth == 32 ? value(4) : std::uint8_t{255}});
    }
    return rgba;
}

struct Origin {
    const char* label;
    std::uint8_t descriptor;
    std::array<int, 6> storedOrder;  // the picture's pixels in the order the file stores them
};

constexpr std::array kOrigins = {Origin{"bottom-left", 0x00, {3, 4, 5, 0, 1, 2}},
                                 Origin{"top-left", tga::kTopToBottom, {0, 1, 2, 3, 4, 5}},
                                 Origin{"bottom-right", tga::kRightToLeft, {5, 4, 3, 2, 1, 0}},
                                 Origin{"top-right", tga::kTopToBottom | tga::kRightToLeft, {2, 1, 0, 5, 4, 3}}};

TEST(TgaDecoder, EveryOriginAndDepthGivesTheSameTopDownPicture) {
    for (const Origin& origin : kOrigins) {
        for (const std::uint8_t depth : {tga::kDepthRgb, tga::kDepthRgba}) {
            SCOPED_TRACE(std::string(origin.label) + ", " + std::to_string(depth) + " bits");
            Bytes pixels;
            for (const int i : origin.storedOrder) {
                const Bytes pixel = StoredPixel(i, depth);
                pixels.insert(pixels.end(), pixel.begin(), pixel.end());
            }
            // Our exports declare no attribute bits (descriptor 0), yet the fourth byte is alpha.
            const TgaPicture decoded =
                DecodeTga(MemorySource(TgaFile(tga::kTrueColour, depth, origin.descriptor, 3, 2, pixels)), "p.tga");
            EXPECT_EQ(decoded.picture.width, 3);
            EXPECT_EQ(decoded.picture.height, 2);
            EXPECT_EQ(testing::TexelBytes(decoded.picture), ExpectedRgba(depth));
        }
    }
}

// Grey pixel i of the same picture as stored: grey, then alpha at 16 bits.
Bytes StoredGreyPixel(int i, std::uint8_t depth) {
    Bytes greyAlpha = {static_cast<std::uint8_t>(10 * i + 1), static_cast<std::uint8_t>(10 * i + 4)};
    greyAlpha.resize(depth / 8U);
    return greyAlpha;
}

Bytes ExpectedGreyRgba(std::uint8_t depth) {
    Bytes rgba;
    for (int i = 0; i < 6; ++i) {
        const auto grey = static_cast<std::uint8_t>(10 * i + 1);
        const auto alpha = depth == 16 ? static_cast<std::uint8_t>(10 * i + 4) : std::uint8_t{255};
        rgba.insert(rgba.end(), {grey, grey, grey, alpha});
    }
    return rgba;
}

TEST(TgaDecoder, GreyOfEitherTypeDepthAndOriginGivesTheSameTopDownPicture) {
    for (const Origin& origin : kOrigins) {
        for (const std::uint8_t depth : {std::uint8_t{8}, std::uint8_t{16}}) {
            for (const std::uint8_t type : {kGrey, kGreyRunLength}) {
                SCOPED_TRACE(std::string(origin.label) + ", " + std::to_string(depth) + " bits, type " +
                             std::to_string(type));
                // The run-length file holds the six pixels in one raw packet.
                Bytes pixels = type == kGreyRunLength ? Bytes{0x05} : Bytes{};
                for (const int i : origin.storedOrder) {
                    const Bytes pixel = StoredGreyPixel(i, depth);
                    pixels.insert(pixels.end(), pixel.begin(), pixel.end());
                }
                const TgaPicture decoded =
                    DecodeTga(MemorySource(TgaFile(type, depth, origin.descriptor, 3, 2, pixels)), "g.tga");
                EXPECT_EQ(decoded.picture.width, 3);
                EXPECT_EQ(decoded.picture.height, 2);
                EXPECT_EQ(testing::TexelBytes(decoded.picture), ExpectedGreyRgba(depth));
            }
        }
    }
}

TEST(TgaDecoder, GreyRunsRepeatGreyAndAlphaAcrossRows) {
    // 2 x 2, bottom row first: a run of three (grey 7, alpha 8), then a raw pixel (grey 9, alpha 6).
    const TgaPicture decoded =
        DecodeTga(MemorySource(TgaFile(kGreyRunLength, 16, 0, 2, 2, {0x82, 7, 8, 0x00, 9, 6})), "g.tga");
    EXPECT_EQ(testing::TexelBytes(decoded.picture), (Bytes{7, 7, 7, 8, 9, 9, 9, 6, 7, 7, 7, 8, 7, 7, 7, 8}));
}

TEST(TgaDecoder, SkipsTheIdFieldAndReturnsWhatFollowsThePixels) {
    const Bytes trailing = {9, 8, 7, 6, 5};
    Bytes pixels = StoredPixel(0, 32);
    pixels.insert(pixels.end(), trailing.begin(), trailing.end());
    const Bytes file = TgaFile(tga::kTrueColour, 32, 0, 1, 1, pixels, {'a', 'b', 'c'});
    const MemorySource source(file);
    const TgaPicture decoded = DecodeTga(source, "id.tga");
    EXPECT_EQ(testing::TexelBytes(decoded.picture), (Bytes{3, 2, 1, 4}));
    // Left in the file, to be read when wanted.
    EXPECT_EQ(decoded.trailingBytes.source, &source);
    EXPECT_EQ(decoded.trailingBytes.offset, 18u + 3 + 4);
    EXPECT_EQ(decoded.trailingBytes.length, trailing.size());
}

TEST(TgaDecoder, RunLengthRunsAndRawPacketsMayCrossRows) {
    const Bytes a = StoredPixel(0, 32), b = StoredPixel(1, 32), c = StoredPixel(2, 32);
    // Bottom row first: a run of four a, then a raw packet of b and c.
    Bytes packets = {0x83};
    packets.insert(packets.end(), a.begin(), a.end());
    packets.push_back(0x01);
    for (const Bytes* pixel : {&b, &c}) packets.insert(packets.end(), pixel->begin(), pixel->end());
    packets.insert(packets.end(), {1, 2, 3});  // bytes after the last packet are no trailing pixels
    const TgaPicture decoded = DecodeTga(MemorySource(TgaFile(kRunLength, 32, 0, 3, 2, packets)), "rle.tga");
    const Bytes expected = {3, 2, 1, 4, 13, 12, 11, 14, 23, 22, 21, 24, 3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4};
    EXPECT_EQ(testing::TexelBytes(decoded.picture), expected);
    EXPECT_EQ(decoded.trailingBytes.Size(), 0u);
}

TEST(TgaDecoder, HoldsNothingAsLargeAsThePictureBesideIt) {
    // 32-bit files a little larger than their picture: a copy of the file would be the largest
    // allocation. The run-length one is raw packets of one pixel each.
    constexpr int kSide = 256;
    constexpr std::size_t kPictureBytes = std::size_t{kSide} * kSide * 4;
    Bytes uncompressed(kPictureBytes + 4096, 7);  // the picture's pixels, then lower levels
    Bytes packets;
    for (std::size_t i = 0; i < kPictureBytes / 4; ++i) packets.insert(packets.end(), {0x00, 1, 2, 3, 4});
    const std::array files = {TgaFile(tga::kTrueColour, 32, 0, kSide, kSide, uncompressed),
                              TgaFile(kRunLength, 32, 0, kSide, kSide, packets)};
    for (const Bytes& file : files) {
        const testing::AllocationWatch watch;
        const TgaPicture decoded = DecodeTga(MemorySource(file), "big.tga");
        // The picture itself comes from the heap only where large buffers do not come from mapped pages.
        EXPECT_LE(watch.LargestRequest(), kPictureBytes);
        EXPECT_EQ(decoded.picture.rgba.size(), kPictureBytes);
    }
}

// The first length bytes of file.
Bytes Cut(Bytes file, std::size_t length) {
    file.resize(length);
    return file;
}

TEST(TgaDecoder, RefusesEachMalformationBeforeAnyLargeAllocation) {
    Bytes colourMapped = TgaFile(tga::kTrueColour, 32, 0, 1, 1, Bytes(4));
    colourMapped[1] = 1;
    const std::array cases = {
        MalformedFile{"short header", Bytes(17), "17 bytes, shorter than the 18-byte TGA header"},
        MalformedFile{"colour map", colourMapped, "colour map (type 1)"},
        MalformedFile{"16 bits", TgaFile(tga::kTrueColour, 16, 0, 1, 1, Bytes(2)),
                      "its true-colour pixels have 16 bits; only 24 and 32 are read"},
        MalformedFile{"grey at 24 bits", TgaFile(kGrey, 24, 0, 1, 1, Bytes(3)),
                      "its grey pixels have 24 bits; only 8 and 16 are read"},
        MalformedFile{"run-length grey at 32 bits", TgaFile(kGreyRunLength, 32, 0, 1, 1, {0, 1, 2, 3, 4}),
                      "its grey pixels have 32 bits"},
        MalformedFile{"colour-mapped type", TgaFile(1, 8, 0, 1, 1, Bytes(1)),
                      "its TGA image type is 1; only 2 (true-colour), 3 (grey), 10 (run-length true-colour) and 11 "
                      "(run-length grey) are read"},
        MalformedFile{"run-length colour-mapped type", TgaFile(9, 8, 0, 1, 1, {0, 1}), "its TGA image type is 9;"},
        MalformedFile{"zero width", TgaFile(tga::kTrueColour, 32, 0, 0, 2, {}),
                      "its size 0 x 2 is outside 1 to 16384 pixels a side"},
        MalformedFile{"too wide", TgaFile(tga::kTrueColour, 32, 0, 65535, 1, {}), "size 65535 x 1 is outside"},
        MalformedFile{"short ID", Cut(TgaFile(tga::kTrueColour, 32, 0, 1, 1, {}, Bytes(200)), 28),
                      "the file ends inside its 200-byte ID field"},
        MalformedFile{"short pixels", TgaFile(tga::kTrueColour, 32, 0, 3, 2, Bytes(23)),
                      "holds 23 bytes of pixels, but 3 x 2 at 32 bits needs 24"},
        MalformedFile{"one byte of pixels", TgaFile(tga::kTrueColour, 32, 0, 1, 1, Bytes(1)),
                      "holds 1 byte of pixels, but 1 x 1 at 32 bits needs 4"},
        MalformedFile{"short grey", TgaFile(kGrey, 8, 0, 3, 2, Bytes(5)),
                      "holds 5 bytes of pixels, but 3 x 2 at 8 bits needs 6"},
        MalformedFile{"short grey and alpha", TgaFile(kGrey, 16, 0, 3, 2, Bytes(11)),
                      "holds 11 bytes of pixels, but 3 x 2 at 16 bits needs 12"},
        MalformedFile{"huge uncompressed", TgaFile(tga::kTrueColour, 24, 0, 16384, 16384, Bytes(30)),
                      "holds 30 bytes of pixels, but 16384 x 16384 at 24 bits needs 805306368"},
        MalformedFile{"huge grey", TgaFile(kGrey, 16, 0, 16384, 16384, Bytes(30)),
                      "holds 30 bytes of pixels, but 16384 x 16384 at 16 bits needs 536870912"},
        MalformedFile{"huge run-length", TgaFile(kRunLength, 32, 0, 16384, 16384, Bytes(30)),
                      "the run-length packets in its 30 bytes make at most 768 pixels, but 16384 x 16384 needs "
                      "268435456"},
        MalformedFile{"huge run-length grey", TgaFile(kGreyRunLength, 8, 0, 16384, 16384, Bytes(30)),
                      "the run-length packets in its 30 bytes make at most 1920 pixels"},
        MalformedFile{"packet past the picture", TgaFile(kRunLength, 32, 0, 2, 2, {0x84, 1, 2, 3, 4}),
                      "packet at byte 18 holds 5 pixels, but only 4 pixels remain"},
        MalformedFile{"packet past the last pixel", TgaFile(kGreyRunLength, 8, 0, 2, 2, {0x82, 1, 0x81, 2}),
                      "packet at byte 20 holds 2 pixels, but only 1 pixel remains to fill the picture"},
        MalformedFile{"grey packet past the file", TgaFile(kGreyRunLength, 16, 0, 2, 2, {0x01, 1, 2, 3}),
                      "the file ends inside the run-length packet at byte 18"},
        MalformedFile{"grey run past the file", TgaFile(kGreyRunLength, 16, 0, 2, 2, {0x80, 1, 2, 0x80, 3}),
                      "the file ends inside the run-length packet at byte 21"},
        MalformedFile{"packet past the file", TgaFile(kRunLength, 32, 0, 2, 2, {0x81, 1, 2, 3, 4, 0x01, 1, 2, 3, 4, 5}),
                      "the file ends inside the run-length packet at byte 23"},
        MalformedFile{"packets end early", TgaFile(kRunLength, 32, 0, 2, 2, {0x81, 1, 2, 3, 4}),
                      "the run-length pixels end after 2 of its 4 pixels"},
    };
    testing::ExpectEachRefusedSmall(
        cases, [](const Bytes& file, const std::string& name) { DecodeTga(MemorySource(file), name); }, "bad.tga",
        4096u);
}

}  // namespace
}  // namespace pelliton
