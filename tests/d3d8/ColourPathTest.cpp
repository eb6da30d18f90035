// The colours the device draws from a loaded DDS file, texel by texel in any order, against
// libsquish decoding the same blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>

#include "common/DdsFormat.h"
#include "d3d8/SquishReference.h"
#include "d3d8/TextureFixtures.h"
#include "preview/d3d8/TextureFile.h"
#include "support/TempDir.h"
#include "support/TextureCase.h"
#include "support/TextureRecords.h"

namespace pelliton::d3d8 {
namespace {

using fixtures::kColourBits;
using pelliton::testing::TempDir;

using ColourCase = pelliton::testing::TextureCase;

DWORD FormatOf(const ColourCase& c) { return dds::FourCC(FindTextureFormat(c.imageType)->fourCC); }

// Random blocks whose colour end points run greater, smaller and equal in turn, so that every
// format meets both of DXT1's colour modes.
std::vector<std::uint8_t> RandomBlocks(const ColourCase& c, std::mt19937& random) {
    const std::size_t blockBytes = dds::BlockBytes(FormatOf(c));
    std::vector<std::uint8_t> bytes = fixtures::RandomBytes(dds::LevelBytes(FormatOf(c), c.width, c.height), random);
    for (std::size_t block = 0; block * blockBytes < bytes.size(); ++block) {
        std::uint8_t* colours = bytes.data() + block * blockBytes + (blockBytes - 8);
        const auto colour0 = static_cast<std::uint16_t>(colours[0] | colours[1] << 8);
        const auto colour1 = static_cast<std::uint16_t>(colours[2] | colours[3] << 8);
        const bool swap = block % 3 == 0 ? colour0 < colour1 : colour0 > colour1;
        if (swap) std::swap_ranges(colours, colours + 2, colours + 2);
        if (block % 3 == 2) std::copy(colours, colours + 2, colours + 2);
    }
    return bytes;
}

class ColourPath : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourPath, EveryTexelIsLibsquishsColourInAnyOrder) {
    const ColourCase& c = GetParam();
    std::mt19937 random(static_cast<unsigned>(c.imageType * 1000 + c.width));
    const std::vector<std::uint8_t> blocks = RandomBlocks(c, random);
    const std::vector<D3DCOLOR> expected = fixtures::SquishDecodeImage(FormatOf(c), c.width, c.height, blocks);
    TempDir dir;
    const auto file = pelliton::testing::ExportRecords(
        pelliton::testing::BlockTextureRecords(c.imageType, c.width, c.height, blocks), dir.path());
    std::shared_ptr<Direct3DTexture8> texture;
    ASSERT_EQ(LoadTextureFile(file.string(), texture), D3D_OK);
    ASSERT_EQ(texture->Width(), c.width);
    ASSERT_EQ(texture->Height(), c.height);

    // Texels asked in shuffled order, so that rows are read in any order and a texel answered from
    // another's row shows.
    std::vector<std::pair<int, int>> at;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) at.emplace_back(x, y);
    }
    std::shuffle(at.begin(), at.end(), random);
    int wrong = 0;
    for (const auto& [x, y] : at) {
        const std::uint32_t want = expected[static_cast<std::size_t>(y * c.width + x)] & kColourBits;
        const std::uint32_t got = texture->TexelColour(x, y);
        if (got != want && wrong++ == 0) {
            ADD_FAILURE() << "TexelColour(" << x << ", " << y << ") = " << std::hex << got << ", want " << want;
        }
    }
    EXPECT_EQ(wrong, 0) << "texels that differ";
}

INSTANTIATE_TEST_SUITE_P(LoadedDds, ColourPath,
                         ::testing::Values(ColourCase{kImageTypeDxt1, 256, 64}, ColourCase{kImageTypeDxt3, 256, 64},
                                           ColourCase{kImageTypeDxt5, 256, 64}, ColourCase{kImageTypeDxt1, 10, 6},
                                           ColourCase{kImageTypeDxt3, 10, 6}, ColourCase{kImageTypeDxt5, 10, 6}),
                         [](const auto& info) { return info.param.Name(); });

}  // namespace
}  // namespace pelliton::d3d8
