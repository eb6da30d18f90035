// pelliton-rsh replace: edited pictures back into an RSH file, every other byte kept.
#include "cli/rsh/Commands.h"
#include "common/PellitonError.h"
#include "rsh/TreeText.h"

namespace pelliton {

void WeighChanges(const TextureReplacements& replacements, const std::string& outPath, bool strict, std::ostream& err) {
    bool changed = false;
    // A picture of another size or format often is a mistake: the modder hears of each change.
    for (const ReplacedTexture& texture : replacements.Textures()) {
        for (const std::string& change : DescribeChanges(texture)) {
            err << kRshProgram << ": " << outPath << ": texture " << EscapeControls(texture.name) << ": " << change
                << (strict ? " (refused by --strict)" : "") << '\n';
            changed = true;
        }
    }
    if (strict && changed) throw PellitonError(outPath + ": not written: --strict refuses any change to a texture");
}

void ReplaceRshTextures(const std::string& rshPath, const std::vector<std::string>& images, const std::string& outPath,
                        const ReplaceOptions& options, std::ostream& out, std::ostream& err) {
    TextureReplacements replacements(rshPath, images);
    WeighChanges(replacements, outPath, options.strict, err);
    if (!options.dryRun) replacements.WriteTo(outPath);
    for (const ReplacedTexture& texture : replacements.Textures()) {
        out << outPath << ": texture " << EscapeControls(texture.name) << " from " << texture.image << ": "
            << DescribeTexture(texture.after) << (options.dryRun ? " (not written: --dry-run)" : "") << '\n';
    }
}

}  // namespace pelliton
