// Edited pictures back into an RSH file: each picture replaces the texture named as the picture is,
// and every other byte of the file stays as it was.
#pragma once

#include <string>
#include <vector>

#include "rsh/RshRecords.h"

namespace pelliton {

struct ReplacedTexture {
    std::string name;  // as the file names the texture, UTF-8
    TextureAttributes attributes;  // what the texture holds now
};

// Replaces textures of the file at rshPath (UTF-8) with the images, each matched by its file name
// less its extension, and writes the result to outPath (which may be rshPath) atomically. Returns
// the replaced textures in the order of the images. Throws PellitonError naming the problem;
// nothing is written then.
std::vector<ReplacedTexture> ReplaceTextures(const std::string& rshPath, const std::vector<std::string>& images,
                                             const std::string& outPath);

}  // namespace pelliton
