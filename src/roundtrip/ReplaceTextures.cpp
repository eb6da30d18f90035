#include "roundtrip/ReplaceTextures.h"

#include <algorithm>
#include <map>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"
#include "export/ContentComparison.h"
#include "rsh/Latin1.h"
#include "rsh/TreeText.h"

namespace pelliton {

namespace {

std::string TextureNames(const std::vector<TreeTexture>& textures) {
    std::string names;
    for (const TreeTexture& texture : textures) names += (names.empty() ? "" : ", ") + EscapeControls(texture.name);
    return names.empty() ? "(none)" : names;
}

// The game's file system ignores case, and so do modders naming their pictures.
const TreeTexture& MatchTexture(const RshFile& file, const std::string& rshPath, const std::string& image) {
    const std::string stem = PathToUtf8(PathFromUtf8(image).stem());
    const std::string folded = FoldLatin1Case(stem);
    const auto named = [&folded](const TreeTexture& texture) { return FoldLatin1Case(texture.name) == folded; };
    const auto match = std::find_if(file.textures.begin(), file.textures.end(), named);
    if (match == file.textures.end()) {
        throw PellitonError(image + ": " + rshPath + " has no texture named \"" + stem +
                            "\"; its textures are: " + TextureNames(file.textures));
    }
    // Which of two textures of one name a modder meant cannot be known.
    if (std::find_if(match + 1, file.textures.end(), named) != file.textures.end()) {
        throw PellitonError(image + ": " + rshPath + " has more than one texture named \"" + stem +
                            "\" (letter case aside)");
    }
    return *match;
}

std::string Sides(const TextureAttributes& attributes) {
    return std::to_string(attributes.width) + " x " + std::to_string(attributes.height);
}

}  // namespace

std::vector<std::string> DescribeChanges(const ReplacedTexture& texture) {
    std::vector<std::string> changes;
    const TextureAttributes& before = texture.before;
    const TextureAttributes& after = texture.after;
    if (before.width != after.width || before.height != after.height) {
        changes.push_back("size " + Sides(before) + " to " + Sides(after));
    }
    if (TextureFormatName(before.imageType) != TextureFormatName(after.imageType)) {
        changes.push_back("format " + TextureFormatName(before.imageType) + " to " +
                          TextureFormatName(after.imageType));
    }
    if (before.mipLevels != after.mipLevels) {
        changes.push_back("MIP levels " + std::to_string(before.mipLevels) + " to " + std::to_string(after.mipLevels));
    }
    if (texture.alphaCutToOneBit) changes.emplace_back("alpha reduced to one bit by DXT1");
    return changes;
}

TextureReplacements::TextureReplacements(const std::string& rshPath, const std::vector<std::string>& images)
    : rshPath_(rshPath), file_(std::in_place, rshPath) {
    std::map<const TreeTexture*, std::string> imageOf;
    replacements_.reserve(images.size());
    for (const std::string& image : images) {
        // A folder or a picture under another kind's name is named as such before its name is matched.
        const PictureKind kind = PictureKindOf(image);
        const TreeTexture& texture = MatchTexture(*file_, rshPath, image);
        if (const auto [earlier, added] = imageOf.emplace(&texture, image); !added) {
            throw PellitonError(image + ": texture " + texture.name + " is already replaced by " + earlier->second);
        }
        const TextureReplacement& replacement = replacements_.emplace_back(texture, file_->source, image, kind);
        textures_.push_back(
            {texture.name, image, texture.attributes, replacement.Attributes(), replacement.AlphaCutToOneBit()});
    }
}

EditedFile TextureReplacements::Edited() const {
    std::vector<BodyReplacement> bodies;
    for (const TextureReplacement& replacement : replacements_) {
        const auto some = replacement.Bodies();
        bodies.insert(bodies.end(), some.begin(), some.end());
    }
    return EditChunkTree(file_->tree, file_->source, bodies);
}

bool TextureReplacements::ChangesFile() const {
    const EditedFile edited = Edited();
    return !FileHoldsContent(PathFromUtf8(rshPath_), [&edited](OutputFile& output) {
        for (const ByteRange& piece : edited.pieces) output.Write(piece);
    });
}

void TextureReplacements::WriteTo(const std::string& outPath) {
    const std::filesystem::path out = PathFromUtf8(outPath);
    for (const ReplacedTexture& texture : textures_) RefuseInputAsOutput(out, texture.image);
    const EditedFile edited = Edited();
    // The edited file may be the only copy of the modder's work.
    WriteOnlyCopyAtomically(out, [this, &edited](OutputFile& output) {
        for (const ByteRange& piece : edited.pieces) output.Write(piece);
        file_.reset();  // Windows would refuse to replace it while it is open
    });
}

}  // namespace pelliton
