// Which kind of picture a file given to the round trip is: declared by its name, confirmed by its
// first bytes before any decoder reads it.
#pragma once

#include <string>

namespace pelliton {

enum class PictureKind { Dds, Tga, Png };

// The kind the file's name declares (".dds", ".tga", ".png" in any case). Throws PellitonError naming
// image when it is a folder, has another extension, cannot be opened, or plainly starts as another
// kind: a PNG signature or the DDS magic under another kind's name. A TGA file has no signature of
// its own, so a file named .tga that is neither is left to the TGA decoder. image is a UTF-8 path.
PictureKind PictureKindOf(const std::string& image);

}  // namespace pelliton
