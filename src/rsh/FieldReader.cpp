#include "rsh/FieldReader.h"

#include <array>

#include "common/LittleEndianReader.h"
#include "common/PellitonError.h"

namespace pelliton {

void FieldReader::RequireAt(std::uint64_t at, std::uint64_t count, std::string_view label) const {
    if (at > Size() || count > Size() - at) {
        throw PellitonError("the file ends at byte " + std::to_string(Size()) + ", but " + std::string(label) +
                            " needs " + std::to_string(count) + " bytes at byte " + std::to_string(at));
    }
}

// Checks field by field, so that the error names the first field the file cuts off.
void FieldReader::RequireFields(std::span<const HeaderField> fields, std::string_view record) const {
    std::uint64_t at = offset_;
    for (const HeaderField& field : fields) {
        RequireAt(at, field.length, std::string(record) + "." + std::string(field.label));
        at += field.length;
    }
}

void FieldReader::ReadBytes(std::span<std::uint8_t> into, std::string_view label) {
    Require(into.size(), label);
    source_.ReadAt(offset_, into);
    offset_ += into.size();
}

std::int32_t FieldReader::ReadLong(std::string_view label) {
    std::array<std::uint8_t, 4> bytes{};
    ReadBytes(bytes, label);
    return static_cast<std::int32_t>(LittleEndianReader(bytes).UInt32());
}

std::string FieldReader::ReadText(std::size_t count, std::string_view label) {
    Require(count, label);
    std::string text(count, '\0');
    ReadBytes(std::span(reinterpret_cast<std::uint8_t*>(text.data()), count), label);
    return text;
}

RshFileHeader FieldReader::ReadFileHeader(std::string_view record) {
    RequireFields(kFileHeaderFields, record);
    std::array<std::uint8_t, kFileHeaderBytes> bytes;
    ReadBytes(bytes, record);
    return DecodeFileHeader(bytes);
}

ChunkHeader FieldReader::ReadChunkHeader(std::string_view record) {
    RequireFields(kChunkHeaderFields, record);
    std::array<std::uint8_t, kChunkHeaderBytes> bytes;
    ReadBytes(bytes, record);
    return DecodeChunkHeader(bytes);
}

}  // namespace pelliton
