// A pattern's pictures as skinners edit them: NAME_default (the base picture, with its alpha) and
// NAME_primary ... NAME_dirt (each layer as grey), as TGA or PNG files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExportWriter.h"
#include "picture/RgbaPicture.h"
#include "teamcolour/TeamPattern.h"

namespace pelliton {

inline constexpr int kBasePicture = -1;  // beside the layer indexes 0 to 5

enum class PatternFileType { Tga, Png };

// "default" for the base picture, else the layer's name.
std::string_view PictureSuffix(int picture);

// The base picture, then each layer the pattern has, by index.
std::vector<int> PicturesOf(const TeamPattern& pattern);

// The picture a file's name less its extension names by its suffix ("ork_primary" names the
// primary layer), in any letter case; nothing when it ends in no suffix of a picture.
std::optional<int> PictureNamedBy(std::string_view stem);

// NAME_SUFFIX.tga or NAME_SUFFIX.png; stem is NAME (UTF-8).
std::string PatternPictureFileName(std::string_view stem, int picture, PatternFileType type);

// The file of one picture of the pattern read from file. The base picture is a 32-bit TGA with its
// alpha (its texels as stored) or an RGBA PNG; a layer is an 8-bit grey TGA or PNG.
void WritePatternPicture(const TeamPattern& pattern, const ByteSource& file, int picture, PatternFileType type,
                         OutputFile& out);

// Writes every picture of the pattern into folder, named after stem, through write; returns the
// paths written, spelled with "/". Throws PellitonError when one cannot be written.
std::vector<std::filesystem::path> ExportPatternPictures(const TeamPattern& pattern, const ByteSource& file,
                                                         std::string_view stem, const std::filesystem::path& folder,
                                                         PatternFileType type, const ExportWriter& write);

// The base picture, rows from the top.
RgbaPicture PatternBasePicture(const TeamPattern& pattern, const ByteSource& file);
// A layer's mask, one byte a texel, rows from the top.
std::vector<std::uint8_t> PatternLayerMask(const TeamPattern& pattern, const ByteSource& file, int layer);

}  // namespace pelliton
