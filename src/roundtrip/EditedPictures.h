// Which pictures in a folder of exports a modder has edited: those that no longer show what
// extract would write for their texture now.
#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "rsh/RshFile.h"

namespace pelliton {

struct EditedPictures {
    std::vector<std::string> images;  // one per texture to replace, in the file's texture order; UTF-8
    std::vector<std::string> notes;   // edits passed over, and why
};

// Something of a file that pictures stand for: the name its pictures take, less the extension, and
// whether the picture at a path shows it as it is now.
struct PictureTarget {
    std::string name;  // UTF-8
    std::function<bool(const std::filesystem::path&)> unchanged;
};

// Looks in folder for the pictures of each target: files of its name in any letter case, ending in
// .dds, .tga or .png. Of a target's changed pictures the newest is its edit, and it goes back only
// when it is newer than every unchanged one beside it: a newer export means the file was extracted
// again after the edit (noted, when the edit is newer than the file at filePath). Older changed
// pictures are earlier edits or exports of the file as it was. Throws PellitonError when folder
// cannot be read.
EditedPictures FindEditedPictures(std::span<const PictureTarget> targets, const std::string& filePath,
                                  const std::filesystem::path& folder);

// Looks in folder for the pictures of each texture of the file at rshPath: files named as the
// texture's export, less the extension, in any letter case, ending in .dds, .tga or .png. A picture
// is unchanged when it holds the bytes extract would write for the texture now (as the window's
// export or as a PNG), or, for a TGA or PNG, the texture's level 0 pixel for pixel. Of a texture's
// changed pictures the newest is its edit, and it goes back only when it is newer than every
// unchanged one beside it: a newer export means the texture was extracted again after the edit
// (noted, when the edit is newer than the file). Older changed pictures are earlier edits or
// exports of the texture as it was. Throws PellitonError when folder cannot be read.
EditedPictures FindEditedPictures(const RshFile& file, const std::string& rshPath, const std::filesystem::path& folder);

}  // namespace pelliton
