// The team-colour pattern of a WTP file: the masks that say where each of an army's colours goes,
// the picture they colour and the rectangles the badge and banner are drawn into.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/ByteSource.h"
#include "rsh/ChunkTree.h"

namespace pelliton {

// Layer indexes as the files store them: five masks of team colours, then the dirt layer, white
// where the base picture shows through the colours.
enum class PatternLayer { Primary, Secondary, Trim, Weapon, Eyes, Dirt };
inline constexpr int kPatternLayerCount = 6;
inline constexpr int kTeamColourCount = 5;  // the layers before Dirt

// "primary", "secondary", "trim", "weapon", "eyes", "dirt": the suffixes skinners know.
std::string_view LayerName(int layer);

inline constexpr std::size_t kPatternInfoBytes = 8;     // width, height
inline constexpr std::size_t kLayerHeaderBytes = 8;     // layer index, byte count
inline constexpr std::size_t kRectangleBytes = 16;      // four floats
inline constexpr std::int32_t kBaseImageType = 0;       // 32-bit BGRA

// x and y from the picture's top-left corner, in texels, as the game's army painter places a badge.
struct PatternRectangle {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    bool operator==(const PatternRectangle&) const = default;
};

struct TeamPattern {
    std::string name;  // the FOLDTPAT's name, zeros dropped, UTF-8
    const Chunk* folder = nullptr;
    const Chunk* info = nullptr;  // DATAINFO: the sides
    int width = 0;
    int height = 0;
    // The DATAPTLD of each layer by index, null for a layer the file does not have.
    std::array<const Chunk*, kPatternLayerCount> layers{};
    const Chunk* imageFolder = nullptr;  // FOLDIMAG
    std::string imageName;               // its name: the picture the pattern was made from, UTF-8
    const Chunk* baseAttr = nullptr;     // DATAATTR
    const Chunk* baseData = nullptr;     // DATADATA: width * height texels, BGRA, rows bottom-up
    const Chunk* badgeChunk = nullptr;   // DATAPTBD, when the file has one
    const Chunk* bannerChunk = nullptr;  // DATAPTBN, likewise
    std::optional<PatternRectangle> badge;
    std::optional<PatternRectangle> banner;

    std::size_t TexelCount() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
    // One byte a texel, rows bottom-up as the base picture's.
    ByteRange LayerTexels(const ByteSource& file, int layer) const;
    ByteRange BaseTexels(const ByteSource& file) const { return ChunkBodyRange(file, *baseData); }
};

// The first FOLDTPAT of the tree, wherever it lies, or nothing when the tree has none. Reads only
// the small chunks; every size is checked against the pattern's before it is trusted. Throws
// PellitonError naming the chunk and what is wrong with it. The pattern points into tree.
std::optional<TeamPattern> FindTeamPattern(const ChunkTree& tree, const ByteSource& file);

}  // namespace pelliton
