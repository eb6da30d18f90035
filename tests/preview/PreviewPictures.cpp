#include "preview/PreviewPictures.h"

#include "make-samples/TexelEncoding.h"
#include "support/TextureRecords.h"

namespace pelliton::testing {

namespace {

std::uint32_t QuadrantColour(const Quadrants& colours, int x, int y, int width, int height) {
    const bool right = x >= width / 2;
    const bool bottom = y >= height / 2;
    return colours[static_cast<std::size_t>((bottom ? 2 : 0) + (right ? 1 : 0))];
}

}  // namespace

std::filesystem::path WriteQuadrantExport(const std::filesystem::path& folder, const std::string& stem,
                                          std::int32_t imageType, int width, int height, const Quadrants& colours) {
    if (imageType == kImageTypeUncompressed) {
        std::vector<std::uint32_t> stored;
        for (int row = height - 1; row >= 0; --row) {
            for (int x = 0; x < width; ++x) {
                stored.push_back(0xFF000000U | QuadrantColour(colours, x, row, width, height));
            }
        }
        return ExportRecords(PixelTextureRecords(width, height, stored), folder, stem + ".rsh");
    }
    RgbaImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = QuadrantColour(colours, x, y, width, height);
            image.SetPixel(x, y, {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                  static_cast<std::uint8_t>(c), 255});
        }
    }
    const modRSH rsh = BlockTextureRecords(imageType, width, height, CompressDxtMipChain(image, imageType, 1));
    return ExportRecords(rsh, folder, stem + ".rsh");
}

}  // namespace pelliton::testing
