#include "roundtrip/EditedPictures.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/ContentComparison.h"
#include "export/TexturePicture.h"
#include "export/TreeTextureExport.h"
#include "picture/PictureFile.h"
#include "picture/PictureKind.h"
#include "rsh/Latin1.h"

namespace pelliton {

namespace {

struct Candidate {
    std::filesystem::path path;
    std::filesystem::file_time_type time;
    bool edited = false;
};

// The pictures of the folder by their name less extension, folded as the game folds names.
std::map<std::string, std::vector<std::filesystem::path>> PicturesByName(const std::filesystem::path& folder) {
    std::map<std::string, std::vector<std::filesystem::path>> pictures;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string extension = FoldLatin1Case(PathToUtf8(entry->path().extension()));
        std::error_code typeError;
        if ((extension == ".dds" || extension == ".tga" || extension == ".png") && entry->is_regular_file(typeError)) {
            pictures[FoldLatin1Case(PathToUtf8(entry->path().stem()))].push_back(entry->path());
        }
    }
    if (error) throw PellitonError(PathToUtf8(folder) + ": cannot read the folder: " + error.message());
    for (auto& [name, paths] : pictures) std::sort(paths.begin(), paths.end());
    return pictures;
}

// Whether path holds what exporter would write for the texture now.
bool HoldsExport(const std::filesystem::path& path, const TreeTexture& texture, const ByteSource& file,
                 TextureExporter exporter) {
    bool same = false;
    try {
        exporter(texture, file, path.parent_path(),
                 [&path, &same](const std::filesystem::path&, const std::function<void(OutputFile&)>& writeContent) {
                     same = FileHoldsContent(path, writeContent);
                 });
    } catch (const PellitonError&) {
        return false;  // a texture without an export: any picture of it is new
    }
    return same;
}

bool Unchanged(const std::filesystem::path& path, const TreeTexture& texture, const ByteSource& file) {
    if (HoldsExport(path, texture, file, ExportTreeTexture) || HoldsExport(path, texture, file, ExportTreeTextureAsPng)) {
        return true;
    }
    try {
        const std::string image = PathToUtf8(path);
        const PictureKind kind = PictureKindOf(image);
        if (kind == PictureKind::Dds) return false;
        const RgbaPicture picture = DecodePictureFile(image, kind);
        const RgbaPicture current = TexturePicture(texture, file);
        return picture.width == current.width && picture.height == current.height && picture.rgba == current.rgba;
    } catch (const PellitonError&) {
        return false;  // a picture that cannot be read is left for the replacement to name
    }
}

}  // namespace

EditedPictures FindEditedPictures(std::span<const PictureTarget> targets, const std::string& filePath,
                                  const std::filesystem::path& folder) {
    const auto pictures = PicturesByName(folder);
    std::error_code error;
    const auto fileWritten = std::filesystem::last_write_time(PathFromUtf8(filePath), error);
    EditedPictures found;
    for (const PictureTarget& target : targets) {
        const auto named = pictures.find(FoldLatin1Case(target.name));
        if (named == pictures.end()) continue;
        std::vector<Candidate> candidates;
        for (const std::filesystem::path& path : named->second) {
            std::error_code timeError;
            candidates.push_back({path, std::filesystem::last_write_time(path, timeError), !target.unchanged(path)});
        }
        const Candidate* edit = nullptr;
        for (const Candidate& candidate : candidates) {
            if (candidate.edited && (edit == nullptr || candidate.time > edit->time)) edit = &candidate;
        }
        if (edit == nullptr) continue;
        const auto newer = std::find_if(candidates.begin(), candidates.end(),
                                        [edit](const Candidate& c) { return !c.edited && c.time >= edit->time; });
        if (newer == candidates.end()) {
            found.images.push_back(PathToUtf8(edit->path.generic_u8string()));
        } else if (edit->time > fileWritten) {
            found.notes.push_back(PathToUtf8(edit->path.generic_u8string()) + ": not put in: it is older than the unchanged " +
                                  PathToUtf8(newer->path.filename()) + " beside it");
        }
    }
    return found;
}

EditedPictures FindEditedPictures(const RshFile& file, const std::string& rshPath, const std::filesystem::path& folder) {
    std::vector<PictureTarget> targets;
    for (const TreeTexture& texture : file.textures) {
        targets.push_back({texture.name, [&](const std::filesystem::path& path) { return Unchanged(path, texture, file.source); }});
    }
    return FindEditedPictures(targets, rshPath, folder);
}

}  // namespace pelliton
