#include "rshwrite/PatternWriter.h"

#include <bit>

namespace pelliton {

namespace {

void AppendLong(std::vector<std::uint8_t>& out, std::uint32_t bits) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

std::vector<std::uint8_t> Longs(std::initializer_list<std::int32_t> values) {
    std::vector<std::uint8_t> bytes;
    for (const std::int32_t value : values) AppendLong(bytes, static_cast<std::uint32_t>(value));
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> RectangleBytes(const std::array<float, 4>& rectangle) {
    std::vector<std::uint8_t> bytes;
    for (const float value : rectangle) AppendLong(bytes, std::bit_cast<std::uint32_t>(value));
    return bytes;
}

ChunkSpec PatternFolder(const PatternSpec& pattern) {
    std::vector<ChunkSpec> children = {DataChunk("INFO", 1, Longs({pattern.width, pattern.height}))};
    for (const PatternLayerSpec& layer : pattern.layers) {
        std::vector<std::uint8_t> body = Longs({layer.index, static_cast<std::int32_t>(layer.texels.size())});
        body.insert(body.end(), layer.texels.begin(), layer.texels.end());
        children.push_back(DataChunk("PTLD", 1, std::move(body)));
    }
    children.push_back(FoldChunk("IMAG", 1, pattern.imageName,
                                 {DataChunk("ATTR", 2, Longs({0, pattern.width, pattern.height, 1})),
                                  DataChunk("DATA", 2, pattern.base)}));
    if (pattern.badge) children.push_back(DataChunk("PTBD", 1, RectangleBytes(*pattern.badge)));
    if (pattern.banner) children.push_back(DataChunk("PTBN", 1, RectangleBytes(*pattern.banner)));
    return FoldChunk("TPAT", 3, std::string("default", 8), std::move(children));
}

std::vector<std::uint8_t> WritePatternFile(const PatternSpec& pattern) {
    return WriteChunkTreeBytes({PatternFolder(pattern)});
}

}  // namespace pelliton
