// Which pictures of a pattern in a folder of exports a skinner has edited: those that no longer show
// what extract would write for the pattern now, and pictures of layers it does not have yet.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "roundtrip/EditedPictures.h"
#include "teamcolour/TeamPattern.h"

namespace pelliton {

// Looks in folder for stem_default, stem_primary ... stem_dirt (any letter case, .tga or .png, as
// extract names them; stem UTF-8). A picture is unchanged when it holds the bytes extract writes for
// it (TGA or PNG) or its pixels (a layer's grey) are the pattern's; the edit of each picture is
// chosen as FindEditedPictures chooses it. wtpPath is the pattern's file. Throws PellitonError when
// folder cannot be read.
EditedPictures FindEditedPatternPictures(const TeamPattern& pattern, const ByteSource& file, const std::string& wtpPath,
                                         std::string_view stem, const std::filesystem::path& folder);

}  // namespace pelliton
