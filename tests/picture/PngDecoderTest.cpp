// PNG files made byte by byte: what the decoder converts to RGBA, for every colour type, depth and
// interlacing, and what it refuses before it allocates for the picture.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/ByteSource.h"
#include "picture/PictureFile.h"
#include "picture/PngBytes.h"
#include "picture/Refusal.h"
#include "support/AllocationWatch.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

using testing::Bytes;
using testing::MalformedFile;
using testing::PngFile;
using testing::PngParts;
using testing::StoredZlib;

constexpr std::uint8_t kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6;

RgbaPicture Decode(const Bytes& file) { return DecodePng(MemorySource(file), "p.png"); }

// A picture as its samples, each pixel's in order, rows top down; and what the file declares.
struct SamplePicture {
    std::uint32_t width;
    std::uint32_t height;
    std::uint8_t bitDepth;
    std::uint8_t colourType;
    std::vector<std::uint16_t> samples;

    int SamplesPerPixel() const {
        return colourType == kRgb ? 3 : colourType == kGreyAlpha ? 2 : colourType == kRgba ? 4 : 1;
    }
    const std::uint16_t* Pixel(std::uint32_t x, std::uint32_t y) const {
        return &samples[(std::size_t{y} * width + x) * static_cast<std::size_t>(SamplesPerPixel())];
    }
};

// Samples that differ from pixel to pixel and from channel to channel, each below limit.
SamplePicture MakeSamples(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth, std::uint8_t colourType,
                          std::uint32_t limit) {
    SamplePicture picture{width, height, bitDepth, colourType, {}};
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            for (int c = 0; c < picture.SamplesPerPixel(); ++c) {
                picture.samples.push_back(static_cast<std::uint16_t>((x * 4099 + y * 7919 + c * 30011 + 11) % limit));
            }
        }
    }
    return picture;
}

// Samples packed as a PNG row: 16 bits big-endian, 8 bits a byte, smaller ones leftmost in a
// byte's high bits.
void PackRow(const std::vector<std::uint16_t>& samples, std::uint8_t bitDepth, Bytes& out) {
    if (bitDepth >= 8) {
        for (const std::uint16_t sample : samples) {
            if (bitDepth == 16) out.push_back(static_cast<std::uint8_t>(sample >> 8));
            out.push_back(static_cast<std::uint8_t>(sample));
        }
        return;
    }
    int used = 8;
    for (const std::uint16_t sample : samples) {
        if (used == 8) {
            out.push_back(0);
            used = 0;
        }
        used += bitDepth;
        out.back() = static_cast<std::uint8_t>(out.back() | sample << (8 - used));
    }
}

struct TestPass {
    std::uint32_t x0, y0, dx, dy;
};
constexpr std::array<TestPass, 7> kAdam7 = {
    {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};

// The image data as it inflates, every row with filter 0 (none); passes hold their pixels in
// order, and an empty pass has no rows.
Bytes UnfilteredRows(const SamplePicture& picture, bool interlaced) {
    const std::vector<TestPass> passes =
        interlaced ? std::vector<TestPass>(kAdam7.begin(), kAdam7.end()) : std::vector<TestPass>{{0, 0, 1, 1}};
    Bytes rows;
    for (const TestPass& pass : passes) {
        if (pass.x0 >= picture.width) continue;
        for (std::uint32_t y = pass.y0; y < picture.height; y += pass.dy) {
            std::vector<std::uint16_t> samples;
            for (std::uint32_t x = pass.x0; x < picture.width; x += pass.dx) {
                samples.insert(samples.end(), picture.Pixel(x, y), picture.Pixel(x, y) + picture.SamplesPerPixel());
            }
            rows.push_back(0);
            PackRow(samples, picture.bitDepth, rows);
        }
    }
    return rows;
}

std::uint8_t To8Bits(std::uint16_t sample, std::uint8_t bitDepth) {
    if (bitDepth == 16) return static_cast<std::uint8_t>(sample >> 8);
    return static_cast<std::uint8_t>(sample * 255 / ((1 << bitDepth) - 1));
}

// What each pixel should decode to, with the palette and transparency chunks as given.
Bytes ExpectedRgba(const SamplePicture& picture, const Bytes& palette, const Bytes& transparency) {
    Bytes rgba;
    const auto depth = picture.bitDepth;
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        for (std::uint32_t x = 0; x < picture.width; ++x) {
            const std::uint16_t* s = picture.Pixel(x, y);
            switch (picture.colourType) {
                case kPalette:
                    rgba.insert(rgba.end(), {palette[3 * s[0]], palette[3 * s[0] + 1], palette[3 * s[0] + 2],
                                             s[0] < transparency.size() ? transparency[s[0]] : std::uint8_t{255}});
                    break;
                case kGreyAlpha:
                    rgba.insert(rgba.end(), 3, To8Bits(s[0], depth));
                    rgba.push_back(To8Bits(s[1], depth));
                    break;
                case kRgba:
                    for (int c = 0; c < 4; ++c) rgba.push_back(To8Bits(s[c], depth));
                    break;
                default: {  // grey or RGB, transparent where all samples equal tRNS's
                    const int n = picture.SamplesPerPixel();
                    bool clear = !transparency.empty();
                    for (int c = 0; c < n; ++c) {
                        rgba.push_back(To8Bits(s[c], depth));
                        clear = clear && (transparency[2 * c] << 8 | transparency[2 * c + 1]) == s[c];
                    }
                    if (n == 1) rgba.insert(rgba.end(), 2, rgba.back());
                    rgba.push_back(clear ? 0 : 255);
                }
            }
        }
    }
    return rgba;
}

struct Layout {
    std::uint8_t colourType;
    std::uint8_t bitDepth;
};

// One picture of the table below: its samples made, written as a PNG file, decoded and compared.
struct ColourCase {
    Layout layout;
    std::uint32_t width;
    std::uint32_t height;
    bool interlaced;
    bool withTransparency;

    void ExpectDecoded() const {
        const bool palette = layout.colourType == kPalette;
        // A palette of 5 colours, or fewer when the depth allows fewer.
        const std::uint32_t limit = palette ? std::min(5, 1 << layout.bitDepth) : 1U << layout.bitDepth;
        const SamplePicture picture = MakeSamples(width, height, layout.bitDepth, layout.colourType, limit);
        PngParts parts{
            width, height, layout.bitDepth, layout.colourType, interlaced ? std::uint8_t{1} : std::uint8_t{0},
            {},    {},     SIZE_MAX};
        Bytes plte, trns;
        if (palette) {
            for (std::uint32_t i = 0; i < limit; ++i) {
                plte.insert(plte.end(), {static_cast<std::uint8_t>(10 + i), static_cast<std::uint8_t>(90 - i),
                                         static_cast<std::uint8_t>(40 * i)});
            }
            parts.before.emplace_back("PLTE", plte);
            if (withTransparency) trns = Bytes((limit + 1) / 2, 77);  // the first half of the entries
        } else if (withTransparency) {
            // The colour of the last pixel, so that at least one pixel is transparent.
            const std::uint16_t* last = picture.Pixel(width - 1, height - 1);
            for (int c = 0; c < picture.SamplesPerPixel(); ++c) {
                trns.insert(trns.end(), {static_cast<std::uint8_t>(last[c] >> 8), static_cast<std::uint8_t>(last[c])});
            }
        }
        if (!trns.empty()) parts.before.emplace_back("tRNS", trns);
        parts.zlib = StoredZlib(UnfilteredRows(picture, interlaced));
        const RgbaPicture decoded = Decode(parts.Assemble());
        EXPECT_EQ(decoded.width, static_cast<int>(width));
        EXPECT_EQ(decoded.height, static_cast<int>(height));
        EXPECT_EQ(testing::TexelBytes(decoded), ExpectedRgba(picture, plte, trns));
    }
};

TEST(PngDecoder, DecodesEveryColourTypeDepthAndInterlacing) {
    const std::array layouts = {Layout{kGrey, 1},       Layout{kGrey, 2},    Layout{kGrey, 4},    Layout{kGrey, 8},
                                Layout{kGrey, 16},      Layout{kRgb, 8},     Layout{kRgb, 16},    Layout{kPalette, 1},
                                Layout{kPalette, 2},    Layout{kPalette, 4}, Layout{kPalette, 8}, Layout{kGreyAlpha, 8},
                                Layout{kGreyAlpha, 16}, Layout{kRgba, 8},    Layout{kRgba, 16}};
    // 9 x 7 fills every interlace pass; 1 x 1 leaves six of them empty; 3 x 2 has partial bytes.
    const std::array<std::pair<std::uint32_t, std::uint32_t>, 3> sides = {{{9, 7}, {1, 1}, {3, 2}}};
    std::vector<ColourCase> cases;
    for (const Layout& layout : layouts) {
        const bool hasAlpha = layout.colourType == kGreyAlpha || layout.colourType == kRgba;
        for (const auto& [width, height] : sides) {
            for (const bool interlaced : {false, true}) {
                cases.push_back({layout, width, height, interlaced, false});
                if (!hasAlpha) cases.push_back({layout, width, height, interlaced, true});
            }
        }
    }
    for (const ColourCase& c : cases) {
        SCOPED_TRACE("colour type " + std::to_string(c.layout.colourType) + ", " + std::to_string(c.layout.bitDepth) +
                     " bits, " + std::to_string(c.width) + " x " + std::to_string(c.height) +
                     (c.interlaced ? ", interlaced" : "") + (c.withTransparency ? ", with tRNS" : ""));
        c.ExpectDecoded();
    }
}

TEST(PngDecoder, ConvertsEachColourTypeToRgba) {
    // 2 x 1 pictures, rows with filter byte 0 (none).
    PngParts palette{2, 1, 8, kPalette, 0, {{"PLTE", {10, 20, 30, 40, 50, 60}}}, StoredZlib({0, 1, 0}), SIZE_MAX};
    const std::array cases = {
        std::pair{PngFile(2, 1, 8, kRgba, {0, 1, 2, 3, 4, 5, 6, 7, 8}), Bytes{1, 2, 3, 4, 5, 6, 7, 8}},
        std::pair{PngFile(2, 1, 8, kRgb, {0, 1, 2, 3, 4, 5, 6}), Bytes{1, 2, 3, 255, 4, 5, 6, 255}},
        std::pair{PngFile(2, 1, 8, kGrey, {0, 7, 9}), Bytes{7, 7, 7, 255, 9, 9, 9, 255}},
        std::pair{PngFile(2, 1, 16, kGrey, {0, 0x12, 0x34, 0xAB, 0xCD}),
                  Bytes{0x12, 0x12, 0x12, 255, 0xAB, 0xAB, 0xAB, 255}},
        std::pair{palette.Assemble(), Bytes{40, 50, 60, 255, 10, 20, 30, 255}},
    };
    for (const auto& [file, rgba] : cases) {
        const RgbaPicture picture = Decode(file);
        EXPECT_EQ(picture.width, 2);
        EXPECT_EQ(picture.height, 1);
        EXPECT_EQ(testing::TexelBytes(picture), rgba);
    }
}

// Filters packed rows as an encoder does: each byte less its prediction from the byte a unit to
// its left (a), the byte above (b) and the byte above that one's left (c).
Bytes Filtered(const Bytes& raw, std::size_t rowBytes, std::size_t unit, const std::vector<std::uint8_t>& types) {
    Bytes out;
    for (std::size_t r = 0; r * rowBytes < raw.size(); ++r) {
        const std::uint8_t type = types[r % types.size()];
        out.push_back(type);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const auto at = [&](std::size_t row, std::size_t column) { return int{raw[row * rowBytes + column]}; };
            const int a = i >= unit ? at(r, i - unit) : 0;
            const int b = r > 0 ? at(r - 1, i) : 0;
            const int c = r > 0 && i >= unit ? at(r - 1, i - unit) : 0;
            const int p = a + b - c;
            const int paeth = std::abs(p - a) <= std::abs(p - b) && std::abs(p - a) <= std::abs(p - c) ? a
                              : std::abs(p - b) <= std::abs(p - c)                                     ? b
                                                                                                       : c;
            const std::array<int, 5> prediction = {0, a, b, (a + b) / 2, paeth};
            out.push_back(static_cast<std::uint8_t>(at(r, i) - prediction[type]));
        }
    }
    return out;
}

// Random samples of a few small values and the highest one: the predictors meet ties
// and wrap around.
SamplePicture FewValues(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth, std::uint8_t colourType) {
    SamplePicture picture = MakeSamples(width, height, bitDepth, colourType, 1);
    std::mt19937 random(5);
    const std::array<std::uint16_t, 6> values = {0, 1, 2, 3, 4, static_cast<std::uint16_t>((1U << bitDepth) - 1)};
    for (std::uint16_t& sample : picture.samples) sample = values[random() % values.size()];
    return picture;
}

TEST(PngDecoder, UndoesEachFilterForEachPixelSize) {
    // Pixels of 1 (4-bit grey), 2, 3, 4, 6 and 8 bytes: the filters' unit.
    const std::array layouts = {Layout{kGrey, 4}, Layout{kGreyAlpha, 8}, Layout{kRgb, 8},
                                Layout{kRgba, 8}, Layout{kRgb, 16},      Layout{kRgba, 16}};
    const std::vector<std::vector<std::uint8_t>> filterOrders = {{0}, {1}, {2}, {3}, {4}, {4, 3, 2, 1, 0}};
    constexpr std::uint32_t kWidth = 7, kHeight = 6;
    for (const Layout& layout : layouts) {
        const std::array pictures = {
            MakeSamples(kWidth, kHeight, layout.bitDepth, layout.colourType, 1U << layout.bitDepth),
            FewValues(kWidth, kHeight, layout.bitDepth, layout.colourType)};
        for (const SamplePicture& picture : pictures) {
            for (const auto& types : filterOrders) {
                SCOPED_TRACE("colour type " + std::to_string(layout.colourType) + ", " +
                             std::to_string(layout.bitDepth) + " bits, first filter " + std::to_string(types[0]));
                Bytes raw;
                for (std::uint32_t y = 0; y < kHeight; ++y) {
                    PackRow({picture.Pixel(0, y), picture.Pixel(0, y) + kWidth * picture.SamplesPerPixel()},
                            layout.bitDepth, raw);
                }
                const std::size_t unit = std::max<std::size_t>(1, picture.SamplesPerPixel() * layout.bitDepth / 8);
                const Bytes filtered = Filtered(raw, raw.size() / kHeight, unit, types);
                const PngParts parts{kWidth, kHeight, layout.bitDepth,      layout.colourType,
                                     0,      {},      StoredZlib(filtered), SIZE_MAX};
                EXPECT_EQ(testing::TexelBytes(Decode(parts.Assemble())), ExpectedRgba(picture, {}, {}));
            }
        }
    }
}

TEST(PngDecoder, ReadsImageDataSplitAnywhereAmongChunks) {
    const SamplePicture picture = MakeSamples(9, 7, 8, kRgba, 256);
    const Bytes expected = ExpectedRgba(picture, {}, {});
    for (const bool interlaced : {false, true}) {
        PngParts parts{9, 7, 8, kRgba, static_cast<std::uint8_t>(interlaced ? 1 : 0), {}, {}, SIZE_MAX};
        parts.zlib = StoredZlib(UnfilteredRows(picture, interlaced));
        for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{100}, SIZE_MAX}) {
            SCOPED_TRACE(std::to_string(piece) + "-byte chunks" + (interlaced ? ", interlaced" : ""));
            parts.idatPiece = piece;
            EXPECT_EQ(testing::TexelBytes(Decode(parts.Assemble())), expected);
        }
        // An ancillary chunk before the image data, and an empty image data chunk first.
        SCOPED_TRACE("an empty IDAT first");
        parts.before = {{"tEXt", {'a', 0, 'b'}}, {"IDAT", {}}};
        EXPECT_EQ(testing::TexelBytes(Decode(parts.Assemble())), expected);
    }
}

TEST(PngDecoder, IgnoresWhatFollowsThePixels) {
    const Bytes rows = {0, 1, 2, 3, 4, 0, 5, 6, 7, 8};
    const Bytes expected = {1, 2, 3, 4, 5, 6, 7, 8};
    Bytes afterEnd = PngFile(1, 2, 8, kRgba, rows);
    afterEnd.insert(afterEnd.end(), {'j', 'u', 'n', 'k'});
    Bytes extraRows = rows;
    extraRows.insert(extraRows.end(), 10, 0);
    PngParts afterStream{1, 2, 8, kRgba, 0, {}, StoredZlib(rows), 5};
    afterStream.zlib.insert(afterStream.zlib.end(), {9, 9, 9});
    const std::array files = {afterEnd, PngFile(1, 2, 8, kRgba, extraRows), afterStream.Assemble()};
    for (const Bytes& file : files) EXPECT_EQ(testing::TexelBytes(Decode(file)), expected);
}

TEST(PngDecoder, HoldsNothingAsLargeAsThePictureBesideIt) {
    // Stored image data makes the file larger than the picture: a copy of the file or of the
    // inflated data would be the largest allocation.
    constexpr std::uint32_t kSide = 1024;
    for (const bool interlaced : {false, true}) {
        SCOPED_TRACE(interlaced ? "interlaced" : "not interlaced");
        const SamplePicture picture = MakeSamples(kSide, kSide, 8, kRgba, 256);
        PngParts parts{kSide, kSide, 8, kRgba, static_cast<std::uint8_t>(interlaced ? 1 : 0), {}, {}, 65536};
        parts.zlib = StoredZlib(UnfilteredRows(picture, interlaced));
        const Bytes file = parts.Assemble();
        ASSERT_GT(file.size(), std::size_t{kSide} * kSide * 4);
        const testing::AllocationWatch watch;
        const RgbaPicture decoded = Decode(file);
        // The picture itself comes from the heap only where large buffers do not come from mapped pages.
        EXPECT_LE(watch.LargestRequest(), std::size_t{kSide} * kSide * 4);
        EXPECT_EQ(testing::TexelBytes(decoded), ExpectedRgba(picture, {}, {}));
    }
}

// A copy of file with the byte at from changed.
Bytes Changed(Bytes file, std::size_t at, std::uint8_t value) {
    file.at(at) = value;
    return file;
}

Bytes Cut(Bytes file, std::size_t size) {
    file.resize(size);
    return file;
}

TEST(PngDecoder, RefusesBeforeAnyLargeAllocation) {
    const Bytes oneRgba = PngFile(1, 1, 8, kRgba, {0, 1, 2, 3, 4});  // IDAT at byte 33, its data at 41
    const Bytes twoRows = {0, 1, 2, 3, 4, 0, 5, 6, 7, 8};
    PngParts cutStream{1, 2, 8, kRgba, 0, {}, StoredZlib(twoRows), SIZE_MAX};
    cutStream.zlib.resize(cutStream.zlib.size() - 6);
    PngParts badAdler{1, 2, 8, kRgba, 0, {}, StoredZlib(twoRows), SIZE_MAX};
    badAdler.zlib.back() ^= 1;
    const PngParts noPalette{1, 1, 8, kPalette, 0, {}, StoredZlib({0, 0}), SIZE_MAX};
    const PngParts longTrns{1,       1, 8, kPalette, 0, {{"PLTE", {1, 2, 3}}, {"tRNS", {1, 2}}}, StoredZlib({0, 0}),
                            SIZE_MAX};
    const PngParts trnsBeforePlte{1,       1, 8, kPalette, 0, {{"tRNS", {1}}, {"PLTE", {1, 2, 3}}}, StoredZlib({0, 0}),
                                  SIZE_MAX};
    const PngParts trnsWithAlpha{1,       1, 8, kRgba, 0, {{"tRNS", {0, 1, 0, 2, 0, 3}}}, StoredZlib({0, 1, 2, 3, 4}),
                                 SIZE_MAX};
    const PngParts shortGreyTrns{1, 1, 8, kGrey, 0, {{"tRNS", {0}}}, StoredZlib({0, 1}), SIZE_MAX};
    const PngParts longPalette{1, 1, 8, kPalette, 0, {{"PLTE", Bytes(771, 1)}}, StoredZlib({0, 0}), SIZE_MAX};
    const PngParts unknownCritical{1, 1, 8, kRgba, 0, {{"ABCD", {}}}, StoredZlib({0, 1, 2, 3, 4}), SIZE_MAX};
    const PngParts badPaletteCrc{1, 1, 8, kPalette, 0, {{"PLTE", {1, 2, 3}}}, StoredZlib({0, 0}), SIZE_MAX};
    const PngParts interlacedFilter7{1, 1, 8, kRgba, 1, {}, StoredZlib({7, 1, 2, 3, 4}), SIZE_MAX};
    const PngParts interlace2{1, 1, 8, kRgba, 2, {}, StoredZlib({0, 1, 2, 3, 4}), SIZE_MAX};
    const std::array cases = {
        MalformedFile{"a TGA file", Bytes(40), "not a PNG file"},
        MalformedFile{"cut in IHDR", Cut(oneRgba, 20), "ends inside its PNG header"},
        MalformedFile{"first chunk not IHDR", Changed(oneRgba, 12, 'X'), "first chunk is not the 13-byte PNG header"},
        MalformedFile{"IHDR CRC", Changed(oneRgba, 29, 0), "CRC of its PNG chunk IHDR at byte 8 does not match"},
        MalformedFile{"zero height", PngFile(1, 0, 8, kRgba, {}), "size 1 x 0 is outside"},
        MalformedFile{"too wide", PngFile(16385, 1, 8, kRgba, {}), "size 16385 x 1 is outside"},
        MalformedFile{"colour type 5", PngFile(1, 1, 8, 5, {0, 1}), "colour type 5 does not exist"},
        MalformedFile{"16-bit palette", PngFile(1, 1, 16, kPalette, {0, 1}), "colour type 3 cannot have 16-bit"},
        MalformedFile{"4-bit RGB", PngFile(1, 1, 4, kRgb, {0, 1, 2}), "colour type 2 cannot have 4-bit"},
        MalformedFile{"interlace method 2", interlace2.Assemble(), "interlace method 2 does not exist"},
        // 16384 rows of 1 + 65536 bytes inflate to 1073758208 bytes; no 70-byte file can hold them.
        MalformedFile{"huge", PngFile(16384, 16384, 8, kRgba, {}),
                      "need 1073758208 bytes of image data, more than its"},
        MalformedFile{"chunk beyond the file", Changed(oneRgba, 33, 0x7F),
                      "chunk at byte 33 declares 2130706448 bytes, more than"},
        MalformedFile{"cut in IDAT", Cut(oneRgba, 50), "chunk at byte 33 declares 16 bytes, more than the file"},
        MalformedFile{"cut in a chunk's frame", Cut(oneRgba, oneRgba.size() - 4), "ends inside the PNG chunk at byte"},
        MalformedFile{"no IEND", Cut(oneRgba, oneRgba.size() - 12), "ends before its PNG end chunk (IEND)"},
        MalformedFile{"IDAT CRC", Changed(oneRgba, 58, 9), "CRC of its PNG chunk IDAT at byte 33 does not match"},
        MalformedFile{"IEND CRC", Changed(oneRgba, oneRgba.size() - 1, 0), "CRC of its PNG chunk IEND at byte"},
        MalformedFile{"PLTE CRC", Changed(badPaletteCrc.Assemble(), 47, 0), "CRC of its PNG chunk PLTE at byte 33"},
        MalformedFile{"not zlib", Changed(Changed(oneRgba, 41, 0x79), 57, 0), "not a sound zlib stream"},
        MalformedFile{"Adler-32", badAdler.Assemble(), "not a sound zlib stream: incorrect data check"},
        MalformedFile{"zlib stream cut", cutStream.Assemble(), "image data (IDAT) ends inside its zlib stream"},
        MalformedFile{"short image data", PngFile(1, 2, 8, kRgba, {0, 1, 2, 3, 4}),
                      "its image data ends inside row 2 of 2"},
        MalformedFile{"filter type 5", PngFile(1, 1, 8, kRgba, {5, 1, 2, 3, 4}), "row 1 of 1 has filter type 5"},
        MalformedFile{"interlaced, filter type 7", interlacedFilter7.Assemble(),
                      "row 1 of 1 of interlace pass 1 has filter type 7"},
        MalformedFile{"no palette", noPalette.Assemble(), "no palette (PLTE) comes before its image data"},
        MalformedFile{"palette of 257", longPalette.Assemble(), "holds 771 bytes, not 3 for each of up to 256"},
        MalformedFile{"tRNS after PLTE", trnsBeforePlte.Assemble(), "tRNS chunk at byte 33 comes before its palette"},
        MalformedFile{"tRNS too long", longTrns.Assemble(), "gives 2 alphas, more than its palette's 1 colours"},
        MalformedFile{"tRNS with alpha", trnsWithAlpha.Assemble(), "but its pixels have alpha"},
        MalformedFile{"grey tRNS of 1 byte", shortGreyTrns.Assemble(), "holds 1 byte, not 2 for each sample"},
        MalformedFile{"unknown critical chunk", unknownCritical.Assemble(),
                      "ABCD chunk at byte 33 is not expected before the image data"},
    };
    testing::ExpectEachRefusedSmall(
        cases, [](const Bytes& file, const std::string& name) { DecodePng(MemorySource(file), name); }, "bad.png",
        65536u);
}

}  // namespace
}  // namespace pelliton
