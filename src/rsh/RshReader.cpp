#include "rsh/RshReader.h"

#include <algorithm>
#include <string>

#include "common/PellitonError.h"
#include "rsh/FieldReader.h"
#include "rsh/Latin1.h"
#include "rsh/TexelReading.h"

namespace pelliton {

namespace {

// Errors name the records and fields as the log's readers have always known them.
std::string Label(const char* record, const char* field) { return std::string(record) + "." + field; }

// The name bytes come in one read; zero bytes are consumed and dropped.
void ReadNamedChunk(FieldReader& file, NamedChunk& chunk, const char* record) {
    static_cast<ChunkHeader&>(chunk) = file.ReadChunkHeader(record);
    chunk.name.clear();
    if (chunk.nameLength <= 0) return;
    std::string bytes = file.ReadText(static_cast<std::size_t>(chunk.nameLength), Label(record, "ChunkName"));
    std::erase(bytes, '\0');
    chunk.name = std::move(bytes);
}

void LogChunkHeader(DebugLog& log, const ChunkHeader& chunk) {
    log.AddDebugLine(Latin1ToUtf8(chunk.type));
    log.AddDebugLine(Latin1ToUtf8(chunk.id));
    log.AddDebugLine(std::to_string(chunk.version));
    log.AddDebugLine(std::to_string(chunk.size));
    log.AddDebugLine(std::to_string(chunk.nameLength));
}

void LogNamedChunk(DebugLog& log, const NamedChunk& chunk) {
    log.AddDebugLine(Latin1ToUtf8(chunk.type));
    log.AddDebugLine(Latin1ToUtf8(chunk.id));
    log.AddDebugLine(std::to_string(chunk.size));
    log.AddDebugLine(Latin1ToUtf8(chunk.name));
}

void ReadCompressedTexels(FieldReader& file, RshRecords& rsh) {
    const std::int32_t size = rsh.data.size;
    if (size <= 0) {
        throw PellitonError("DataChunk.ChunkSize " + std::to_string(size) + " leaves no room for texel data");
    }
    file.Require(static_cast<std::uint64_t>(size), "the texel data");
    rsh.blockTexels.resize(static_cast<std::size_t>(size));
    ReadBlockTexels(file, rsh.blockTexels);
}

void ReadUncompressedTexels(FieldReader& file, RshRecords& rsh) {
    const std::int32_t size = rsh.data.size;
    const std::int64_t count = UncompressedTexelCount(size);
    if (count < 1) {
        throw PellitonError("DataChunk.ChunkSize " + std::to_string(size) + " holds no whole texel");
    }
    file.Require(static_cast<std::uint64_t>(count) * 4, "the texel data (" + std::to_string(count) + " texels)");
    rsh.pixels.resize(static_cast<std::size_t>(count));
    ReadPixels(file, rsh.pixels);
}

// An image type the tool does not handle reads nothing and leaves both arrays alone.
void ReadTexels(FieldReader& file, RshRecords& rsh) {
    const TextureFormat* format = FindTextureFormat(rsh.attributes.imageType);
    if (format == nullptr) return;
    if (format->layout == TexelLayout::BlockCompressed) {
        ReadCompressedTexels(file, rsh);
    } else {
        ReadUncompressedTexels(file, rsh);
    }
}

}  // namespace

std::uint64_t ReadRshRecords(const ByteSource& source, RshRecords& rsh, DebugLog& log) {
    FieldReader file(source);
    rsh.fileHeader = file.ReadFileHeader("FileHeader");
    ReadNamedChunk(file, rsh.outerFolder, "NamedChunk1");
    ReadNamedChunk(file, rsh.textureFolder, "NamedChunk2");

    log.AddDebugLine(Latin1ToUtf8(rsh.fileHeader.signature));
    log.AddDebugLine(std::to_string(rsh.fileHeader.version));
    log.AddDebugLine(std::to_string(rsh.fileHeader.platform));
    LogNamedChunk(log, rsh.outerFolder);
    LogNamedChunk(log, rsh.textureFolder);

    HeadChunk& head = rsh.head;
    static_cast<ChunkHeader&>(head) = file.ReadChunkHeader("HeadChunk");
    head.formatCode = file.ReadLong("HeadChunk.HeadValue1");
    head.secondValue = file.ReadLong("HeadChunk.HeadValue2");
    LogChunkHeader(log, head);
    log.AddDebugLine(std::to_string(head.formatCode));
    log.AddDebugLine(std::to_string(head.secondValue));

    ReadNamedChunk(file, rsh.imageFolder, "NamedChunk3");

    AttributesChunk& attributes = rsh.attributes;
    static_cast<ChunkHeader&>(attributes) = file.ReadChunkHeader("AttrChunk");
    attributes.imageType = file.ReadLong("AttrChunk.ImageType");
    attributes.width = file.ReadLong("AttrChunk.Width");
    attributes.height = file.ReadLong("AttrChunk.Height");
    attributes.mipLevels = file.ReadLong("AttrChunk.MipLevels");
    LogChunkHeader(log, attributes);
    log.AddDebugLine("Image Type: " + std::to_string(attributes.imageType));
    log.AddDebugLine("Width: " + std::to_string(attributes.width));
    log.AddDebugLine("Height: " + std::to_string(attributes.height));
    log.AddDebugLine("MIP Levels: " + std::to_string(attributes.mipLevels));

    rsh.data = file.ReadChunkHeader("DataChunk");
    ReadTexels(file, rsh);
    LogChunkHeader(log, rsh.data);
    return file.Offset();
}

}  // namespace pelliton
