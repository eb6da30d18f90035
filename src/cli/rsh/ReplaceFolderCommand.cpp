// pelliton-rsh replace -r: a whole folder of edited pictures back into the mod's files.
#include <new>
#include <system_error>

#include "cli/rsh/Commands.h"
#include "cli/shared/CommandLine.h"
#include "cli/shared/ProgressLine.h"
#include "common/Counted.h"
#include "common/InOrderWork.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "roundtrip/EditedPictures.h"
#include "roundtrip/TextureFileTree.h"
#include "rsh/TreeText.h"
#include "teamcolour/EditedPatternPictures.h"

namespace pelliton {

namespace {

struct FileOutcome {
    EditedPictures pictures;
    bool pattern = false;  // the pictures are a team colour pattern's
    std::string failure;   // why the file or its pictures could not be read; empty when they could
};

// The edited pictures of one file; none when it has no folder of pictures.
void FindFilePictures(const std::string& path, const std::filesystem::path& folder, FileOutcome& outcome) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return;
    const RshFile file(path);
    if (const std::optional<TeamPattern> pattern = FindTeamPattern(file.tree, file.source)) {
        outcome.pattern = true;
        outcome.pictures = FindEditedPatternPictures(*pattern, file.source, path, PathToUtf8(PathFromUtf8(path).stem()), folder);
        return;
    }
    outcome.pictures = FindEditedPictures(file, path, folder);
}

// Puts a pattern's edited pictures in, as ReplaceFileTextures does a file's textures.
std::size_t ReplacePatternPictures(const std::string& path, const std::vector<std::string>& pictures,
                                   const ReplaceOptions& options, const BatchOutput& output) {
    const PatternReplacement replacement(path, {pictures, std::nullopt, std::nullopt});
    if (!replacement.ChangesFile()) return 0;
    WeighPatternNotes(replacement, path, options.strict, output.err);
    if (!options.dryRun) replacement.WriteTo(path);
    output.out << path << ":";
    for (const std::string& change : replacement.Changes()) {
        output.out << (&change == &replacement.Changes().front() ? " " : ", ") << change;
    }
    output.out << (options.dryRun ? " (not written: --dry-run)" : "") << '\n';
    return replacement.Changes().size();
}

// Puts the file's edited pictures in and says so in one line; returns how many textures it replaced,
// none when the pictures were put in before and the file would stay as it is.
std::size_t ReplaceFileTextures(const std::string& rshPath, const std::vector<std::string>& images,
                                const ReplaceOptions& options, const BatchOutput& output) {
    TextureReplacements replacements(rshPath, images);
    if (!replacements.ChangesFile()) return 0;
    WeighChanges(replacements, rshPath, options.strict, output.err);
    if (!options.dryRun) replacements.WriteTo(rshPath);
    output.out << rshPath << ":";
    for (const ReplacedTexture& texture : replacements.Textures()) {
        output.out << (&texture == &replacements.Textures().front() ? " " : ", ") << "texture "
                   << EscapeControls(texture.name) << " from " << texture.image;
    }
    output.out << (options.dryRun ? " (not written: --dry-run)" : "") << '\n';
    return replacements.Textures().size();
}

}  // namespace

int ReplaceFolder(const std::filesystem::path& picturesRoot, const std::string& root, const ReplaceOptions& options,
                  const BatchOutput& output) {
    std::error_code error;
    if (!std::filesystem::is_directory(picturesRoot, error)) {
        throw PellitonError(PathToUtf8(picturesRoot) + ": no such folder of pictures");
    }
    const TextureFileTree tree = FindTextureFiles(root);
    int status = kExitOk;
    for (const std::string& problem : tree.problems) {
        output.err << kRshProgram << ": " << problem << '\n';
        status = kExitFileFailed;
    }
    std::vector<FileOutcome> outcomes(tree.files.size());
    ProgressLine progress(output.err, output.errIsTerminal);
    std::size_t filesDone = 0, filesChanged = 0, filesFailed = 0, texturesReplaced = 0;
    const auto say = [&](const std::string& message) {
        progress.Clear();
        output.err << kRshProgram << ": " << message << '\n';
    };
    const auto fail = [&](const std::string& message) {
        say(message);
        ++filesFailed;
        status = kExitFileFailed;
    };
    // The pictures are compared on every core; the replacements, whose encoder takes every core
    // itself, go one file at a time.
    RunInOrder({
        .count = tree.files.size(),
        .threads = CoreCount(),
        .work =
            [&](std::size_t index) {
                try {
                    const TextureFile& file = tree.files[index];
                    FindFilePictures(file.path, PicturesFolderOf(picturesRoot, file.relative), outcomes[index]);
                } catch (const PellitonError& failure) {
                    outcomes[index].failure = failure.what();
                } catch (const std::bad_alloc&) {
                    outcomes[index].failure = tree.files[index].path + ": not enough memory";
                }
            },
        .taken =
            [&](std::size_t index) {
                const FileOutcome outcome = std::move(outcomes[index]);
                ++filesDone;
                for (const std::string& note : outcome.pictures.notes) say(note);
                if (!outcome.failure.empty()) return fail(outcome.failure);
                if (outcome.pictures.images.empty()) return;
                progress.Clear();
                try {
                    const std::string& path = tree.files[index].path;
                    const std::size_t replaced =
                        outcome.pattern ? ReplacePatternPictures(path, outcome.pictures.images, options, output)
                                        : ReplaceFileTextures(path, outcome.pictures.images, options, output);
                    texturesReplaced += replaced;
                    filesChanged += replaced > 0 ? 1 : 0;
                } catch (const PellitonError& failure) {
                    fail(failure.what());
                } catch (const std::bad_alloc&) {
                    fail(tree.files[index].path + ": not enough memory");
                }
            },
        .waiting =
            [&] {
                progress.Show(std::string(kRshProgram) + ": " + std::to_string(filesDone) + " of " +
                              Counted(tree.files.size(), "file", "files") + " compared");
            },
    });
    progress.Clear();
    output.out << PathToUtf8(picturesRoot) << ": " << filesChanged << " of " << Counted(tree.files.size(), "file", "files")
               << (options.dryRun ? " would change, " : " changed, ") << Counted(texturesReplaced, "texture", "textures")
               << (options.dryRun ? " would be replaced" : " replaced");
    if (filesFailed > 0) output.out << "; " << Counted(filesFailed, "file", "files") << " failed";
    output.out << '\n';
    return status;
}

}  // namespace pelliton
