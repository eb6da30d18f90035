// Reads level 0 of a DDS file holding DXT1, DXT3 or DXT5 blocks into a block texture.
#pragma once

#include <memory>

#include "preview/d3d8/Direct3DTexture8.h"
#include "preview/d3d8/ImageFile.h"

namespace pelliton::d3d8 {

// Whether the file starts with the DDS magic "DDS ".
bool HasDdsMagic(ImageFile& file);

// A new texture, or TextureLoadError (invalid data) when the file is short, malformed, of another
// format or absurdly large. Sizes are checked before allocation.
std::shared_ptr<Direct3DTexture8> ReadDdsTexture(ImageFile& file);

}  // namespace pelliton::d3d8
