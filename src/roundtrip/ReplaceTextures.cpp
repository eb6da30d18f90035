#include "roundtrip/ReplaceTextures.h"

#include <algorithm>
#include <map>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"
#include "roundtrip/TextureReplacement.h"
#include "rsh/RshFile.h"
#include "rsh/TreeText.h"

namespace pelliton {

namespace {

std::string TextureNames(const std::vector<TreeTexture>& textures) {
    std::string names;
    for (const TreeTexture& texture : textures) names += (names.empty() ? "" : ", ") + EscapeControls(texture.name);
    return names.empty() ? "(none)" : names;
}

const TreeTexture& MatchTexture(const RshFile& file, const std::string& rshPath, const std::string& image) {
    const std::string stem = PathToUtf8(PathFromUtf8(image).stem());
    const auto named = [&stem](const TreeTexture& texture) { return texture.name == stem; };
    const auto match = std::find_if(file.textures.begin(), file.textures.end(), named);
    if (match == file.textures.end()) {
        throw PellitonError(image + ": " + rshPath + " has no texture named \"" + stem +
                            "\"; its textures are: " + TextureNames(file.textures));
    }
    // Which of two textures of one name a modder meant cannot be known.
    if (std::find_if(match + 1, file.textures.end(), named) != file.textures.end()) {
        throw PellitonError(image + ": " + rshPath + " has more than one texture named \"" + stem + "\"");
    }
    return *match;
}

}  // namespace

std::vector<ReplacedTexture> ReplaceTextures(const std::string& rshPath, const std::vector<std::string>& images,
                                             const std::string& outPath) {
    const RshFile file(rshPath);
    std::vector<TextureReplacement> replacements;
    std::map<const TreeTexture*, std::string> imageOf;
    replacements.reserve(images.size());
    for (const std::string& image : images) {
        const TreeTexture& texture = MatchTexture(file, rshPath, image);
        if (const auto [earlier, added] = imageOf.emplace(&texture, image); !added) {
            throw PellitonError(image + ": texture " + texture.name + " is already replaced by " + earlier->second);
        }
        replacements.emplace_back(texture, file.source, image);
    }

    std::vector<BodyReplacement> bodies;
    for (const TextureReplacement& replacement : replacements) {
        const auto some = replacement.Bodies();
        bodies.insert(bodies.end(), some.begin(), some.end());
    }
    const EditedFile edited = EditChunkTree(file.tree, file.source, bodies);
    // The edited file may be the only copy of the modder's work.
    WriteOnlyCopyAtomically(PathFromUtf8(outPath), [&edited](OutputFile& output) {
        for (const ByteRange& piece : edited.pieces) output.Write(piece);
    });
    std::vector<ReplacedTexture> replaced;
    for (const TextureReplacement& replacement : replacements) {
        replaced.push_back({replacement.Name(), replacement.Attributes()});
    }
    return replaced;
}

}  // namespace pelliton
