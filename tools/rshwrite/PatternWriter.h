// Builds WTP team-colour pattern files in every shape the game's files take: all six layers or a
// few, a banner rectangle or none.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rshwrite/ChunkTreeWriter.h"

namespace pelliton {

struct PatternLayerSpec {
    std::int32_t index = 0;
    std::vector<std::uint8_t> texels;  // one byte a texel, rows bottom-up
};

struct PatternSpec {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<PatternLayerSpec> layers;  // in file order
    std::string imageName = "art/ebps/races/space_marines/texture_share/marine_default.tga";
    std::vector<std::uint8_t> base;        // width * height texels, BGRA, rows bottom-up
    std::optional<std::array<float, 4>> badge;
    std::optional<std::array<float, 4>> banner;
};

// FOLDTPAT "default" with DATAINFO, a DATAPTLD per layer, FOLDIMAG (DATAATTR, DATADATA), then
// DATAPTBD and DATAPTBN when given, with the versions the game's files carry.
ChunkSpec PatternFolder(const PatternSpec& pattern);
std::vector<std::uint8_t> WritePatternFile(const PatternSpec& pattern);

// Four little-endian floats, as a badge's or banner's rectangle is stored.
std::vector<std::uint8_t> RectangleBytes(const std::array<float, 4>& rectangle);

}  // namespace pelliton
