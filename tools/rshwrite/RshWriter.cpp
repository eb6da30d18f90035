#include "rshwrite/RshWriter.h"

#include <fstream>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"

namespace pelliton {

namespace {

class ByteSink {
public:
    explicit ByteSink(std::vector<std::uint8_t>& out) : out_(out) {}

    void Text(const std::string& text) { out_.insert(out_.end(), text.begin(), text.end()); }
    void Long(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    void ChunkHeader(const RshChunkHeader& chunk) {
        Text(chunk.ChunkType);
        Text(chunk.ChunkId);
        Long(chunk.ChunkLong1);
        Long(chunk.ChunkSize);
        Long(chunk.NameLength);
    }
    void NamedChunk(const RshNamedChunk& chunk) {
        ChunkHeader(chunk);
        Text(chunk.ChunkName);
    }

private:
    std::vector<std::uint8_t>& out_;
};

RshNamedChunk Named(const char* type, const char* id, std::int32_t size, const std::string& name) {
    RshNamedChunk chunk;
    chunk.ChunkType = type;
    chunk.ChunkId = id;
    chunk.ChunkLong1 = 1;
    chunk.ChunkSize = size;
    chunk.NameLength = static_cast<std::int32_t>(name.size());
    chunk.ChunkName = name;
    return chunk;
}

void SetHeader(RshChunkHeader& chunk, const char* type, const char* id, std::int32_t size) {
    chunk.ChunkType = type;
    chunk.ChunkId = id;
    chunk.ChunkLong1 = 1;
    chunk.ChunkSize = size;
    chunk.NameLength = 0;
}

}  // namespace

modRSH MakeTextureRecords(std::int32_t imageType, std::int32_t width, std::int32_t height, std::int32_t mipLevels,
                          std::int32_t dataSize) {
    constexpr std::int32_t kHeadSize = 8;
    constexpr std::int32_t kAttrSize = 16;
    constexpr std::int32_t kChunkHeaderSize = 20;
    const std::string name = "sample";

    modRSH records;
    records.FileHeader.Signature = "Relic Chunky";
    records.FileHeader.SignatureEnd = std::string("\r\n\x1a\0", 4);
    records.FileHeader.HeaderLong1 = 1;
    records.FileHeader.HeaderLong2 = 1;

    const std::int32_t imageFolderSize = 2 * kChunkHeaderSize + kAttrSize + dataSize;
    const std::int32_t textureFolderSize = kChunkHeaderSize + kHeadSize + kChunkHeaderSize + imageFolderSize;
    records.NamedChunk1 = Named("FOLD", "SHRF", kChunkHeaderSize + static_cast<std::int32_t>(name.size()) +
                                                    textureFolderSize, name);
    records.NamedChunk2 = Named("FOLD", "TXTR", textureFolderSize, name);
    SetHeader(records.HeadChunk, "DATA", "HEAD", kHeadSize);
    records.HeadChunk.HeadValue1 = 0;
    records.HeadChunk.HeadValue2 = 1;
    records.NamedChunk3 = Named("FOLD", "IMAG", imageFolderSize, "");
    SetHeader(records.AttrChunk, "DATA", "ATTR", kAttrSize);
    records.AttrChunk.ImageType = imageType;
    records.AttrChunk.Width = width;
    records.AttrChunk.Height = height;
    records.AttrChunk.MipLevels = mipLevels;
    SetHeader(records.DataChunk, "DATA", "DATA", dataSize);
    return records;
}

std::vector<std::uint8_t> WriteRshBytes(const modRSH& records, std::span<const std::uint8_t> texelData) {
    std::vector<std::uint8_t> out;
    ByteSink sink(out);
    sink.Text(records.FileHeader.Signature);
    sink.Text(records.FileHeader.SignatureEnd);
    sink.Long(records.FileHeader.HeaderLong1);
    sink.Long(records.FileHeader.HeaderLong2);
    sink.NamedChunk(records.NamedChunk1);
    sink.NamedChunk(records.NamedChunk2);
    sink.ChunkHeader(records.HeadChunk);
    sink.Long(records.HeadChunk.HeadValue1);
    sink.Long(records.HeadChunk.HeadValue2);
    sink.NamedChunk(records.NamedChunk3);
    sink.ChunkHeader(records.AttrChunk);
    sink.Long(records.AttrChunk.ImageType);
    sink.Long(records.AttrChunk.Width);
    sink.Long(records.AttrChunk.Height);
    sink.Long(records.AttrChunk.MipLevels);
    sink.ChunkHeader(records.DataChunk);
    out.insert(out.end(), texelData.begin(), texelData.end());
    return out;
}

void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw PellitonError("cannot write " + path);
}

}  // namespace pelliton
