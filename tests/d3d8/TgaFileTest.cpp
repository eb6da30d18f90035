// Loading TGA files: every stored row and column order turned upright, and refusal of short,
// other or hostile files.
#include <gtest/gtest.h>

#include <functional>

#include "common/TgaFormat.h"
#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/TextureFile.h"
#include "support/HeaderBytes.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::ExpectEveryTruncationFails;
using fixtures::ExpectHostileFileRejected;
using fixtures::ExpectTexels;
using fixtures::WriteExportedTga;
using pelliton::testing::TempDir;

tga::FileHeader TrueColourHeader(int width, int height, std::uint8_t depth, std::uint8_t descriptor) {
    tga::FileHeader header;
    header.ImageType = tga::kTrueColour;
    header.ImageWidth = static_cast<std::int16_t>(width);
    header.ImageHeight = static_cast<std::int16_t>(height);
    header.PixelDepth = depth;
    header.ImageDescriptor = descriptor;
    return header;
}

// The header, idLength bytes of ID field, then the pixels as B, G, R(, A) in stored order.
std::vector<std::uint8_t> TgaBytes(tga::FileHeader header, const std::vector<D3DCOLOR>& stored,
                                   std::uint8_t idLength = 0) {
    header.IdLength = idLength;
    std::vector<std::uint8_t> bytes(idLength, '#');
    const std::vector<std::uint8_t> head = pelliton::testing::HeaderBytes(header);
    bytes.insert(bytes.begin(), head.begin(), head.end());
    for (const D3DCOLOR texel : stored) {
        for (int channel = 0; channel < header.PixelDepth / 8; ++channel) {
            bytes.push_back(static_cast<std::uint8_t>(texel >> (8 * channel)));
        }
    }
    return bytes;
}

// Six distinct texels, stored in this order: first stored row A B C, second D E F.
constexpr D3DCOLOR A = 0x10FF0000, B = 0x2000FF00, C = 0x300000FF, D = 0x40FFFF00, E = 0x5000FFFF, F = 0x60FF00FF;
const std::vector<D3DCOLOR> kStored = {A, B, C, D, E, F};

struct StoredOrder {
    const char* name;
    std::uint8_t descriptor;
    std::vector<D3DCOLOR> upright;  // row 0 (the top) first
};

TEST(TgaFile, TurnsEveryStoredOrderUpright) {
    const StoredOrder orders[] = {
        {"bottom-up (our exporter's descriptor 0)", 0x00, {D, E, F, A, B, C}},
        {"top-down", 0x20, {A, B, C, D, E, F}},
        {"bottom-up, right to left", 0x10, {F, E, D, C, B, A}},
        {"top-down, right to left", 0x30, {C, B, A, F, E, D}},
    };
    for (const std::uint8_t depth : {std::uint8_t{24}, std::uint8_t{32}}) {
        for (const StoredOrder& order : orders) {
            SCOPED_TRACE(std::to_string(depth) + "-bit " + order.name);
            TempDir dir;
            const std::string path =
                dir.Write("image.tga", TgaBytes(TrueColourHeader(3, 2, depth, order.descriptor), kStored));
            std::shared_ptr<Direct3DTexture8> texture;
            ASSERT_EQ(LoadTextureFile(path, texture), D3D_OK);
            EXPECT_EQ(texture->Width(), 3);
            EXPECT_EQ(texture->Height(), 2);
            EXPECT_EQ(texture->Format(), depth == 32 ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8);
            std::vector<D3DCOLOR> expected = order.upright;
            if (depth == 24) {
                for (D3DCOLOR& texel : expected) texel |= 0xFF000000U;
            }
            ExpectTexels(*texture, expected);
        }
    }
}

TEST(TgaFile, ReadsOurExportersFileWithItsFirstStoredRowAtTheBottom) {
    TempDir dir;
    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(LoadTextureFile(WriteExportedTga(dir, 3, 2, kStored), texture), D3D_OK);
    EXPECT_EQ(texture->Format(), D3DFMT_A8R8G8B8);
    ExpectTexels(*texture, {D, E, F, A, B, C});
}

TEST(TgaFile, SkipsTheIdField) {
    TempDir dir;
    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(LoadTextureFile(dir.Write("id.tga", TgaBytes(TrueColourHeader(3, 2, 32, 0x20), kStored, 7)), texture),
              D3D_OK);
    ExpectTexels(*texture, kStored);
}

TEST(TgaFile, EveryTruncationOfAFileFails) {
    TempDir dir;
    const std::vector<std::uint8_t> whole = TgaBytes(TrueColourHeader(3, 2, 24, 0), kStored, 3);
    ExpectEveryTruncationFails(dir, whole);
}

struct HostileTga {
    const char* name;
    std::function<void(tga::FileHeader&)> change;
    std::size_t fileBytes;  // header included
};

TEST(TgaFile, RefusesOtherKindsAndHostileSizesWithoutAllocatingFromThem) {
    const HostileTga cases[] = {
        {"run-length encoded, type 10", [](tga::FileHeader& h) { h.ImageType = 10; }, 200},
        {"colour-mapped, type 1", [](tga::FileHeader& h) { h.ImageType = 1; }, 200},
        {"true colour with a colour map", [](tga::FileHeader& h) { h.ColourMapType = 1; }, 200},
        {"pixel depth 16", [](tga::FileHeader& h) { h.PixelDepth = 16; }, 200},
        {"pixel depth 8", [](tga::FileHeader& h) { h.PixelDepth = 8; }, 200},
        {"zero width", [](tga::FileHeader& h) { h.ImageWidth = 0; }, 200},
        {"zero height", [](tga::FileHeader& h) { h.ImageHeight = 0; }, 200},
        {"width 16385", [](tga::FileHeader& h) { h.ImageWidth = 16385; }, 18 + 16385 * 2 * 4},
        {"65535 x 65535 in 200 bytes",
         [](tga::FileHeader& h) { h.ImageWidth = h.ImageHeight = static_cast<std::int16_t>(65535); }, 200},
        {"16384 x 16384 in 200 bytes", [](tga::FileHeader& h) { h.ImageWidth = h.ImageHeight = 16384; }, 200},
        {"ID field pushes the pixels past the end", [](tga::FileHeader& h) { h.IdLength = 255; }, 18 + 2 * 2 * 4 + 254},
    };
    for (const HostileTga& hostile : cases) {
        SCOPED_TRACE(hostile.name);
        tga::FileHeader header = TrueColourHeader(2, 2, 32, 0);
        hostile.change(header);
        ExpectHostileFileRejected("hostile.tga", pelliton::testing::HeaderBytes(header), hostile.fileBytes);
    }
}

// The reason reaches the log as "cannot preview NAME: REASON", worded as the preview words it.
TEST(TgaFile, SaysWhyItRefusesAFile) {
    struct Refusal {
        const char* reason;
        std::function<void(tga::FileHeader&)> change;
        std::size_t fileBytes;  // header included
    };
    const char* const otherKind = "it is neither a DDS file nor an uncompressed 24- or 32-bit TGA file";
    const Refusal cases[] = {
        {otherKind, [](tga::FileHeader& h) { h.ImageType = 10; }, 200},
        {otherKind, [](tga::FileHeader& h) { h.ColourMapType = 1; }, 200},
        {otherKind, [](tga::FileHeader& h) { h.PixelDepth = 16; }, 200},
        {otherKind, [](tga::FileHeader&) {}, 17},
        {"its size 16385 x 2 is outside 1 to 16384 texels a side", [](tga::FileHeader& h) { h.ImageWidth = 16385; },
         200},
        {"the file ends before the 16 bytes of its 2 x 2 pixels", [](tga::FileHeader&) {}, 18 + 15},
    };
    for (const Refusal& refusal : cases) {
        tga::FileHeader header = TrueColourHeader(2, 2, 32, 0);
        refusal.change(header);
        EXPECT_EQ(ExpectHostileFileRejected("refused.tga", pelliton::testing::HeaderBytes(header), refusal.fileBytes),
                  refusal.reason);
    }
}

}  // namespace
}  // namespace pelliton::d3d8
