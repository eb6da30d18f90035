#include "rsh/RshLoader.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "common/PellitonError.h"
#include "rsh/Latin1.h"
#include "rsh/TexelOrder.h"

namespace pelliton {

namespace {

std::string Field(const char* record, const char* field) { return std::string(record) + "." + field; }

void ReadChunkHeader(RshInputFile& file, RshChunkHeader& chunk, const char* record) {
    chunk.ChunkType = file.ReadText(kTagLength, Field(record, "ChunkType"));
    chunk.ChunkId = file.ReadText(kTagLength, Field(record, "ChunkId"));
    chunk.ChunkLong1 = file.ReadLong(Field(record, "ChunkLong1"));
    chunk.ChunkSize = file.ReadLong(Field(record, "ChunkSize"));
    chunk.NameLength = file.ReadLong(Field(record, "NameLength"));
}

// The name bytes come in one read; zero bytes are consumed and dropped.
void ReadChunkName(RshInputFile& file, RshNamedChunk& chunk, const char* record) {
    chunk.ChunkName.clear();
    if (chunk.NameLength <= 0) return;
    std::string bytes = file.ReadText(static_cast<std::size_t>(chunk.NameLength), Field(record, "ChunkName"));
    std::erase(bytes, '\0');
    chunk.ChunkName = std::move(bytes);
}

void ReadNamedChunk(RshInputFile& file, RshNamedChunk& chunk, const char* record) {
    ReadChunkHeader(file, chunk, record);
    ReadChunkName(file, chunk, record);
}

void LogChunkHeader(DebugLog& log, const RshChunkHeader& chunk) {
    log.AddDebugLine(Latin1ToUtf8(chunk.ChunkType));
    log.AddDebugLine(Latin1ToUtf8(chunk.ChunkId));
    log.AddDebugLine(std::to_string(chunk.ChunkLong1));
    log.AddDebugLine(std::to_string(chunk.ChunkSize));
    log.AddDebugLine(std::to_string(chunk.NameLength));
}

void LogNamedChunk(DebugLog& log, const RshNamedChunk& chunk) {
    log.AddDebugLine(Latin1ToUtf8(chunk.ChunkType));
    log.AddDebugLine(Latin1ToUtf8(chunk.ChunkId));
    log.AddDebugLine(std::to_string(chunk.ChunkSize));
    log.AddDebugLine(Latin1ToUtf8(chunk.ChunkName));
}

// Fills a texel array that was just sized, a slice at a time, and hands each slice to treat while
// it is still in the cache. A failed read empties the array, so that no uninitialised texels are
// left behind.
template <typename TexelArray, typename Treatment>
void ReadOrClear(RshInputFile& file, TexelArray& texels, Treatment treat) {
    constexpr std::size_t kSliceBytes = 256 << 10;
    const auto bytes = std::as_writable_bytes(std::span(texels));
    try {
        for (std::size_t at = 0; at < bytes.size(); at += kSliceBytes) {
            const auto slice = bytes.subspan(at, std::min(kSliceBytes, bytes.size() - at));
            file.ReadBytes(slice, "the texel data");
            treat(slice);
        }
    } catch (...) {
        texels.clear();
        throw;
    }
}

void ReadCompressedTexels(RshInputFile& file, modRSH& rsh) {
    const std::int32_t size = rsh.DataChunk.ChunkSize;
    if (size <= 0) {
        throw PellitonError("DataChunk.ChunkSize " + std::to_string(size) + " leaves no room for texel data");
    }
    file.Require(size, "the texel data");
    rsh.TexelBytes.resize(static_cast<std::size_t>(size));
    ReadOrClear(file, rsh.TexelBytes, [](std::span<std::byte>) {});
}

// The file holds each texel as red, green, blue, alpha; memory keeps blue, green, red, alpha.
void ReadUncompressedTexels(RshInputFile& file, modRSH& rsh) {
    const std::int32_t size = rsh.DataChunk.ChunkSize;
    const std::int64_t count = UncompressedTexelCount(size);
    if (count < 1) {
        throw PellitonError("DataChunk.ChunkSize " + std::to_string(size) + " holds no whole texel");
    }
    file.Require(count * 4, "the texel data (" + std::to_string(count) + " texels)");
    rsh.TexelPixels.resize(static_cast<std::size_t>(count));
    ReadOrClear(file, rsh.TexelPixels, SwapFirstAndThirdBytes);
}

// An image type the tool does not handle reads nothing and leaves both arrays alone.
void ReadTexels(RshInputFile& file, modRSH& rsh) {
    const TextureFormat* format = FindTextureFormat(rsh.AttrChunk.ImageType);
    if (format == nullptr) return;
    if (format->layout == TexelLayout::BlockCompressed) {
        ReadCompressedTexels(file, rsh);
    } else {
        ReadUncompressedTexels(file, rsh);
    }
}

}  // namespace

std::int64_t UncompressedTexelCount(std::int32_t chunkSize) {
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<std::int64_t>(std::nearbyint(chunkSize / 4.0));
}

void ReadRshRecords(RshInputFile& file, modRSH& rsh, DebugLog& log) {
    RshFileHeader& header = rsh.FileHeader;
    header.Signature = file.ReadText(kSignatureLength, "FileHeader.Signature");
    header.SignatureEnd = file.ReadText(kSignatureEndLength, "FileHeader.SignatureEnd");
    header.HeaderLong1 = file.ReadLong("FileHeader.HeaderLong1");
    header.HeaderLong2 = file.ReadLong("FileHeader.HeaderLong2");
    ReadNamedChunk(file, rsh.NamedChunk1, "NamedChunk1");
    ReadNamedChunk(file, rsh.NamedChunk2, "NamedChunk2");

    log.AddDebugLine(Latin1ToUtf8(header.Signature));
    log.AddDebugLine(std::to_string(header.HeaderLong1));
    log.AddDebugLine(std::to_string(header.HeaderLong2));
    LogNamedChunk(log, rsh.NamedChunk1);
    LogNamedChunk(log, rsh.NamedChunk2);

    RshHeadChunk& head = rsh.HeadChunk;
    ReadChunkHeader(file, head, "HeadChunk");
    head.HeadValue1 = file.ReadLong("HeadChunk.HeadValue1");
    head.HeadValue2 = file.ReadLong("HeadChunk.HeadValue2");
    LogChunkHeader(log, head);
    log.AddDebugLine(std::to_string(head.HeadValue1));
    log.AddDebugLine(std::to_string(head.HeadValue2));

    ReadNamedChunk(file, rsh.NamedChunk3, "NamedChunk3");  // read to move past it, never shown

    RshAttrChunk& attr = rsh.AttrChunk;
    ReadChunkHeader(file, attr, "AttrChunk");
    attr.ImageType = file.ReadLong("AttrChunk.ImageType");
    attr.Width = file.ReadLong("AttrChunk.Width");
    attr.Height = file.ReadLong("AttrChunk.Height");
    attr.MipLevels = file.ReadLong("AttrChunk.MipLevels");
    LogChunkHeader(log, attr);
    log.AddDebugLine("Image Type: " + std::to_string(attr.ImageType));
    log.AddDebugLine("Width: " + std::to_string(attr.Width));
    log.AddDebugLine("Height: " + std::to_string(attr.Height));
    log.AddDebugLine("MIP Levels: " + std::to_string(attr.MipLevels));

    ReadChunkHeader(file, rsh.DataChunk, "DataChunk");
    ReadTexels(file, rsh);
    LogChunkHeader(log, rsh.DataChunk);
}

}  // namespace pelliton
