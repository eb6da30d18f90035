#include "preview/PreviewPictures.h"

#include "rsh/TextureFormats.h"
#include "support/TextureRecords.h"

namespace pelliton::testing {

namespace {

std::uint32_t QuadrantColour(const Quadrants& colours, int x, int y, int width, int height) {
    const bool right = x >= width / 2;
    const bool bottom = y >= height / 2;
    return colours[static_cast<std::size_t>((bottom ? 2 : 0) + (right ? 1 : 0))];
}

// A block of one colour needs no compressor: both end points are the colour in 5:6:5 bits and
// every index picks the first; DXT3 and DXT5 put a fully opaque alpha block in front.
void AppendSolidBlock(std::vector<std::uint8_t>& blocks, std::string_view fourCC, std::uint32_t rgb) {
    if (fourCC != "DXT1") blocks.insert(blocks.end(), 8, 0xFF);
    const auto packed = static_cast<std::uint16_t>((rgb >> 8 & 0xF800) | (rgb >> 5 & 0x07E0) | (rgb >> 3 & 0x001F));
    const auto low = static_cast<std::uint8_t>(packed);
    const auto high = static_cast<std::uint8_t>(packed >> 8);
    blocks.insert(blocks.end(), {low, high, low, high, 0, 0, 0, 0});
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
    const std::string_view fourCC = FindTextureFormat(imageType)->fourCC;
    std::vector<std::uint8_t> blocks;
    for (int y = 0; y < height; y += 4) {
        for (int x = 0; x < width; x += 4) AppendSolidBlock(blocks, fourCC, QuadrantColour(colours, x, y, width, height));
    }
    return ExportRecords(BlockTextureRecords(imageType, width, height, blocks), folder, stem + ".rsh");
}

}  // namespace pelliton::testing
