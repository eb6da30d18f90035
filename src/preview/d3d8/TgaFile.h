// Reads an uncompressed 24- or 32-bit true-colour TGA file into a texture, upright.
#pragma once

#include <memory>

#include "Direct3DTexture8.h"
#include "ImageFile.h"

namespace pelliton::d3d8 {

// D3D_OK and a new texture in out, or D3DXERR_INVALIDDATA with out untouched when the file is
// short, of another kind (colour-mapped, run-length encoded, another depth) or absurdly large.
// Sizes are checked before allocation.
HRESULT ReadTgaTexture(ImageFile& file, std::shared_ptr<Direct3DTexture8>& out);

}  // namespace pelliton::d3d8
