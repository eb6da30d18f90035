#include "preview/PreviewPictures.h"

#include "export/ExtractTexture.h"
#include "make-samples/TexelEncoding.h"
#include "support/RecordingLog.h"

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
    modRSH rsh;
    rsh.AttrChunk.ImageType = imageType;
    rsh.AttrChunk.Width = width;
    rsh.AttrChunk.Height = height;
    rsh.AttrChunk.MipLevels = 1;
    if (imageType == kImageTypeUncompressed) {
        for (int row = height - 1; row >= 0; --row) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t c = QuadrantColour(colours, x, row, width, height);
                rsh.TexelPixels.push_back(RshPixel{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                                                   static_cast<std::uint8_t>(c >> 16), 255});
            }
        }
        rsh.DataChunk.ChunkSize = width * height * 4;
    } else {
        RgbaImage image(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t c = QuadrantColour(colours, x, y, width, height);
                image.SetPixel(x, y, {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                      static_cast<std::uint8_t>(c), 255});
            }
        }
        rsh.TexelBytes = CompressDxtMipChain(image, imageType, 1);
        rsh.DataChunk.ChunkSize = static_cast<std::int32_t>(rsh.TexelBytes.size());
    }
    ExportState state;
    RecordingView log;
    ExtractTexture(rsh, stem + ".rsh", folder, state, log);
    return folder / state.ExportPath;
}

}  // namespace pelliton::testing
