// Loading DDS files: level 0 of the files our exporter writes, and refusal of short or hostile ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "common/DdsFormat.h"
#include "d3d8/TextureFixtures.h"
#include "export/DdsHeader.h"
#include "preview/d3d8/TextureFile.h"
#include "support/HeaderBytes.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::ExpectEveryTruncationFails;
using fixtures::ExpectHostileFileRejected;
using fixtures::ExpectTexels;
using fixtures::RandomBytes;
using fixtures::SquishDecodeImage;
using fixtures::WriteExportedDds;
using pelliton::testing::TempDir;

std::size_t MipChainBytes(DWORD format, int width, int height, int levels) {
    std::size_t bytes = 0;
    for (int level = 0; level < levels; ++level) {
        bytes += dds::LevelBytes(format, std::max(1, width >> level), std::max(1, height >> level));
    }
    return bytes;
}

struct ExportedDds {
    const char* name;
    DWORD format;
    int width;
    int height;
    int mipLevels;
};

TEST(DdsFile, LoadsLevelZeroOfTheFilesOurExporterWrites) {
    // DXT1 files leave DDSD_LINEARSIZE off; DXT5 files hold width x height as their linear size.
    constexpr std::array kFiles = {
        ExportedDds{"DXT1 without MIP levels", D3DFMT_DXT1, 8, 8, 1},
        ExportedDds{"DXT1 with a MIP chain", D3DFMT_DXT1, 8, 8, 4},
        ExportedDds{"DXT1 with a MIP chain, sides not multiples of 4", D3DFMT_DXT1, 6, 5, 3},
        ExportedDds{"DXT3", D3DFMT_DXT3, 12, 4, 1},
        ExportedDds{"DXT5 with a MIP chain", D3DFMT_DXT5, 8, 16, 5},
        ExportedDds{"DXT5, one partial block", D3DFMT_DXT5, 3, 2, 1},
    };
    std::mt19937 random(11);
    for (const ExportedDds& file : kFiles) {
        SCOPED_TRACE(file.name);
        TempDir dir;
        const std::vector<std::uint8_t> texelBytes =
            RandomBytes(MipChainBytes(file.format, file.width, file.height, file.mipLevels), random);
        std::shared_ptr<Direct3DTexture8> texture;
        ASSERT_EQ(LoadTextureFile(
                      WriteExportedDds(dir, file.format, file.width, file.height, file.mipLevels, texelBytes), texture),
                  D3D_OK);
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->Width(), file.width);
        EXPECT_EQ(texture->Height(), file.height);
        EXPECT_EQ(texture->Format(), file.format);
        ExpectTexels(*texture, SquishDecodeImage(file.format, file.width, file.height, texelBytes));
    }
}

TEST(DdsFile, LoadsLevelZeroOfAMipChainCutShort) {
    std::mt19937 random(12);
    TempDir dir;
    const std::vector<std::uint8_t> levelZero = RandomBytes(MipChainBytes(D3DFMT_DXT1, 8, 8, 1), random);
    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(LoadTextureFile(WriteExportedDds(dir, D3DFMT_DXT1, 8, 8, 4, levelZero), texture), D3D_OK);
    ExpectTexels(*texture, SquishDecodeImage(D3DFMT_DXT1, 8, 8, levelZero));
}

TEST(DdsFile, EveryTruncationOfAFileFails) {
    std::mt19937 random(13);
    TempDir dir;
    const auto whole = pelliton::testing::ReadFileBytes(
        WriteExportedDds(dir, D3DFMT_DXT5, 8, 4, 1, RandomBytes(2 * dds::BlockBytes(dds::kDxt5), random)));
    ExpectEveryTruncationFails(dir, whole);
}

struct HostileDds {
    const char* name;
    std::function<void(dds::FileHeader&)> change;
    std::size_t fileBytes;  // header included
};

TEST(DdsFile, RefusesHostileHeadersWithoutAllocatingFromThem) {
    const HostileDds cases[] = {
        {"width 16385", [](dds::FileHeader& h) { h.dwWidth = 16385; }, 128 + 4097 * 16},
        {"65535 x 65535 in 200 bytes", [](dds::FileHeader& h) { h.dwWidth = h.dwHeight = 65535; }, 200},
        {"16384 x 16384 in 200 bytes", [](dds::FileHeader& h) { h.dwWidth = h.dwHeight = 16384; }, 200},
        {"negative width", [](dds::FileHeader& h) { h.dwWidth = -4; }, 200},
        {"zero width", [](dds::FileHeader& h) { h.dwWidth = 0; }, 200},
        {"zero height", [](dds::FileHeader& h) { h.dwHeight = 0; }, 200},
        {"bad magic", [](dds::FileHeader& h) { h.dwMagic = dds::FourCC("DDS!"); }, 200},
        {"fourCC DXT2", [](dds::FileHeader& h) { h.ddspf.dwFourCC = dds::FourCC("DXT2"); }, 200},
        {"header size 100", [](dds::FileHeader& h) { h.dwSize = 100; }, 200},
        {"uncompressed RGB", [](dds::FileHeader& h) { h.ddspf.dwFlags = 0x40; }, 200},
        {"level 0 one byte short", [](dds::FileHeader&) {}, 128 + 4 * 16 - 1},
    };
    for (const HostileDds& hostile : cases) {
        SCOPED_TRACE(hostile.name);
        RshAttrChunk attr;
        attr.Width = 8;
        attr.Height = 8;
        attr.MipLevels = 1;
        dds::FileHeader header = MakeDdsHeader(*FindTextureFormat(kImageTypeDxt5), attr, 4 * 16);
        hostile.change(header);
        ExpectHostileFileRejected("hostile.dds", pelliton::testing::HeaderBytes(header), hostile.fileBytes);
    }
}

}  // namespace
}  // namespace pelliton::d3d8
