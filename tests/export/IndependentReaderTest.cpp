// Exported files as another program reads them: ImageMagick decodes each and must see our colours.
#include <gtest/gtest.h>

#include <squish.h>

#include <array>
#include <cstdlib>

#include "export/ExtractTexture.h"
#include "support/RecordingLog.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;
using testing::RecordingView;
using testing::TempDir;

using Rgba = std::array<std::uint8_t, 4>;

// An 8 x 8 image of four solid 4 x 4 quadrants, so that every DXT block holds one colour.
struct Quadrants {
    Rgba topLeft, topRight, bottomLeft, bottomRight;

    Rgba At(int x, int y) const {
        if (y < 4) return x < 4 ? topLeft : topRight;
        return x < 4 ? bottomLeft : bottomRight;
    }
    std::vector<std::uint8_t> Pixels() const {
        std::vector<std::uint8_t> rgba;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const Rgba pixel = At(x, y);
                rgba.insert(rgba.end(), pixel.begin(), pixel.end());
            }
        }
        return rgba;
    }
};

// Colours that 5:6:5 end points hold exactly; alphas that four bits hold exactly.
constexpr Quadrants kOpaque{{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}};
constexpr Quadrants kTranslucent{{255, 0, 0, 255}, {0, 255, 0, 136}, {0, 0, 255, 68}, {255, 255, 255, 0}};

// Decodes a file with ImageMagick into 8-bit RGBA rows, top row first.
std::vector<std::uint8_t> DecodeWithImageMagick(const std::filesystem::path& file, const TempDir& dir) {
    const auto raw = dir.path() / "decoded.rgba";
    const std::string command =
        "convert '" + file.string() + "' -auto-orient -depth 8 'rgba:" + raw.string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadFileBytes(raw);
}

void ExpectQuadrants(const std::vector<std::uint8_t>& decoded, const Quadrants& expected, bool checkAlpha) {
    ASSERT_EQ(decoded.size(), 8u * 8u * 4u);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const Rgba want = expected.At(x, y);
            for (int channel = 0; channel < (checkAlpha ? 4 : 3); ++channel) {
                const int got = decoded[static_cast<std::size_t>((y * 8 + x) * 4 + channel)];
                EXPECT_NEAR(got, want[static_cast<std::size_t>(channel)], 2)
                    << "pixel " << x << "," << y << " channel " << channel;
            }
        }
    }
}

modRSH DxtTexture(std::int32_t imageType, const Quadrants& image) {
    const int flags = imageType == kImageTypeDxt1 ? squish::kDxt1 : imageType == kImageTypeDxt3 ? squish::kDxt3 : squish::kDxt5;
    modRSH rsh;
    rsh.AttrChunk.ImageType = imageType;
    rsh.AttrChunk.Width = 8;
    rsh.AttrChunk.Height = 8;
    rsh.AttrChunk.MipLevels = 1;
    rsh.TexelBytes.resize(static_cast<std::size_t>(squish::GetStorageRequirements(8, 8, flags)));
    rsh.DataChunk.ChunkSize = static_cast<std::int32_t>(rsh.TexelBytes.size());
    squish::CompressImage(image.Pixels().data(), 8, 8, rsh.TexelBytes.data(), flags);
    return rsh;
}

TEST(IndependentReader, DecodesEachDdsFormatToOurColours) {
    const std::array cases = {std::pair{kImageTypeDxt1, kOpaque}, std::pair{kImageTypeDxt3, kTranslucent},
                              std::pair{kImageTypeDxt5, kTranslucent}};
    for (const auto& [imageType, image] : cases) {
        SCOPED_TRACE(std::string(FindTextureFormat(imageType)->fourCC));
        TempDir dir;
        ExportState state;
        RecordingView log;
        ExtractTexture(DxtTexture(imageType, image), "quadrants.rsh", dir.path(), state, log);
        ExpectQuadrants(DecodeWithImageMagick(dir.path() / state.ExportPath, dir), image, true);
    }
}

TEST(IndependentReader, ReadsTheTgaWithItsFirstStoredRowAtTheBottom) {
    modRSH rsh;
    rsh.AttrChunk.ImageType = kImageTypeUncompressed;
    rsh.AttrChunk.Width = 8;
    rsh.AttrChunk.Height = 8;
    rsh.DataChunk.ChunkSize = 8 * 8 * 4;
    // Stored bottom row first, as the TGA's lower-left origin declares.
    for (int y = 7; y >= 0; --y) {
        for (int x = 0; x < 8; ++x) {
            const Rgba c = kOpaque.At(x, y);
            rsh.TexelPixels.push_back(RshPixel{c[2], c[1], c[0], c[3]});
        }
    }
    TempDir dir;
    ExportState state;
    RecordingView log;
    ExtractTexture(rsh, "quadrants.rsh", dir.path(), state, log);
    ExpectQuadrants(DecodeWithImageMagick(dir.path() / state.ExportPath, dir), kOpaque, false);
}

}  // namespace
}  // namespace pelliton
