#include "picture/PngEncoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <new>
#include <utility>

#include <zlib.h>

#include "common/ImageSides.h"
#include "common/PellitonError.h"
#include "common/PngFormat.h"

// One encoder on every platform, zlib of the same version on each, so that the same picture gives
// the same file on each.
namespace pelliton {

namespace {

constexpr std::uint8_t kUpFilter = 2;  // each byte less the one above it

// Image data is handed on as IDAT chunks of this many deflated bytes, the last one shorter: what
// the encoder holds of the file, and more than a preview frame ever takes, which thus has one.
constexpr std::size_t kImageDataChunkBytes = std::size_t{1} << 20;

using BigEndian32 = std::array<std::uint8_t, 4>;

BigEndian32 ToBigEndian(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

// A chunk is its data's length, its type, its data, and the checksum of type and data.
void HandOnChunk(const PngByteSink& out, std::uint32_t type, std::span<const std::uint8_t> data) {
    const BigEndian32 length = ToBigEndian(static_cast<std::uint32_t>(data.size())), typeBytes = ToBigEndian(type);
    uLong checksum = crc32(0, typeBytes.data(), static_cast<uInt>(typeBytes.size()));
    out(length);
    out(typeBytes);
    if (!data.empty()) {  // crc32 given no bytes at all would start a new checksum
        checksum = crc32(checksum, data.data(), static_cast<uInt>(data.size()));
        out(data);
    }
    out(ToBigEndian(static_cast<std::uint32_t>(checksum)));
}

// Deflates what it is given as it comes, handing the deflated bytes on in pieces of
// kImageDataChunkBytes, the last one shorter.
class Deflater {
public:
    // zlib's fastest level with run-length matching: several times faster than a full search, and
    // about as small for a preview, whose background and magnified texels come in runs.
    // expected: how many bytes will come, so that the buffer grows once.
    Deflater(std::size_t expected, std::function<void(std::span<const std::uint8_t>)> handOn)
        : handOn_(std::move(handOn)) {
        if (deflateInit2(&stream_, kCompressed, Z_DEFLATED, MAX_WBITS, 9, Z_RLE) != Z_OK) throw std::bad_alloc();
        out_.reserve(std::min<std::size_t>(deflateBound(&stream_, static_cast<uLong>(expected)), kImageDataChunkBytes));
    }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Bytes like noise would shrink by a fifth at most, for most of the time the picture takes:
    // such bytes are stored as they are. Z_FINISH hands on what is left.
    void Add(std::span<std::uint8_t> bytes, int flush) {
        SetLevel(LikeNoise(bytes) ? Z_NO_COMPRESSION : kCompressed);
        stream_.next_in = bytes.data();
        stream_.avail_in = static_cast<uInt>(bytes.size());
        int result = Z_OK;
        do {
            MakeRoom();
            result = deflate(&stream_, flush);
            used_ = out_.size() - stream_.avail_out;
        } while (stream_.avail_out == 0 || (flush == Z_FINISH && result == Z_OK));
        if (result != Z_OK && result != Z_STREAM_END) throw std::bad_alloc();  // only memory can fail here
        if (flush == Z_FINISH) handOn_(std::span(out_).first(used_));
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
            used_ = out_.size() - stream_.avail_out;
        } while (result == Z_BUF_ERROR);
        if (result != Z_OK) throw std::bad_alloc();
    }

    // Room after the deflated bytes: a full piece is handed on first, and the buffer grows up to
    // a piece's size.
    void MakeRoom() {
        if (used_ == kImageDataChunkBytes) {
            handOn_(out_);
            used_ = 0;
        }
        if (out_.size() == used_) out_.resize(std::min(std::max(out_.capacity(), used_ + 1024), kImageDataChunkBytes));
        stream_.next_out = out_.data() + used_;
        stream_.avail_out = static_cast<uInt>(out_.size() - used_);
    }

    std::function<void(std::span<const std::uint8_t>)> handOn_;
    std::vector<std::uint8_t> out_;
    std::size_t used_ = 0;  // deflated bytes in out_ not yet handed on
    z_stream stream_{};
    int level_ = kCompressed;
};

// Each row after its filter byte, as bytes less the row above; deflated in bands of rows, each band
// as it deserves.
void HandOnImageData(const PngShape& shape, const PngRowSource& rows, const PngByteSink& out) {
    constexpr int kBandRows = 32;
    const std::size_t rowBytes = static_cast<std::size_t>(shape.width) * static_cast<std::size_t>(shape.channels);
    const std::size_t lineBytes = 1 + rowBytes;
    std::vector<std::uint8_t> above(rowBytes, 0), row(rowBytes);
    std::vector<std::uint8_t> band(lineBytes * kBandRows);
    Deflater deflater(lineBytes * static_cast<std::size_t>(shape.height),
                      [&out](std::span<const std::uint8_t> deflated) { HandOnChunk(out, png::kImageData, deflated); });
    for (int first = 0; first < shape.height; first += kBandRows) {
        const int bandRows = std::min(kBandRows, shape.height - first);
        for (int y = first; y < first + bandRows; ++y) {
            std::uint8_t* line = band.data() + static_cast<std::size_t>(y - first) * lineBytes;
            line[0] = kUpFilter;
            rows(y, row);
            for (std::size_t at = 0; at < rowBytes; ++at) line[1 + at] = static_cast<std::uint8_t>(row[at] - above[at]);
            std::swap(above, row);
        }
        const bool last = first + bandRows == shape.height;
        const std::size_t bandBytes = lineBytes * static_cast<std::size_t>(bandRows);
        deflater.Add(std::span(band).first(bandBytes), last ? Z_FINISH : Z_NO_FLUSH);
    }
}

}  // namespace

void EncodePng(const PngShape& shape, const PngRowSource& rows, const PngByteSink& out) {
    const auto width = static_cast<std::uint32_t>(shape.width), height = static_cast<std::uint32_t>(shape.height);
    if (!SidesInRange(width, height)) {
        throw PellitonError("cannot encode a PNG file: " + SidesOutOfRange(width, height, "pixels"));
    }
    out(png::kSignature);
    constexpr std::uint8_t kEightBits = 8, kDeflate = 0, kRowsFiltered = 0, kNotInterlaced = 0;
    const std::uint8_t colourType = shape.channels == PngChannels::kRgba  ? 6
                                    : shape.channels == PngChannels::kRgb ? 2
                                                                          : 0;
    std::array<std::uint8_t, png::kImageHeaderLength> header{};
    std::ranges::copy(ToBigEndian(width), header.begin());
    std::ranges::copy(ToBigEndian(height), header.begin() + 4);
    std::ranges::copy(std::array{kEightBits, colourType, kDeflate, kRowsFiltered, kNotInterlaced}, header.begin() + 8);
    HandOnChunk(out, png::kImageHeader, header);
    HandOnImageData(shape, rows, out);
    HandOnChunk(out, png::kImageEnd, {});
}

std::vector<std::uint8_t> EncodePng(const RgbaPicture& picture) {
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 4;
    std::vector<std::uint8_t> file;
    EncodePng({picture.width, picture.height, PngChannels::kRgba},
              [&](int y, std::span<std::uint8_t> row) {
                  const auto at = static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * rowBytes);
                  std::copy_n(picture.rgba.begin() + at, rowBytes, row.begin());
              },
              [&file](std::span<const std::uint8_t> bytes) {
                  const std::size_t end = file.size();
                  file.resize(end + bytes.size());
                  std::ranges::copy(bytes, file.begin() + static_cast<std::ptrdiff_t>(end));
              });
    return file;
}

}  // namespace pelliton
