// Loading DDS files: level 0 of the files our exporter writes, held against libsquish's reading.
#include <gtest/gtest.h>

#include <array>

#include "common/DdsFormat.h"
#include "d3d8/SquishReference.h"
#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/TextureFile.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::ExpectTexels;
using fixtures::RandomBytes;
using fixtures::SquishDecodeImage;
using fixtures::WriteExportedDds;
using pelliton::testing::TempDir;

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
            RandomBytes(dds::MipChainBytes(file.format, file.width, file.height, file.mipLevels), random);
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
    const std::vector<std::uint8_t> levelZero = RandomBytes(dds::MipChainBytes(D3DFMT_DXT1, 8, 8, 1), random);
    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(LoadTextureFile(WriteExportedDds(dir, D3DFMT_DXT1, 8, 8, 4, levelZero), texture), D3D_OK);
    ExpectTexels(*texture, SquishDecodeImage(D3DFMT_DXT1, 8, 8, levelZero));
}

}  // namespace
}  // namespace pelliton::d3d8
