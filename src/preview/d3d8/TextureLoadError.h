// Why a texture file could not be loaded: the result code the loader returns, and a reason a user
// can act on ("its DDS pixel format is ...", "No such file or directory").
#pragma once

#include <string>

#include "common/PellitonError.h"
#include "preview/d3d8/D3D8Types.h"

namespace pelliton::d3d8 {

class TextureLoadError : public PellitonError {
public:
    TextureLoadError(HRESULT code, const std::string& reason) : PellitonError(reason), code_(code) {}
    HRESULT code() const { return code_; }

private:
    HRESULT code_;
};

// The file is there, but its content is not a texture the loader reads.
inline TextureLoadError InvalidTexture(const std::string& reason) { return {D3DXERR_INVALIDDATA, reason}; }

}  // namespace pelliton::d3d8
