// PNG files made byte by byte: what the decoder converts to RGBA, and what it refuses before stb
// allocates for the picture.
#include <gtest/gtest.h>

#include <array>

#include "picture/PictureFile.h"
#include "picture/PngBytes.h"
#include "picture/Refusal.h"

namespace pelliton {
namespace {

using testing::Bytes;
using testing::MalformedFile;
using testing::PngFile;

constexpr std::uint8_t kGrey = 0, kRgb = 2, kPalette = 3, kRgba = 6;

TEST(PngDecoder, ConvertsEachColourTypeToRgba) {
    // 2 x 1 pictures, rows with filter byte 0 (none).
    Bytes palette = PngFile(2, 1, 8, kPalette, {0, 1, 0});
    // PLTE goes before the image data: after the 33 bytes of signature and IHDR.
    Bytes plte;
    testing::AppendChunk(plte, "PLTE", {10, 20, 30, 40, 50, 60});
    palette.insert(palette.begin() + 33, plte.begin(), plte.end());
    const std::array cases = {
        std::pair{PngFile(2, 1, 8, kRgba, {0, 1, 2, 3, 4, 5, 6, 7, 8}), Bytes{1, 2, 3, 4, 5, 6, 7, 8}},
        std::pair{PngFile(2, 1, 8, kRgb, {0, 1, 2, 3, 4, 5, 6}), Bytes{1, 2, 3, 255, 4, 5, 6, 255}},
        std::pair{PngFile(2, 1, 8, kGrey, {0, 7, 9}), Bytes{7, 7, 7, 255, 9, 9, 9, 255}},
        std::pair{PngFile(2, 1, 16, kGrey, {0, 0x12, 0x34, 0xAB, 0xCD}),
                  Bytes{0x12, 0x12, 0x12, 255, 0xAB, 0xAB, 0xAB, 255}},
        std::pair{palette, Bytes{40, 50, 60, 255, 10, 20, 30, 255}},
    };
    for (const auto& [file, rgba] : cases) {
        const RgbaPicture picture = DecodePng(file, "p.png");
        EXPECT_EQ(picture.width, 2);
        EXPECT_EQ(picture.height, 1);
        EXPECT_EQ(picture.rgba, rgba);
    }
}

TEST(PngDecoder, RefusesBeforeAnyLargeAllocation) {
    Bytes notIhdr = PngFile(1, 1, 8, kRgba, {0, 1, 2, 3, 4});
    notIhdr[12] = 'X';
    Bytes cutInIhdr = notIhdr;
    cutInIhdr.resize(20);
    Bytes longIdat = PngFile(1, 1, 8, kRgba, {0, 1, 2, 3, 4});
    longIdat[33] = 0x7F;  // the IDAT chunk, after signature and IHDR, declares about 2 GB
    Bytes emptyIdatFirst = PngFile(1, 1, 8, kRgba, {0, 1, 2, 3, 4});
    Bytes emptyIdat;
    testing::AppendChunk(emptyIdat, "IDAT", {});
    emptyIdatFirst.insert(emptyIdatFirst.begin() + 33, emptyIdat.begin(), emptyIdat.end());
    const std::array cases = {
        MalformedFile{"a TGA file", Bytes(40), "not a PNG file"},
        MalformedFile{"cut in IHDR", cutInIhdr, "ends inside its PNG header"},
        MalformedFile{"first chunk not IHDR", notIhdr, "first chunk is not the 13-byte PNG header"},
        MalformedFile{"zero height", PngFile(1, 0, 8, kRgba, {}), "size 1 x 0 is outside"},
        MalformedFile{"too wide", PngFile(16385, 1, 8, kRgba, {}), "size 16385 x 1 is outside"},
        MalformedFile{"colour type 5", PngFile(1, 1, 8, 5, {0, 1}), "colour type 5 does not exist"},
        // 16384 rows of 1 + 65536 bytes inflate to 1073758208 bytes; no 70-byte file can hold them.
        MalformedFile{"huge", PngFile(16384, 16384, 8, kRgba, {}),
                      "need 1073758208 bytes of image data, more than its"},
        MalformedFile{"chunk beyond the file", longIdat, "chunk at byte 33 declares 2130706448 bytes, more than"},
        MalformedFile{"empty first IDAT", emptyIdatFirst, "first PNG image data chunk (IDAT), at byte 33, is empty"},
        MalformedFile{"short image data", PngFile(2, 2, 8, kRgba, {0, 1, 2}), "its PNG data cannot be decoded: "},
    };
    testing::ExpectEachRefusedSmall(
        cases, [](const Bytes& file, const std::string& name) { DecodePng(file, name); }, "bad.png", 65536u);
}

}  // namespace
}  // namespace pelliton
