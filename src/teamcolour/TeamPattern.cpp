#include "teamcolour/TeamPattern.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "common/ImageSides.h"
#include "common/LittleEndianReader.h"
#include "common/PellitonError.h"
#include "rsh/Latin1.h"

namespace pelliton {

namespace {

constexpr std::array<std::string_view, kPatternLayerCount> kLayerNames = {"primary", "secondary", "trim",
                                                                           "weapon",  "eyes",      "dirt"};
constexpr std::size_t kAttrBytes = 16;  // image type, width, height, MIP levels

std::string Where(const Chunk& chunk) {
    return Latin1ToUtf8(chunk.Tag()) + " at byte " + std::to_string(chunk.offset);
}

[[noreturn]] void Refuse(const Chunk& chunk, const std::string& why) { throw PellitonError(Where(chunk) + ": " + why); }

const Chunk* FindPatternFolder(const std::vector<Chunk>& chunks) {
    for (const Chunk& chunk : chunks) {
        if (chunk.Tag() == "FOLDTPAT") return &chunk;
        if (const Chunk* found = FindPatternFolder(chunk.children)) return found;
    }
    return nullptr;
}

const Chunk* FindChild(const Chunk& folder, std::string_view tag) {
    const auto found = std::ranges::find_if(folder.children, [&](const Chunk& c) { return c.Tag() == tag; });
    return found == folder.children.end() ? nullptr : &*found;
}

const Chunk& RequireChild(const Chunk& folder, std::string_view tag) {
    const Chunk* child = FindChild(folder, tag);
    if (child == nullptr) Refuse(folder, "it has no " + std::string(tag));
    return *child;
}

// The body of a small chunk, which must hold exactly count bytes.
std::vector<std::uint8_t> ReadFixedBody(const ByteSource& file, const Chunk& chunk, std::size_t count) {
    if (static_cast<std::size_t>(chunk.size) != count) {
        Refuse(chunk, "it holds " + std::to_string(chunk.size) + " bytes, not " + std::to_string(count));
    }
    std::vector<std::uint8_t> body(count);
    file.ReadAt(chunk.BodyOffset(), body);
    return body;
}

std::string NameOf(const Chunk& chunk) {
    std::string name = chunk.name;
    std::erase(name, '\0');
    return Latin1ToUtf8(name);
}

void ReadLayers(const Chunk& folder, const ByteSource& file, TeamPattern& pattern) {
    for (const Chunk& chunk : folder.children) {
        if (chunk.Tag() != "DATAPTLD") continue;
        if (static_cast<std::size_t>(chunk.size) < kLayerHeaderBytes) {
            Refuse(chunk, "it holds " + std::to_string(chunk.size) + " bytes, fewer than its layer header");
        }
        std::array<std::uint8_t, kLayerHeaderBytes> header;
        file.ReadAt(chunk.BodyOffset(), header);
        LittleEndianReader fields(header);
        const std::uint32_t layer = fields.UInt32();
        const std::uint32_t count = fields.UInt32();
        if (layer >= kPatternLayerCount) Refuse(chunk, "its layer index " + std::to_string(layer) + " is not 0 to 5");
        if (pattern.layers[layer] != nullptr) Refuse(chunk, "it holds the " + std::string(LayerName(static_cast<int>(layer))) + " layer a second time");
        if (count != pattern.TexelCount() || static_cast<std::size_t>(chunk.size) != kLayerHeaderBytes + count) {
            Refuse(chunk, "its " + std::string(LayerName(static_cast<int>(layer))) + " layer holds " +
                              std::to_string(count) + " texels in " + std::to_string(chunk.size) + " bytes, not " +
                              std::to_string(pattern.width) + " x " + std::to_string(pattern.height));
        }
        pattern.layers[layer] = &chunk;
    }
}

void ReadBasePicture(const Chunk& folder, const ByteSource& file, TeamPattern& pattern) {
    pattern.imageFolder = &RequireChild(folder, "FOLDIMAG");
    pattern.imageName = NameOf(*pattern.imageFolder);
    pattern.baseAttr = &RequireChild(*pattern.imageFolder, "DATAATTR");
    pattern.baseData = &RequireChild(*pattern.imageFolder, "DATADATA");
    const std::vector<std::uint8_t> attr = ReadFixedBody(file, *pattern.baseAttr, kAttrBytes);
    LittleEndianReader fields(attr);
    const auto imageType = static_cast<std::int32_t>(fields.UInt32());
    const auto width = static_cast<std::int32_t>(fields.UInt32());
    const auto height = static_cast<std::int32_t>(fields.UInt32());
    const auto mipLevels = static_cast<std::int32_t>(fields.UInt32());
    if (imageType != kBaseImageType || mipLevels != 1) {
        Refuse(*pattern.baseAttr, "image type " + std::to_string(imageType) + " with " + std::to_string(mipLevels) +
                                      " MIP levels, not image type 0 with 1");
    }
    if (width != pattern.width || height != pattern.height) {
        Refuse(*pattern.baseAttr, "the base picture is " + std::to_string(width) + " x " + std::to_string(height) +
                                      ", the pattern " + std::to_string(pattern.width) + " x " +
                                      std::to_string(pattern.height));
    }
    if (static_cast<std::size_t>(pattern.baseData->size) != pattern.TexelCount() * 4) {
        Refuse(*pattern.baseData, "it holds " + std::to_string(pattern.baseData->size) + " bytes, not " +
                                      std::to_string(pattern.TexelCount() * 4) + " for the base picture");
    }
}

std::optional<PatternRectangle> ReadRectangle(const Chunk* chunk, const ByteSource& file) {
    if (chunk == nullptr) return std::nullopt;
    const std::vector<std::uint8_t> body = ReadFixedBody(file, *chunk, kRectangleBytes);
    LittleEndianReader fields(body);
    std::array<float, 4> values;
    for (float& value : values) value = std::bit_cast<float>(fields.UInt32());
    return PatternRectangle{values[0], values[1], values[2], values[3]};
}

}  // namespace

std::string_view LayerName(int layer) { return kLayerNames.at(static_cast<std::size_t>(layer)); }

ByteRange TeamPattern::LayerTexels(const ByteSource& file, int layer) const {
    const Chunk& chunk = *layers.at(static_cast<std::size_t>(layer));
    return ByteRange::Of(file, chunk.BodyOffset() + kLayerHeaderBytes, TexelCount());
}

std::optional<TeamPattern> FindTeamPattern(const ChunkTree& tree, const ByteSource& file) {
    const Chunk* folder = FindPatternFolder(tree.chunks);
    if (folder == nullptr) return std::nullopt;
    TeamPattern pattern;
    pattern.folder = folder;
    pattern.name = NameOf(*folder);
    pattern.info = &RequireChild(*folder, "DATAINFO");
    const std::vector<std::uint8_t> info = ReadFixedBody(file, *pattern.info, kPatternInfoBytes);
    LittleEndianReader sides(info);
    const std::uint32_t width = sides.UInt32();
    const std::uint32_t height = sides.UInt32();
    if (!SidesInRange(width, height)) Refuse(*pattern.info, SidesOutOfRange(width, height, "texels"));
    pattern.width = static_cast<int>(width);
    pattern.height = static_cast<int>(height);
    ReadLayers(*folder, file, pattern);
    ReadBasePicture(*folder, file, pattern);
    pattern.badgeChunk = FindChild(*folder, "DATAPTBD");
    pattern.bannerChunk = FindChild(*folder, "DATAPTBN");
    pattern.badge = ReadRectangle(pattern.badgeChunk, file);
    pattern.banner = ReadRectangle(pattern.bannerChunk, file);
    return pattern;
}

}  // namespace pelliton
