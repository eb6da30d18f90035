#include "cli/extract/PngFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <new>
#include <span>
#include <string_view>
#include <vector>

#include <zlib.h>

#include "common/PellitonError.h"
#include "common/PngFormat.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"

// One encoder on every platform, zlib of the same version on each, so that the same frame gives the
// same file on each. The file is put together in memory and written as exports are.
namespace pelliton {

namespace {

constexpr std::uint8_t kUpFilter = 2;  // each byte less the one above it
constexpr int kRgbBytes = 3;

void AppendBigEndian(std::vector<std::uint8_t>& png, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A chunk is its length, its type, its data, and the checksum of type and data. It is begun with
// the type, its data is appended, and then its length and checksum are put in.
std::size_t BeginChunk(std::vector<std::uint8_t>& png, std::uint32_t type) {
    const std::size_t start = png.size();
    AppendBigEndian(png, 0);
    AppendBigEndian(png, type);
    return start;
}

void EndChunk(std::vector<std::uint8_t>& png, std::size_t start) {
    constexpr std::size_t kLengthBytes = 4, kTypeBytes = 4;
    const auto length = static_cast<std::uint32_t>(png.size() - start - kLengthBytes - kTypeBytes);
    for (std::size_t i = 0; i < kLengthBytes; ++i) png[start + i] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
    const auto checked = std::span(png).subspan(start + kLengthBytes);  // the type, then the data
    AppendBigEndian(png, static_cast<std::uint32_t>(crc32(0, checked.data(), static_cast<uInt>(checked.size()))));
}

// Deflates what it is given as it comes, onto the end of a buffer.
class Deflater {
public:
    // zlib's fastest level with run-length matching: several times faster than a full search, and
    // about as small for a preview, whose background and magnified texels come in runs.
    // expected: how many bytes will come, so that the buffer grows once.
    Deflater(std::vector<std::uint8_t>& out, std::size_t expected) : out_(out), start_(out.size()) {
        if (deflateInit2(&stream_, kCompressed, Z_DEFLATED, MAX_WBITS, 9, Z_RLE) != Z_OK) throw std::bad_alloc();
        out_.reserve(start_ + deflateBound(&stream_, static_cast<uLong>(expected)));
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
    // Ends the buffer where the deflated bytes end.
    void Finish() { out_.resize(start_ + stream_.total_out); }

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
        const std::size_t end = start_ + stream_.total_out;
        if (out_.size() == end) out_.resize(std::max(out_.capacity(), end + 1024));
        stream_.next_out = out_.data() + end;
        stream_.avail_out = static_cast<uInt>(out_.size() - end);
    }

    std::vector<std::uint8_t>& out_;
    std::size_t start_;
    z_stream stream_{};
    int level_ = kCompressed;
};

// Each row as red, green, blue bytes less the row above, after its filter byte; deflated onto png
// in bands of rows, each band as it deserves.
void AppendDeflatedRows(std::vector<std::uint8_t>& png, const d3d8::Frame& frame) {
    constexpr int kBandRows = 32;
    const auto width = static_cast<std::size_t>(frame.width);
    const std::size_t lineBytes = 1 + width * kRgbBytes;
    std::vector<std::uint8_t> above(width * kRgbBytes, 0);
    std::vector<std::uint8_t> band(lineBytes * kBandRows);
    Deflater deflater(png, lineBytes * static_cast<std::size_t>(frame.height));
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
    deflater.Finish();
}

}  // namespace

void WritePngFile(const std::filesystem::path& path, const d3d8::Frame& frame) {
    if (frame.width <= 0 || frame.height <= 0) {
        throw PellitonError("cannot write " + PathToUtf8(path) + ": the frame has no pixels");
    }
    std::vector<std::uint8_t> bytes(png::kSignature.begin(), png::kSignature.end());
    const std::size_t header = BeginChunk(bytes, png::kImageHeader);
    AppendBigEndian(bytes, static_cast<std::uint32_t>(frame.width));
    AppendBigEndian(bytes, static_cast<std::uint32_t>(frame.height));
    for (const std::uint8_t field : {8, 2, 0, 0, 0}) bytes.push_back(field);  // 8 bits a channel, RGB, deflate, rows filtered, no interlace
    EndChunk(bytes, header);
    const std::size_t pixels = BeginChunk(bytes, png::kImageData);
    AppendDeflatedRows(bytes, frame);
    EndChunk(bytes, pixels);
    EndChunk(bytes, BeginChunk(bytes, png::kImageEnd));
    WriteFileAtomically(path, [&bytes](OutputFile& file) {
        file.Reserve(bytes.size());
        file.Write(std::as_bytes(std::span(bytes)));
    });
}

}  // namespace pelliton
