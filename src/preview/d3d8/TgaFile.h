// Reads an uncompressed 24- or 32-bit true-colour TGA file into a texture, upright.
#pragma once

#include <memory>

#include "preview/d3d8/Direct3DTexture8.h"
#include "preview/d3d8/ImageFile.h"

namespace pelliton::d3d8 {

// A new texture, or TextureLoadError (invalid data) when the file is short, of another kind
// (colour-mapped, run-length encoded, another depth) or absurdly large. Sizes are checked before
// allocation.
std::shared_ptr<Direct3DTexture8> ReadTgaTexture(ImageFile& file);

}  // namespace pelliton::d3d8
