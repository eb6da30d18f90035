#include "cli/PngFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"

// One PNG encoder on every platform, so that the same frame gives the same file on each. The
// encoder writes to memory; the file itself is written as exports are.
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace pelliton {

namespace {

void AppendBytes(void* context, void* data, int size) {
    const auto* bytes = static_cast<const std::byte*>(data);
    auto& encoded = *static_cast<std::vector<std::byte>*>(context);
    encoded.insert(encoded.end(), bytes, bytes + size);
}

}  // namespace

void WritePngFile(const std::filesystem::path& path, const d3d8::Frame& frame) {
    // Frame pixels are 0xXXRRGGBB; the file takes red, green, blue bytes.
    constexpr int kChannels = 3;
    std::vector<std::uint8_t> rgb;
    rgb.reserve(frame.pixels.size() * kChannels);
    for (const std::uint32_t pixel : frame.pixels) {
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    std::vector<std::byte> encoded;
    if (stbi_write_png_to_func(AppendBytes, &encoded, frame.width, frame.height, kChannels, rgb.data(),
                               frame.width * kChannels) == 0) {
        throw PellitonError("cannot write " + PathToUtf8(path) + ": the frame could not be encoded as PNG");
    }
    WriteFileAtomically(path, [&encoded](OutputFile& file) { file.Write(encoded); });
}

}  // namespace pelliton
