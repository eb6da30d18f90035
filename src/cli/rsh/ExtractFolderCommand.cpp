// pelliton-rsh extract -r: the textures and patterns of a whole mod folder, each file's kept apart.
#include <cstdio>
#include <new>
#include <system_error>

#include "cli/rsh/Commands.h"
#include "cli/shared/CommandLine.h"
#include "cli/shared/ExportLedger.h"
#include "cli/shared/ProgressLine.h"
#include "common/Counted.h"
#include "common/InOrderWork.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "roundtrip/TextureFileTree.h"

namespace pelliton {

namespace {

struct FileOutcome {
    ExtractReport report;
    std::string failure;  // why the file could not be read or its folder made; empty when it could
};

std::string Megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / 1e6);
    return text;
}

}  // namespace

int ExtractFolder(const std::string& root, const std::filesystem::path& outRoot, const ExportWriter& write,
                  const ExtractFormat& format, const BatchOutput& output) {
    const TextureFileTree tree = FindTextureFiles(root);
    std::vector<std::uint64_t> sizes;
    std::uint64_t totalBytes = 0;
    for (const TextureFile& file : tree.files) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(PathFromUtf8(file.path), error);
        sizes.push_back(error ? 0 : size);
        totalBytes += sizes.back();
    }

    ExportLedger ledger(write);
    std::vector<FileOutcome> outcomes(tree.files.size());
    ProgressLine progress(output.err, output.errIsTerminal);
    int status = kExitOk;
    for (const std::string& problem : tree.problems) {
        output.err << kRshProgram << ": " << problem << '\n';
        status = kExitFileFailed;
    }
    std::size_t filesDone = 0;
    std::size_t filesFailed = 0;
    std::size_t texturesWritten = 0;
    std::uint64_t bytesDone = 0;
    const auto progressText = [&] {
        return std::string(kRshProgram) + ": " + std::to_string(filesDone) + " of " +
               Counted(tree.files.size(), "file", "files") + ", " + Megabytes(bytesDone) + " of " +
               Megabytes(totalBytes) + " MB";
    };
    RunInOrder({
        .count = tree.files.size(),
        .threads = CoreCount(),
        .work =
            [&](std::size_t index) {
                FileOutcome& outcome = outcomes[index];
                try {
                    const TextureFile& file = tree.files[index];
                    const std::filesystem::path folder = PicturesFolderOf(outRoot, file.relative);
                    std::error_code error;
                    std::filesystem::create_directories(folder, error);
                    if (error) throw PellitonError("cannot make the folder " + PathToUtf8(folder) + ": " + error.message());
                    outcome.report = ExtractRshTextures(file.path, folder, ledger.WriterFor(file.path), format);
                } catch (const PellitonError& failure) {
                    outcome.failure = failure.what();
                } catch (const std::bad_alloc&) {
                    outcome.failure = tree.files[index].path + ": not enough memory";
                }
            },
        .taken =
            [&](std::size_t index) {
                const FileOutcome& outcome = outcomes[index];
                if (!outcome.failure.empty() || !outcome.report.skipped.empty()) {
                    progress.Clear();
                    ++filesFailed;
                    status = kExitFileFailed;
                }
                if (!outcome.failure.empty()) output.err << kRshProgram << ": " << outcome.failure << '\n';
                for (const std::string& skipped : outcome.report.skipped) {
                    output.err << kRshProgram << ": " << tree.files[index].path << ": " << skipped << "; skipped\n";
                }
                texturesWritten += outcome.report.written.size();
                outcomes[index] = {};  // a mod has thousands of textures: keep no more than needed
                ++filesDone;
                bytesDone += sizes[index];
                progress.Show(progressText());
            },
        .waiting = [&] { progress.Show(progressText()); },
    });
    progress.Clear();
    output.out << root << ": " << Counted(texturesWritten, "texture", "textures") << " of "
               << Counted(tree.files.size(), "file", "files") << " written into " << PathToUtf8(outRoot);
    if (filesFailed > 0) output.out << "; " << Counted(filesFailed, "file", "files") << " failed";
    output.out << '\n';
    return status;
}

}  // namespace pelliton
