// Edited pictures back into an RSH file: each picture replaces the texture named as the picture is,
// and every other byte of the file stays as it was.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "roundtrip/TextureReplacement.h"
#include "rsh/RshFile.h"

namespace pelliton {

// One texture's replacement as it would change the texture.
struct ReplacedTexture {
    std::string name;   // as the file names the texture, UTF-8
    std::string image;  // the picture it is made from
    TextureAttributes before;
    TextureAttributes after;
    bool alphaCutToOneBit = false;  // a picture's partial alpha, which DXT1 cannot keep
};

// What differs between a texture and its replacement, one phrase each ("size 512 x 512 to 3 x 5");
// empty when the texture keeps its size, format and MIP levels, and its alpha.
std::vector<std::string> DescribeChanges(const ReplacedTexture& texture);

// The replacement of textures of one file, made in full before anything is written, so that a
// caller can weigh the changes first.
class TextureReplacements {
public:
    // Reads the file at rshPath (UTF-8) and makes each image's texture content: each image goes to
    // the texture named as its file is, less its extension, in any letter case. Throws
    // PellitonError naming the problem: no such texture, two textures of that name, a texture
    // named by two images, an image that cannot be read.
    TextureReplacements(const std::string& rshPath, const std::vector<std::string>& images);

    // In the order of the images.
    const std::vector<ReplacedTexture>& Textures() const { return textures_; }

    // Whether writing would give the file other bytes than it has: a picture put in before gives
    // the same texels again, and the file need not be written. Before WriteTo only.
    bool ChangesFile() const;

    // Writes the edited file to outPath (which may be the file read) atomically, once: the file read
    // is closed before the new one takes its place, as Windows replaces no file that is open. Throws
    // PellitonError, nothing written, when outPath is one of the images under any name or cannot
    // be written.
    void WriteTo(const std::string& outPath);

private:
    EditedFile Edited() const;

    std::string rshPath_;
    std::optional<RshFile> file_;  // until WriteTo has written its content
    std::vector<TextureReplacement> replacements_;
    std::vector<ReplacedTexture> textures_;
};

}  // namespace pelliton
