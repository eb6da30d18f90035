// Whole frames at the pane's size against the frame worked out independently: every pixel shows
// the texel its centre falls on, and the background lies around the quad.
#include <gtest/gtest.h>
#include <squish.h>

#include <iostream>
#include <random>

#include "cli/extract/PngFile.h"
#include "make-samples/TexelEncoding.h"
#include "preview/PreviewDevice.h"
#include "preview/ReferenceFrame.h"
#include "support/RecordingPane.h"
#include "support/TempDir.h"
#include "support/TextureCase.h"
#include "support/TextureRecords.h"

namespace pelliton {
namespace {

using testing::Picture;
using testing::TempDir;

using FrameCase = testing::TextureCase;

// Texels of random colours, so that neighbours differ within every block.
RgbaImage RandomImage(int width, int height, std::mt19937& random) {
    RgbaImage image(width, height);
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& value : image.rgba) value = static_cast<std::uint8_t>(byte(random));
    for (std::size_t alpha = 3; alpha < image.rgba.size(); alpha += 4) image.rgba[alpha] = 255;
    return image;
}

// What libsquish reads from the blocks.
Picture SquishPicture(const std::vector<std::uint8_t>& blocks, std::int32_t imageType, int width, int height) {
    RgbaImage decoded(width, height);
    squish::DecompressImage(decoded.rgba.data(), width, height, blocks.data(), SquishFormat(imageType));
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = decoded.Pixel(x, y);
            picture.pixels.push_back(std::uint32_t{c[0]} << 16 | std::uint32_t{c[1]} << 8 | c[2]);
        }
    }
    return picture;
}

// What the TGA file says: a 32-bit image of blue, green, red, alpha texels; descriptor bit 5 puts
// the first stored row at the top, otherwise at the bottom.
Picture TgaPicture(const std::vector<std::uint8_t>& file) {
    const int width = file.at(12) | file.at(13) << 8;
    const int height = file.at(14) | file.at(15) << 8;
    const bool topFirst = (file.at(17) & 0x20) != 0;
    Picture picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height))};
    for (int row = 0; row < height; ++row) {
        const int y = topFirst ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &file.at(18 + static_cast<std::size_t>((row * width + x) * 4));
            picture.pixels[static_cast<std::size_t>(y * width + x)] =
                std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
        }
    }
    return picture;
}

// Exports a random picture as the tool would and returns its path with the picture it holds.
std::pair<std::filesystem::path, Picture> ExportRandomPicture(const FrameCase& c, const TempDir& dir) {
    std::mt19937 random(static_cast<unsigned>(c.imageType * 7919 + c.width * 31 + c.height));
    const RgbaImage image = RandomImage(c.width, c.height, random);
    if (c.imageType == kImageTypeUncompressed) {
        std::vector<std::uint32_t> stored;
        for (int y = c.height - 1; y >= 0; --y) {
            for (int x = 0; x < c.width; ++x) {
                const Rgba t = image.Pixel(x, y);
                stored.push_back(std::uint32_t{t[3]} << 24 | std::uint32_t{t[0]} << 16 | std::uint32_t{t[1]} << 8 |
                                 t[2]);
            }
        }
        const auto tga = testing::ExportRecords(testing::PixelTextureRecords(c.width, c.height, stored), dir.path());
        return {tga, TgaPicture(testing::ReadFileBytes(tga))};
    }
    const std::vector<std::uint8_t> blocks = CompressDxtMipChain(image, c.imageType, 1);
    const auto dds = testing::ExportRecords(testing::BlockTextureRecords(c.imageType, c.width, c.height, blocks),
                                            dir.path());
    return {dds, SquishPicture(blocks, c.imageType, c.width, c.height)};
}

class ReferenceFrame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(ReferenceFrame, EveryPixelShowsTheTexelUnderItsCentre) {
    const FrameCase& c = GetParam();
    TempDir dir;
    const auto [file, picture] = ExportRandomPicture(c, dir);
    testing::RecordingPane pane{kPreviewPaneClientSize, kPreviewPaneClientSize};
    PreviewDevice device;
    ASSERT_TRUE(device.InitD3D(&pane));
    ASSERT_EQ(device.RenderPreview(file, c.width, c.height), std::nullopt);
    ASSERT_EQ(pane.frames.size(), 1u);
    const d3d8::Frame& frame = pane.frames.back();
    ASSERT_EQ(frame.width, kPreviewPaneClientSize);
    ASSERT_EQ(frame.height, kPreviewPaneClientSize);

    const testing::FrameComparison result = testing::CompareWithReference(frame, picture);
    // Rounding may flip only pixels whose centre lies on an edge: a column or row of the quad or two.
    const int bound = 2 * kPreviewPaneClientSize;
    if (result.wrong > 0 || result.tolerated > bound) {
        const auto actualPng = std::filesystem::current_path() / ("ReferenceFrame-" + c.Name() + "-actual.png");
        const auto expectedPng = std::filesystem::current_path() / ("ReferenceFrame-" + c.Name() + "-expected.png");
        WritePngFile(actualPng, frame);
        WritePngFile(expectedPng, result.expected);
        ADD_FAILURE() << result.wrong << " wrong pixels, the first at " << result.firstWrongX << ","
                      << result.firstWrongY << "; " << result.tolerated << " pixels on edges took the neighbour's"
                      << " colour (at most " << bound << " may)\n  actual:   " << actualPng.string()
                      << "\n  expected: " << expectedPng.string();
    }
    RecordProperty("edgePixelsWithTheNeighboursColour", result.tolerated);
    std::cout << "[          ] " << result.tolerated << " edge pixels took the neighbour's colour\n";
}

INSTANTIATE_TEST_SUITE_P(
    PreviewDevice, ReferenceFrame,
    ::testing::Values(FrameCase{kImageTypeDxt1, 256, 256}, FrameCase{kImageTypeDxt3, 256, 128},
                      FrameCase{kImageTypeDxt5, 512, 256}, FrameCase{kImageTypeUncompressed, 256, 256},
                      FrameCase{kImageTypeUncompressed, 300, 200}, FrameCase{kImageTypeDxt1, 128, 128},
                      FrameCase{kImageTypeUncompressed, 64, 32}),
    [](const auto& info) { return info.param.Name(); });

}  // namespace
}  // namespace pelliton
