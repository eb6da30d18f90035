// Opens the file, tells DDS (by its magic) from TGA (everything else), and keeps exceptions inside.
#include "TextureFile.h"

#include <new>

#include "DdsFile.h"
#include "ImageFile.h"
#include "TgaFile.h"
#include "Utf8Path.h"

namespace pelliton::d3d8 {

HRESULT LoadTextureFile(const std::string& utf8Path, std::shared_ptr<Direct3DTexture8>& out) {
    try {
        ImageFile file;
        const HRESULT opened = file.Open(PathFromUtf8(utf8Path));
        if (FAILED(opened)) return opened;
        // TGA has no magic of its own, so it is what remains.
        return HasDdsMagic(file) ? ReadDdsTexture(file, out) : ReadTgaTexture(file, out);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception&) {
        // A path the platform cannot represent.
        return D3DERR_NOTAVAILABLE;
    }
}

}  // namespace pelliton::d3d8
