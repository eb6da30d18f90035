// Opens the file, tells DDS (by its magic) from TGA (everything else), and keeps exceptions inside.
#include "preview/d3d8/TextureFile.h"

#include <new>

#include "common/Utf8Path.h"
#include "preview/d3d8/DdsFile.h"
#include "preview/d3d8/ImageFile.h"
#include "preview/d3d8/TextureLoadError.h"
#include "preview/d3d8/TgaFile.h"

namespace pelliton::d3d8 {

namespace {

HRESULT Failure(HRESULT code, const char* reason, std::string* failureReason) {
    if (failureReason != nullptr) *failureReason = reason;
    return code;
}

}  // namespace

HRESULT LoadTextureFile(const std::string& utf8Path, std::shared_ptr<Direct3DTexture8>& out,
                        std::string* failureReason) {
    try {
        ImageFile file;
        file.Open(PathFromUtf8(utf8Path));
        // TGA has no magic of its own, so it is what remains.
        out = HasDdsMagic(file) ? ReadDdsTexture(file) : ReadTgaTexture(file);
        return D3D_OK;
    } catch (const TextureLoadError& error) {
        return Failure(error.code(), error.what(), failureReason);
    } catch (const std::bad_alloc&) {
        return Failure(E_OUTOFMEMORY, "out of memory", failureReason);
    } catch (const std::exception&) {
        return Failure(D3DERR_NOTAVAILABLE, "its path cannot be represented on this system", failureReason);
    }
}

}  // namespace pelliton::d3d8
