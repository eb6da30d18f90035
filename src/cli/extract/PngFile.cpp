#include "cli/extract/PngFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"
#include "picture/PngEncoder.h"

namespace pelliton {

void WritePngFile(const std::filesystem::path& path, const d3d8::Frame& frame) {
    if (frame.width <= 0 || frame.height <= 0) {
        throw PellitonError("cannot write " + PathToUtf8(path) + ": the frame has no pixels");
    }
    const auto width = static_cast<std::size_t>(frame.width);
    const auto rgbRow = [&frame, width](int y, std::span<std::uint8_t> row) {
        const auto pixels = std::span(frame.pixels).subspan(static_cast<std::size_t>(y) * width, width);
        for (std::size_t x = 0; x < width; ++x) {  // frame pixels are 0xXXRRGGBB
            row[3 * x] = static_cast<std::uint8_t>(pixels[x] >> 16);
            row[3 * x + 1] = static_cast<std::uint8_t>(pixels[x] >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(pixels[x]);
        }
    };
    WriteFileAtomically(path, [&](OutputFile& file) {
        EncodePng({frame.width, frame.height, PngChannels::kRgb}, rgbRow,
                  [&file](std::span<const std::uint8_t> bytes) { file.Write(std::as_bytes(bytes)); });
    });
}

}  // namespace pelliton
