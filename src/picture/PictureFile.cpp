#include "picture/PictureFile.h"

#include "common/FileSource.h"
#include "common/PellitonError.h"

namespace pelliton {

RgbaPicture DecodePictureFile(const std::string& path, PictureKind kind) {
    if (kind == PictureKind::Dds) throw PellitonError(path + ": a DDS image is not a picture to decode");
    const FileSource file(path);
    return kind == PictureKind::Png ? DecodePng(file, path) : DecodeTga(file, path).picture;
}

}  // namespace pelliton
