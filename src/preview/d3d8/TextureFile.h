// Loads a texture from a DDS or TGA file, told apart by content: what D3DX8 does for the preview.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "preview/d3d8/Direct3DTexture8.h"

namespace pelliton::d3d8 {

// utf8Path names the file. Returns D3D_OK and a new texture in out; otherwise out is untouched,
// failureReason (when given) says why in words for the user, and the result is
// D3DERR_NOTAVAILABLE when the path is not a readable regular file (missing, a directory, no
// permission), D3DXERR_INVALIDDATA when its content is not a texture we read, and E_OUTOFMEMORY
// when memory runs out. Throws nothing.
HRESULT LoadTextureFile(const std::string& utf8Path, std::shared_ptr<Direct3DTexture8>& out,
                        std::string* failureReason = nullptr);

// The same for the bytes of such a file, held by the texture until it lets its file go.
HRESULT LoadTextureFileInMemory(std::vector<std::uint8_t> bytes, std::shared_ptr<Direct3DTexture8>& out,
                                std::string* failureReason = nullptr);

}  // namespace pelliton::d3d8
