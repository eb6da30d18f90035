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
    void Header(const ChunkHeader& chunk) {
        Text(chunk.type);
        Text(chunk.id);
        Long(chunk.version);
        Long(chunk.size);
        Long(chunk.nameLength);
    }
    void Named(const NamedChunk& chunk) {
        Header(chunk);
        Text(chunk.name);
    }

private:
    std::vector<std::uint8_t>& out_;
};

NamedChunk Named(const char* type, const char* id, std::int32_t size, const std::string& name) {
    NamedChunk chunk;
    chunk.type = type;
    chunk.id = id;
    chunk.version = 1;
    chunk.size = size;
    chunk.nameLength = static_cast<std::int32_t>(name.size());
    chunk.name = name;
    return chunk;
}

void SetHeader(ChunkHeader& chunk, const char* type, const char* id, std::int32_t size) {
    chunk.type = type;
    chunk.id = id;
    chunk.version = 1;
    chunk.size = size;
    chunk.nameLength = 0;
}

}  // namespace

RshRecords MakeTextureRecords(std::int32_t imageType, std::int32_t width, std::int32_t height, std::int32_t mipLevels,
                          std::int32_t dataSize) {
    constexpr std::int32_t kHeadSize = 8;
    constexpr std::int32_t kAttrSize = 16;
    constexpr std::int32_t kChunkHeaderSize = 20;
    const std::string name = "sample";

    RshRecords records;
    records.fileHeader.signature = "Relic Chunky";
    records.fileHeader.signatureEnd = std::string("\r\n\x1a\0", 4);
    records.fileHeader.version = 1;
    records.fileHeader.platform = 1;

    const std::int32_t imageFolderSize = 2 * kChunkHeaderSize + kAttrSize + dataSize;
    const std::int32_t textureFolderSize = kChunkHeaderSize + kHeadSize + kChunkHeaderSize + imageFolderSize;
    records.outerFolder = Named("FOLD", "SHRF", kChunkHeaderSize + static_cast<std::int32_t>(name.size()) +
                                                    textureFolderSize, name);
    records.textureFolder = Named("FOLD", "TXTR", textureFolderSize, name);
    SetHeader(records.head, "DATA", "HEAD", kHeadSize);
    records.head.formatCode = 0;
    records.head.secondValue = 1;
    records.imageFolder = Named("FOLD", "IMAG", imageFolderSize, "");
    SetHeader(records.attributes, "DATA", "ATTR", kAttrSize);
    records.attributes.imageType = imageType;
    records.attributes.width = width;
    records.attributes.height = height;
    records.attributes.mipLevels = mipLevels;
    SetHeader(records.data, "DATA", "DATA", dataSize);
    return records;
}

std::vector<std::uint8_t> WriteRshBytes(const RshRecords& records, std::span<const std::uint8_t> texelData) {
    std::vector<std::uint8_t> out;
    ByteSink sink(out);
    sink.Text(records.fileHeader.signature);
    sink.Text(records.fileHeader.signatureEnd);
    sink.Long(records.fileHeader.version);
    sink.Long(records.fileHeader.platform);
    sink.Named(records.outerFolder);
    sink.Named(records.textureFolder);
    sink.Header(records.head);
    sink.Long(records.head.formatCode);
    sink.Long(records.head.secondValue);
    sink.Named(records.imageFolder);
    sink.Header(records.attributes);
    sink.Long(records.attributes.imageType);
    sink.Long(records.attributes.width);
    sink.Long(records.attributes.height);
    sink.Long(records.attributes.mipLevels);
    sink.Header(records.data);
    out.insert(out.end(), texelData.begin(), texelData.end());
    return out;
}

void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw PellitonError("cannot write " + path);
}

}  // namespace pelliton
