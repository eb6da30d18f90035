#include "picture/PngChunkReader.h"

#include <zlib.h>

#include <array>
#include <limits>

#include "common/Counted.h"
#include "common/PngFormat.h"
#include "picture/FileChecks.h"
#include "picture/PngLayout.h"

namespace pelliton {

namespace {

// A chunk's length is at most 2^31 - 1.
constexpr std::uint32_t kLongestChunk = std::numeric_limits<std::int32_t>::max();

std::uint32_t Crc(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint32_t>(crc32(crc, bytes.data(), static_cast<uInt>(bytes.size())));
}

}  // namespace

std::string PngChunkName(std::uint32_t type) {
    std::string letters;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto letter = static_cast<char>(type >> shift & 0xFF);
        if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return std::to_string(type);
        letters += letter;
    }
    return letters;
}

PellitonError PngChunkCrcError(std::string_view name, std::uint32_t type, std::uint64_t at) {
    return FileError(name, "the CRC of its PNG chunk " + PngChunkName(type) + " at byte " + std::to_string(at) +
                               " does not match the chunk's data");
}

PngChunkReader::PngChunkReader(const ByteSource& file, std::uint64_t start, std::string_view name)
    : reader_(file, start, kSequentialReadBytes), name_(name) {}

const PngChunk& PngChunkReader::Next() {
    if (started_) reader_.Skip(std::uint64_t{dataLeft_} + (crcLeft_ ? 4 : 0));
    started_ = true;
    const std::uint64_t at = reader_.Position();
    if (reader_.Remaining() == 0) throw FileError(name_, "the file ends before its PNG end chunk (IEND)");
    if (reader_.Remaining() < png::kChunkFrameBytes) {
        throw FileError(name_, "the file ends inside the PNG chunk at byte " + std::to_string(at));
    }
    std::array<std::uint8_t, 8> frame{};  // length and type
    reader_.ReadExact(frame);
    const std::uint32_t length = png::BigEndian32(frame);
    if (length > kLongestChunk || length > reader_.Remaining() - 4) {
        throw FileError(name_, "the PNG chunk at byte " + std::to_string(at) + " declares " +
                                   Counted(length, "byte", "bytes") + ", more than the file holds after it");
    }
    chunk_ = {png::BigEndian32(std::span(frame).subspan(4)), length, at};
    dataLeft_ = length;
    crcLeft_ = true;
    crc_ = Crc(0, std::span(frame).subspan(4));
    return chunk_;
}

std::span<const std::uint8_t> PngChunkReader::ReadPiece() {
    if (dataLeft_ == 0) {
        if (crcLeft_) CheckCrc();
        return {};
    }
    const std::span<const std::uint8_t> piece = reader_.Take(dataLeft_);
    crc_ = Crc(crc_, piece);
    dataLeft_ -= static_cast<std::uint32_t>(piece.size());
    return piece;
}

std::vector<std::uint8_t> PngChunkReader::ReadAll() {
    std::vector<std::uint8_t> data;
    data.reserve(dataLeft_);
    for (auto piece = ReadPiece(); !piece.empty(); piece = ReadPiece())
        data.insert(data.end(), piece.begin(), piece.end());
    return data;
}

void PngChunkReader::FinishChunk() {
    while (!ReadPiece().empty()) {
    }
}

void PngChunkReader::CheckCrc() {
    std::array<std::uint8_t, 4> stored{};
    reader_.ReadExact(stored);
    crcLeft_ = false;
    if (png::BigEndian32(stored) != crc_) throw PngChunkCrcError(name_, chunk_.type, chunk_.at);
}

}  // namespace pelliton
