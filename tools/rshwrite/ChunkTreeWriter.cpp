#include "rshwrite/ChunkTreeWriter.h"

#include <utility>

#include "rsh/TextureFormats.h"

namespace pelliton {

namespace {

void Append(std::vector<std::uint8_t>& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

void AppendLong(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

std::vector<std::uint8_t> Longs(std::initializer_list<std::int32_t> values) {
    std::vector<std::uint8_t> bytes;
    for (const std::int32_t value : values) AppendLong(bytes, value);
    return bytes;
}

void AppendChunk(std::vector<std::uint8_t>& out, const ChunkSpec& chunk) {
    std::vector<std::uint8_t> body = chunk.data;
    for (const ChunkSpec& child : chunk.children) AppendChunk(body, child);
    Append(out, chunk.type);
    Append(out, chunk.id);
    AppendLong(out, chunk.version);
    AppendLong(out, static_cast<std::int32_t>(body.size()));
    AppendLong(out, static_cast<std::int32_t>(chunk.name.size()));
    Append(out, chunk.name);
    out.insert(out.end(), body.begin(), body.end());
}

std::string GameName(const std::string& gamePath) { return gamePath + std::string(1, '\0'); }

}  // namespace

ChunkSpec FoldChunk(std::string id, std::int32_t version, std::string name, std::vector<ChunkSpec> children) {
    return {"FOLD", std::move(id), version, std::move(name), {}, std::move(children)};
}

ChunkSpec DataChunk(std::string id, std::int32_t version, std::vector<std::uint8_t> data, std::string name) {
    return {"DATA", std::move(id), version, std::move(name), std::move(data), {}};
}

std::vector<std::uint8_t> WriteChunkTreeBytes(const std::vector<ChunkSpec>& chunks) {
    std::vector<std::uint8_t> out;
    Append(out, "Relic Chunky");
    Append(out, std::string("\r\n\x1a\0", 4));
    AppendLong(out, 1);
    AppendLong(out, 1);
    for (const ChunkSpec& chunk : chunks) AppendChunk(out, chunk);
    return out;
}

ChunkSpec GameTextureFolder(const std::string& gamePath, std::int32_t imageType, std::int32_t width,
                            std::int32_t height, std::int32_t mipLevels, std::vector<std::uint8_t> texels) {
    const TextureFormat* format = FindTextureFormat(imageType);
    const std::int32_t headCode = format == nullptr ? 0 : format->headCode;
    return FoldChunk("TXTR", 1, GameName(gamePath),
                     {DataChunk("HEAD", 1, Longs({headCode, 1})),
                      FoldChunk("IMAG", 1, "",
                                {DataChunk("ATTR", 2, Longs({imageType, width, height, mipLevels})),
                                 DataChunk("DATA", 2, std::move(texels))})});
}

std::vector<std::uint8_t> GameTextureFile(const std::string& gamePath, std::vector<ChunkSpec> textures) {
    constexpr std::size_t kInfoBytes = 17;
    constexpr int kChannels = 6;
    std::vector<ChunkSpec> shader = {DataChunk("INFO", 1, std::vector<std::uint8_t>(kInfoBytes, 0x11))};
    for (int channel = 0; channel < kChannels; ++channel) {
        shader.push_back(DataChunk("CHAN", 3, Longs({channel, 0, -1, 0x3F800000})));
    }
    textures.push_back(FoldChunk("SHDR", 1, GameName(gamePath), std::move(shader)));
    return WriteChunkTreeBytes({FoldChunk("SHRF", 1, GameName(gamePath), std::move(textures))});
}

}  // namespace pelliton
