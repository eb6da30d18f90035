#include "cli/PngFile.h"

#include <algorithm>
#include <array>
#include <bit>
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
// same file on each. The pixels are deflated in memory and the file written as exports are.
namespace pelliton {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kUpFilter = 2;  // each byte less the one above it
constexpr int kRgbBytes = 3;

void AppendBigEndian(std::vector<std::uint8_t>& png, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A chunk is its length, its type, its data, and the checksum of type and data. The data is
// written where it lies, so the chunk comes as the bytes before it and the bytes after it.
struct ChunkFrame {
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
};

ChunkFrame FrameChunk(std::string_view type, std::span<const std::uint8_t> data) {
    ChunkFrame chunk;
    AppendBigEndian(chunk.before, static_cast<std::uint32_t>(data.size()));
    for (const char letter : type) chunk.before.push_back(static_cast<std::uint8_t>(letter));
    uLong checksum = crc32(0, chunk.before.data() + 4, static_cast<uInt>(type.size()));
    if (!data.empty()) checksum = crc32(checksum, data.data(), static_cast<uInt>(data.size()));  // no data: zlib would start over
    AppendBigEndian(chunk.after, static_cast<std::uint32_t>(checksum));
    return chunk;
}

void AppendChunk(std::vector<std::uint8_t>& png, std::string_view type, std::span<const std::uint8_t> data) {
    const ChunkFrame chunk = FrameChunk(type, data);
    png.insert(png.end(), chunk.before.begin(), chunk.before.end());
    png.insert(png.end(), data.begin(), data.end());
    png.insert(png.end(), chunk.after.begin(), chunk.after.end());
}

// Deflates what it is given as it comes, into one buffer.
class Deflater {
public:
    // zlib's fastest level with run-length matching: several times faster than a full search, and
    // about as small for a preview, whose background and magnified texels come in runs.
    // expected: how many bytes will come, so that the buffer is made once.
    explicit Deflater(std::size_t expected) {
        if (deflateInit2(&stream_, kCompressed, Z_DEFLATED, MAX_WBITS, 9, Z_RLE) != Z_OK) throw std::bad_alloc();
        compressed_.reserve(deflateBound(&stream_, static_cast<uLong>(expected)));
    }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Bytes like noise would shrink by a fifth at most, for most of the time the frame takes: such
    // bytes are stored as they are.
    void Add(std::span<std::uint8_t> bytes, int flush) {
        SetLevel(LikeNoise(bytes) ? Z_NO_COMPRESSION : kCompressed);
        stream_.next_in = bytes.data();
        stream_.avail_in = static_cast<uInt>(bytes.size());
        int result = Z_OK;
        do {
            MakeRoom();
            result = deflate(&stream_, flush);
        } while (stream_.avail_out == 0 || (flush == Z_FINISH && result == Z_OK));
        if (result != Z_OK && result != Z_STREAM_END) throw std::bad_alloc();  // only memory can fail here
    }
    std::vector<std::uint8_t> Take() {
        compressed_.resize(stream_.total_out);
        return std::move(compressed_);
    }

private:
    static constexpr int kCompressed = 1;

    // Whether the bytes carry 6 or more bits each by their frequencies (their entropy), which no
    // Huffman code gets under and runs seldom do. Integers only, so that every platform decides alike.
    static bool LikeNoise(std::span<const std::uint8_t> bytes) {
        std::array<std::uint32_t, 256> counts{};
        for (const std::uint8_t byte : bytes) ++counts[byte];
        // entropy * n = n log2 n - sum of c log2 c
        const auto total = static_cast<std::uint32_t>(bytes.size());
        std::uint64_t spread = total * Log2InSixteenths(total);
        for (const std::uint32_t count : counts) {
            if (count != 0) spread -= count * Log2InSixteenths(count);
        }
        return spread >= std::uint64_t{6} * 16 * total;
    }

    // log2(value) in sixteenths of a bit, rounded down, for value >= 1: the whole bits, then four
    // more by squaring the rest.
    static std::uint64_t Log2InSixteenths(std::uint32_t value) {
        const int whole = std::bit_width(value) - 1;
        std::uint64_t rest = (std::uint64_t{value} << 31) >> whole;  // value / 2^whole, 31 bits after the point
        std::uint64_t bits = static_cast<std::uint64_t>(whole);
        for (int step = 0; step < 4; ++step) {
            rest = rest * rest >> 31;
            bits <<= 1;
            if (rest >> 32 != 0) {
                rest >>= 1;
                bits |= 1;
            }
        }
        return bits;
    }

    void SetLevel(int level) {
        if (level == level_) return;
        level_ = level;
        int result = Z_OK;
        do {  // what came before is deflated at the old level first; that may need room
            MakeRoom();
            result = deflateParams(&stream_, level, Z_RLE);
        } while (result == Z_BUF_ERROR);
        if (result != Z_OK) throw std::bad_alloc();
    }

    void MakeRoom() {
        if (compressed_.size() == stream_.total_out) compressed_.resize(std::max(compressed_.capacity(), compressed_.size() + 1024));
        stream_.next_out = compressed_.data() + stream_.total_out;
        stream_.avail_out = static_cast<uInt>(compressed_.size() - stream_.total_out);
    }

    z_stream stream_{};
    int level_ = kCompressed;
    std::vector<std::uint8_t> compressed_;
};

// Each row as red, green, blue bytes less the row above, after its filter byte; deflated in bands
// of rows, each band as it deserves.
std::vector<std::uint8_t> DeflatedRows(const d3d8::Frame& frame) {
    constexpr int kBandRows = 32;
    const auto width = static_cast<std::size_t>(frame.width);
    const std::size_t lineBytes = 1 + width * kRgbBytes;
    std::vector<std::uint8_t> above(width * kRgbBytes, 0);
    std::vector<std::uint8_t> band(lineBytes * kBandRows);
    Deflater deflater(lineBytes * static_cast<std::size_t>(frame.height));
    for (int first = 0; first < frame.height; first += kBandRows) {
        const int rows = std::min(kBandRows, frame.height - first);
        for (int y = first; y < first + rows; ++y) {
            std::uint8_t* line = band.data() + static_cast<std::size_t>(y - first) * lineBytes;
            line[0] = kUpFilter;
            const auto row = std::span(frame.pixels).subspan(static_cast<std::size_t>(y) * width, width);
            for (std::size_t x = 0; x < width; ++x) {
                for (int channel = 0; channel < kRgbBytes; ++channel) {  // frame pixels are 0xXXRRGGBB
                    const auto value = static_cast<std::uint8_t>(row[x] >> (16 - 8 * channel));
                    const std::size_t at = x * kRgbBytes + static_cast<std::size_t>(channel);
                    line[1 + at] = static_cast<std::uint8_t>(value - above[at]);
                    above[at] = value;
                }
            }
        }
        const bool last = first + rows == frame.height;
        deflater.Add(std::span(band).first(lineBytes * static_cast<std::size_t>(rows)), last ? Z_FINISH : Z_NO_FLUSH);
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

    std::vector<std::uint8_t> head(kSignature.begin(), kSignature.end());
    AppendChunk(head, "IHDR", header);
    const std::vector<std::uint8_t> pixels = DeflatedRows(frame);
    ChunkFrame pixelChunk = FrameChunk("IDAT", pixels);
    AppendChunk(pixelChunk.after, "IEND", {});
    WriteFileAtomically(path, [&](OutputFile& file) {
        file.Reserve(head.size() + pixelChunk.before.size() + pixels.size() + pixelChunk.after.size());
        for (const auto& part : {std::span<const std::uint8_t>(head), std::span<const std::uint8_t>(pixelChunk.before),
                                 std::span<const std::uint8_t>(pixels), std::span<const std::uint8_t>(pixelChunk.after)}) {
            file.Write(std::as_bytes(part));
        }
    });
}

}  // namespace pelliton
