// A second, independent decoder: ImageMagick must see the same colours in our DDS files as the loader.
#include <gtest/gtest.h>

#include "common/DdsFormat.h"
#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/TextureFile.h"
#include "support/ImageMagick.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::RandomBytes;
using fixtures::WriteExportedDds;
using pelliton::testing::TempDir;

// ImageMagick's 8-bit RGBA reading of a file as 0xAARRGGBB texels, top row first.
std::vector<D3DCOLOR> ImageMagickTexels(const std::string& file, const TempDir& dir) {
    const std::vector<std::uint8_t> rgba = pelliton::testing::DecodeWithImageMagick(file, dir);
    std::vector<D3DCOLOR> texels;
    for (std::size_t at = 0; at + 4 <= rgba.size(); at += 4) {
        texels.push_back(D3DCOLOR{rgba[at + 3]} << 24 | D3DCOLOR{rgba[at]} << 16 | D3DCOLOR{rgba[at + 1]} << 8 |
                         rgba[at + 2]);
    }
    return texels;
}

TEST(ImageMagickAgreement, DecodesRandomDxtBlocksToTheLoadersColours) {
    PELLITON_NEEDS_IMAGEMAGICK();
    constexpr int kWidth = 10;
    constexpr int kHeight = 6;
    std::mt19937 random(99);
    for (const DWORD format : {D3DFMT_DXT1, D3DFMT_DXT3, D3DFMT_DXT5}) {
        SCOPED_TRACE(format);
        TempDir dir;
        const std::string file =
            WriteExportedDds(dir, format, kWidth, kHeight, 1,
                             RandomBytes(dds::LevelBytes(format, kWidth, kHeight), random));
        std::shared_ptr<Direct3DTexture8> texture;
        ASSERT_EQ(LoadTextureFile(file, texture), D3D_OK);
        fixtures::ExpectTexels(*texture, ImageMagickTexels(file, dir));
    }
}

}  // namespace
}  // namespace pelliton::d3d8
