// The 20 bytes every chunk of an RSH file starts with, and the file's own 24-byte header: their
// layouts and one decoder each, shared by the window's records and the chunk tree.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pelliton {

inline constexpr std::size_t kTagLength = 4;  // type and id
inline constexpr std::size_t kSignatureLength = 12;
inline constexpr std::size_t kSignatureEndLength = 4;
inline constexpr std::size_t kFileHeaderBytes = 24;
inline constexpr std::size_t kChunkHeaderBytes = 20;

// Texts hold one char per file byte; a zero byte stays a zero char.
struct RshFileHeader {
    std::string signature;     // "Relic Chunky" in the game's files
    std::string signatureEnd;  // "\r\n\x1a\0"
    std::int32_t version = 0;
    std::int32_t platform = 0;
};

struct ChunkHeader {
    std::string type;  // "FOLD": the body is child chunks; anything else: the body is data
    std::string id;
    std::int32_t version = 0;
    std::int32_t size = 0;        // bytes of the body, after the name
    std::int32_t nameLength = 0;  // bytes of the name between the header and the body

    std::string Tag() const { return type + id; }  // "FOLDTXTR"
};

// One fixed-size field of a header, under the label errors give it.
struct HeaderField {
    std::string_view label;
    std::size_t length;
};

inline constexpr std::array<HeaderField, 4> kFileHeaderFields = {
    HeaderField{"Signature", kSignatureLength}, {"SignatureEnd", kSignatureEndLength}, {"HeaderLong1", 4},
    {"HeaderLong2", 4}};
inline constexpr std::array<HeaderField, 5> kChunkHeaderFields = {
    HeaderField{"ChunkType", kTagLength}, {"ChunkId", kTagLength}, {"ChunkLong1", 4}, {"ChunkSize", 4},
    {"NameLength", 4}};

RshFileHeader DecodeFileHeader(std::span<const std::uint8_t, kFileHeaderBytes> bytes);
ChunkHeader DecodeChunkHeader(std::span<const std::uint8_t, kChunkHeaderBytes> bytes);

}  // namespace pelliton
