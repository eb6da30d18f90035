#include "rsh/ChunkHeader.h"

#include "common/LittleEndianReader.h"

namespace pelliton {

namespace {

std::string Text(std::span<const std::uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

RshFileHeader DecodeFileHeader(std::span<const std::uint8_t, kFileHeaderBytes> bytes) {
    RshFileHeader header;
    header.signature = Text(bytes.first(kSignatureLength));
    header.signatureEnd = Text(bytes.subspan(kSignatureLength, kSignatureEndLength));
    LittleEndianReader longs(bytes.subspan(kSignatureLength + kSignatureEndLength));
    header.version = static_cast<std::int32_t>(longs.UInt32());
    header.platform = static_cast<std::int32_t>(longs.UInt32());
    return header;
}

ChunkHeader DecodeChunkHeader(std::span<const std::uint8_t, kChunkHeaderBytes> bytes) {
    ChunkHeader header;
    header.type = Text(bytes.first(kTagLength));
    header.id = Text(bytes.subspan(kTagLength, kTagLength));
    LittleEndianReader longs(bytes.subspan(2 * kTagLength));
    header.version = static_cast<std::int32_t>(longs.UInt32());
    header.size = static_cast<std::int32_t>(longs.UInt32());
    header.nameLength = static_cast<std::int32_t>(longs.UInt32());
    return header;
}

}  // namespace pelliton
