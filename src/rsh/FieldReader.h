// Reads the fields of a file front to back, each under the label its errors give it, so that a
// short file says which field was cut off and where.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/ByteSource.h"
#include "rsh/ChunkHeader.h"

namespace pelliton {

class FieldReader {
public:
    explicit FieldReader(const ByteSource& source, std::uint64_t offset = 0) : source_(source), offset_(offset) {}

    std::uint64_t Size() const { return source_.Size(); }
    std::uint64_t Offset() const { return offset_; }

    // Throws the short-file error unless count more bytes are there.
    void Require(std::uint64_t count, std::string_view label) const { RequireAt(offset_, count, label); }
    void ReadBytes(std::span<std::uint8_t> into, std::string_view label);
    std::int32_t ReadLong(std::string_view label);
    std::string ReadText(std::size_t count, std::string_view label);  // checked before it allocates

    // A header of fixed fields in one read; record names them in errors ("HeadChunk.ChunkSize").
    RshFileHeader ReadFileHeader(std::string_view record);
    ChunkHeader ReadChunkHeader(std::string_view record);

private:
    void RequireAt(std::uint64_t at, std::uint64_t count, std::string_view label) const;
    void RequireFields(std::span<const HeaderField> fields, std::string_view record) const;

    const ByteSource& source_;
    std::uint64_t offset_;
};

}  // namespace pelliton
