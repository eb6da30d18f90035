// Exported files as another program reads them: ImageMagick decodes each and must see our colours.
#include <gtest/gtest.h>

#include <array>

#include "make-samples/TexelEncoding.h"
#include "support/ImageMagick.h"
#include "support/TempDir.h"
#include "support/TextureRecords.h"

namespace pelliton {
namespace {

using testing::DecodeWithImageMagick;
using testing::ExportRecords;
using testing::TempDir;

// An 8 x 8 image of four solid 4 x 4 quadrants, so that every DXT block holds one colour.
struct Quadrants {
    Rgba topLeft, topRight, bottomLeft, bottomRight;

    Rgba At(int x, int y) const {
        if (y < 4) return x < 4 ? topLeft : topRight;
        return x < 4 ? bottomLeft : bottomRight;
    }
    RgbaImage Image() const {
        RgbaImage image(8, 8);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) image.SetPixel(x, y, At(x, y));
        }
        return image;
    }
};

// Colours that 5:6:5 end points hold exactly; alphas that four bits hold exactly.
constexpr Quadrants kOpaque{{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}};
constexpr Quadrants kTranslucent{{255, 0, 0, 255}, {0, 255, 0, 136}, {0, 0, 255, 68}, {255, 255, 255, 0}};

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

TEST(IndependentReader, DecodesEachDdsFormatToOurColours) {
    const std::array cases = {std::pair{kImageTypeDxt1, kOpaque}, std::pair{kImageTypeDxt3, kTranslucent},
                              std::pair{kImageTypeDxt5, kTranslucent}};
    for (const auto& [imageType, image] : cases) {
        SCOPED_TRACE(std::string(FindTextureFormat(imageType)->fourCC));
        TempDir dir;
        const RshRecords rsh =
            testing::BlockTextureRecords(imageType, 8, 8, CompressDxtMipChain(image.Image(), imageType, 1));
        const auto dds = ExportRecords(rsh, dir.path());
        ExpectQuadrants(DecodeWithImageMagick(dds, dir), image, true);
    }
}

TEST(IndependentReader, ReadsTheTgaWithItsFirstStoredRowAtTheBottom) {
    // Stored bottom row first, as the TGA's lower-left origin declares.
    std::vector<std::uint32_t> stored;
    for (int y = 7; y >= 0; --y) {
        for (int x = 0; x < 8; ++x) {
            const Rgba c = kOpaque.At(x, y);
            stored.push_back(std::uint32_t{c[3]} << 24 | std::uint32_t{c[0]} << 16 | std::uint32_t{c[1]} << 8 | c[2]);
        }
    }
    TempDir dir;
    const auto tga = ExportRecords(testing::PixelTextureRecords(8, 8, stored), dir.path());
    ExpectQuadrants(DecodeWithImageMagick(tga, dir), kOpaque, false);
}

}  // namespace
}  // namespace pelliton
