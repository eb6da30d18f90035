#include "make-samples/SampleFiles.h"

#include "make-samples/QuadrantImage.h"
#include "make-samples/TexelEncoding.h"
#include "rshwrite/RshWriter.h"

namespace pelliton {

namespace {

SampleFile MakeSample(std::string name, std::int32_t imageType, const RgbaImage& image, int mipLevels,
                      const std::vector<std::uint8_t>& texels) {
    const RshRecords records = MakeTextureRecords(imageType, image.width, image.height, mipLevels,
                                              static_cast<std::int32_t>(texels.size()));
    return {std::move(name), WriteRshBytes(records, texels)};
}

SampleFile MakeDxtSample(std::string name, std::int32_t imageType, const RgbaImage& image, int mipLevels) {
    return MakeSample(std::move(name), imageType, image, mipLevels, CompressDxtMipChain(image, imageType, mipLevels));
}

}  // namespace

std::vector<SampleFile> MakeSampleFiles() {
    constexpr std::int32_t kUnsupportedImageType = 3;
    const RgbaImage opaque64 = MakeQuadrantImage(64, 64, AlphaPattern::kOpaque);
    const RgbaImage opaque32 = MakeQuadrantImage(32, 32, AlphaPattern::kOpaque);
    return {
        MakeDxtSample("quadrants-dxt1-mips.rsh", kImageTypeDxt1, opaque64, 7),
        MakeDxtSample("quadrants-dxt3-alpha-ramp.rsh", kImageTypeDxt3,
                      MakeQuadrantImage(64, 64, AlphaPattern::kHorizontalRamp), 1),
        MakeDxtSample("quadrants-dxt5-alpha-radial.rsh", kImageTypeDxt5,
                      MakeQuadrantImage(128, 64, AlphaPattern::kRadial), 1),
        MakeSample("quadrants-uncompressed.rsh", kImageTypeUncompressed, opaque32, 1, EncodeUncompressed(opaque32)),
        MakeSample("unsupported-type3.rsh", kUnsupportedImageType, opaque32, 1, {}),
        // The shape of a real game texture: a 128 x 8 strip with its full chain of 8 levels.
        MakeDxtSample("quadrants-dxt3-type10-mips.rsh", kImageTypeDxt3Game,
                      MakeQuadrantImage(128, 8, AlphaPattern::kHorizontalRamp), 8),
    };
}

}  // namespace pelliton
