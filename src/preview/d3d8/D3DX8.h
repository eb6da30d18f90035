// The utility object: loads a texture from an image file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/Direct3D8.h"
#include "preview/d3d8/LiveCounted.h"
#include "preview/d3d8/TextureFile.h"

namespace pelliton::d3d8 {

class D3DX8 : public LiveCounted<D3DX8> {
public:
    // Loads level 0 of a DDS or TGA file as LoadTextureFile does. The texture is a plain object, so
    // the device is not consulted.
    HRESULT CreateTextureFromFile(Direct3DDevice8& /*device*/, const std::string& path,
                                  std::shared_ptr<Direct3DTexture8>& out, std::string* failureReason = nullptr) {
        return LoadTextureFile(path, out, failureReason);
    }

    // The same for a file's bytes in memory; the texture keeps them until it lets its file go.
    HRESULT CreateTextureFromFileInMemory(Direct3DDevice8& /*device*/, std::vector<std::uint8_t> bytes,
                                          std::shared_ptr<Direct3DTexture8>& out, std::string* failureReason = nullptr) {
        return LoadTextureFileInMemory(std::move(bytes), out, failureReason);
    }
};

}  // namespace pelliton::d3d8
