#include "teamcolour/EditedPatternPictures.h"

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/ContentComparison.h"
#include "picture/PictureFile.h"
#include "picture/PictureKind.h"
#include "teamcolour/PatternPictures.h"

namespace pelliton {

namespace {

bool SamePixels(const TeamPattern& pattern, const ByteSource& file, int picture, const RgbaPicture& shown) {
    if (shown.width != pattern.width || shown.height != pattern.height) return false;
    if (picture == kBasePicture) return shown.rgba == PatternBasePicture(pattern, file).rgba;
    const std::vector<std::uint8_t> mask = PatternLayerMask(pattern, file, picture);
    for (std::size_t texel = 0; texel < mask.size(); ++texel) {
        const std::uint8_t* rgb = shown.rgba.data() + texel * 4;
        if (rgb[0] != mask[texel] || rgb[1] != mask[texel] || rgb[2] != mask[texel]) return false;
    }
    return true;
}

bool Unchanged(const TeamPattern& pattern, const ByteSource& file, int picture, const std::filesystem::path& path) {
    if (picture != kBasePicture && pattern.layers[static_cast<std::size_t>(picture)] == nullptr) {
        return false;  // a layer the pattern lacks: any picture of it is new
    }
    try {
        for (const PatternFileType type : {PatternFileType::Tga, PatternFileType::Png}) {
            if (FileHoldsContent(path, [&](OutputFile& out) { WritePatternPicture(pattern, file, picture, type, out); })) {
                return true;
            }
        }
        const std::string image = PathToUtf8(path);
        const PictureKind kind = PictureKindOf(image);
        if (kind == PictureKind::Dds) return false;
        return SamePixels(pattern, file, picture, DecodePictureFile(image, kind));
    } catch (const PellitonError&) {
        return false;  // a picture that cannot be read is left for the replacement to name
    }
}

}  // namespace

EditedPictures FindEditedPatternPictures(const TeamPattern& pattern, const ByteSource& file, const std::string& wtpPath,
                                         std::string_view stem, const std::filesystem::path& folder) {
    std::vector<PictureTarget> targets;
    for (int picture = kBasePicture; picture < kPatternLayerCount; ++picture) {
        targets.push_back({std::string(stem) + "_" + std::string(PictureSuffix(picture)),
                           [&, picture](const std::filesystem::path& path) { return Unchanged(pattern, file, picture, path); }});
    }
    return FindEditedPictures(targets, wtpPath, folder);
}

}  // namespace pelliton
