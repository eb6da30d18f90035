// The utility object's texture loader; the texture is a plain object, so the device is not consulted.
#include "preview/d3d8/D3DX8.h"

#include "preview/d3d8/TextureFile.h"

namespace pelliton::d3d8 {

HRESULT D3DX8::CreateTextureFromFile(Direct3DDevice8& /*device*/, const std::string& path,
                                     std::shared_ptr<Direct3DTexture8>& out, std::string* failureReason) {
    return LoadTextureFile(path, out, failureReason);
}

}  // namespace pelliton::d3d8
