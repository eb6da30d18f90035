#include "cli/PngFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include <zlib.h>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"

// One encoder on every platform, zlib of the same version on each, so that the same frame gives the
// same file on each. The file is put together in memory and written as exports are.
namespace pelliton {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kUpFilter = 2;  // each byte less the one above it
constexpr int kRgbBytes = 3;

void AppendBigEndian(std::vector<std::uint8_t>& png, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Length, type, data, and the checksum of type and data.
void AppendChunk(std::vector<std::uint8_t>& png, std::string_view type, std::span<const std::uint8_t> data) {
    AppendBigEndian(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type.begin(), type.end());
    png.insert(png.end(), data.begin(), data.end());
    const auto checked = std::span(png).subspan(typeAt);
    AppendBigEndian(png, static_cast<std::uint32_t>(crc32(0, checked.data(), static_cast<uInt>(checked.size()))));
}

// Deflates what it is given as it comes, into one buffer.
class Deflater {
public:
    // zlib's fastest level with run-length matching: several times faster than a full search, and
    // about as small for a preview, whose background and magnified texels come in runs.
    Deflater() {
        if (deflateInit2(&stream_, 1, Z_DEFLATED, MAX_WBITS, 8, Z_RLE) != Z_OK) throw std::bad_alloc();
    }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    void Add(std::span<std::uint8_t> bytes, int flush) {
        stream_.next_in = bytes.data();
        stream_.avail_in = static_cast<uInt>(bytes.size());
        int result = Z_OK;
        do {
            if (compressed_.size() == stream_.total_out) compressed_.resize(compressed_.size() + (256 << 10));
            stream_.next_out = compressed_.data() + stream_.total_out;
            stream_.avail_out = static_cast<uInt>(compressed_.size() - stream_.total_out);
            result = deflate(&stream_, flush);
        } while (stream_.avail_out == 0 || (flush == Z_FINISH && result == Z_OK));
        if (result != Z_OK && result != Z_STREAM_END) throw std::bad_alloc();  // only memory can fail here
    }
    std::vector<std::uint8_t> Take() {
        compressed_.resize(stream_.total_out);
        return std::move(compressed_);
    }

private:
    z_stream stream_{};
    std::vector<std::uint8_t> compressed_;
};

// Each row as red, green, blue bytes less the row above, after its filter byte.
std::vector<std::uint8_t> DeflatedRows(const d3d8::Frame& frame) {
    const auto width = static_cast<std::size_t>(frame.width);
    std::vector<std::uint8_t> above(width * kRgbBytes, 0);
    std::vector<std::uint8_t> line(1 + width * kRgbBytes);
    line[0] = kUpFilter;
    Deflater deflater;
    for (int y = 0; y < frame.height; ++y) {
        const auto row = std::span(frame.pixels).subspan(static_cast<std::size_t>(y) * width, width);
        for (std::size_t x = 0; x < width; ++x) {
            for (int channel = 0; channel < kRgbBytes; ++channel) {  // frame pixels are 0xXXRRGGBB
                const auto value = static_cast<std::uint8_t>(row[x] >> (16 - 8 * channel));
                const std::size_t at = x * kRgbBytes + static_cast<std::size_t>(channel);
                line[1 + at] = static_cast<std::uint8_t>(value - above[at]);
                above[at] = value;
            }
        }
        deflater.Add(line, y + 1 == frame.height ? Z_FINISH : Z_NO_FLUSH);
    }
    return deflater.Take();
}

}  // namespace

void WritePngFile(const std::filesystem::path& path, const d3d8::Frame& frame) {
    if (frame.width <= 0 || frame.height <= 0) {
        throw PellitonError("cannot write " + PathToUtf8(path) + ": the frame has no pixels");
    }
    std::vector<std::uint8_t> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(frame.width));
    AppendBigEndian(header, static_cast<std::uint32_t>(frame.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits a channel, RGB, deflate, rows filtered, no interlace

    std::vector<std::uint8_t> png(kSignature.begin(), kSignature.end());
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", DeflatedRows(frame));
    AppendChunk(png, "IEND", {});
    WriteFileAtomically(path, [&png](OutputFile& file) { file.Write(std::as_bytes(std::span(png))); });
}

}  // namespace pelliton
