#include "cli/PngFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"

#include <zlib.h>

namespace pelliton {

namespace {

// zlib's fastest level with run-length matching compresses a frame several times faster than stb's
// own deflate, and as well: a preview's background and its magnified texels come in runs.
unsigned char* Deflate(unsigned char* data, int length, int* compressedLength, int /*quality*/) {
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, MAX_WBITS, 8, Z_RLE) != Z_OK) return nullptr;
    const uLong bound = deflateBound(&stream, static_cast<uLong>(length));
    auto* compressed = static_cast<unsigned char*>(std::malloc(bound));  // stb frees it
    stream.next_in = data;
    stream.avail_in = static_cast<uInt>(length);
    stream.next_out = compressed;
    stream.avail_out = static_cast<uInt>(bound);
    const bool done = compressed != nullptr && deflate(&stream, Z_FINISH) == Z_STREAM_END;
    deflateEnd(&stream);
    if (!done) {
        std::free(compressed);
        return nullptr;
    }
    *compressedLength = static_cast<int>(stream.total_out);
    return compressed;
}

}  // namespace

}  // namespace pelliton

// One PNG encoder on every platform, so that the same frame gives the same file on each. The
// encoder writes to memory; the file itself is written as exports are.
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBIW_ZLIB_COMPRESS pelliton::Deflate
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
    // Each row as the difference from the row above: a magnified texture repeats its rows.
    stbi_write_force_png_filter = 2;
    std::vector<std::byte> encoded;
    if (stbi_write_png_to_func(AppendBytes, &encoded, frame.width, frame.height, kChannels, rgb.data(),
                               frame.width * kChannels) == 0) {
        throw PellitonError("cannot write " + PathToUtf8(path) + ": the frame could not be encoded as PNG");
    }
    WriteFileAtomically(path, [&encoded](OutputFile& file) { file.Write(encoded); });
}

}  // namespace pelliton
