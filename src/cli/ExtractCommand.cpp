#include "cli/ExtractCommand.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/ExportLedger.h"
#include "cli/OffscreenPane.h"
#include "cli/PngFile.h"
#include "cli/PrintingView.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "common/Version.h"
#include "session/RshSession.h"

namespace pelliton {

namespace {

constexpr std::string_view kProgram = "pelliton-extract";
constexpr std::string_view kUsage = "Usage: pelliton-extract [OPTION]... [--] FILE...\n";
constexpr std::string_view kHelp =
    "Reads each RSH texture file in turn, as the window does when a file is opened, prints\n"
    "its log (the chunk headers and image attributes) to standard output, and writes the\n"
    "texture as a DDS file (DXT1, DXT3, DXT5) or a 32-bit TGA file (uncompressed) named\n"
    "after the source file, into the current directory.\n"
    "A file that cannot be read or written ends its log with an \"Error: \" line; the reason\n"
    "is also written to standard error, and the next file is read all the same. A file whose\n"
    "texture has no export, and a file whose export would replace the export of an earlier\n"
    "FILE of the same run (which is then kept), are reported on standard error too.\n"
    "\n"
    "Options:\n"
    "  -C DIR           write the exported files into DIR instead, an existing folder\n"
    "                   (FILE paths are not affected)\n"
    "  --preview OUT.png  write the frame the preview pane shows after the last FILE as a PNG\n"
    "                   file of the pane's size (the empty background when the last FILE\n"
    "                   exported nothing); when no frame was drawn, none is written\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "  --               treat every later argument as a file, even if it starts with '-'\n"
    "\n"
    "Exit status: 0 when every file was read to its end and exported, 1 when any file\n"
    "failed or exported nothing or the preview could not be written, 2 for a usage error.\n";

struct Invocation {
    bool help = false;
    bool version = false;
    std::string outputFolder;  // empty: the current directory
    std::string previewFile;   // empty: no preview file
    std::vector<std::string> files;
    std::string usageError;  // empty when the arguments are well formed
};

// Options may come anywhere before "--"; a lone "-" is a file name, as in most tools.
Invocation ParseArguments(std::span<const std::string> args) {
    Invocation invocation;
    bool optionsEnded = false;
    for (auto next = args.begin(); next != args.end(); ++next) {
        const std::string& arg = *next;
        if (optionsEnded || arg.size() < 2 || arg.front() != '-') {
            invocation.files.push_back(arg);
        } else if (arg == "-C" || arg == "--preview") {
            if (next + 1 == args.end()) {
                if (invocation.usageError.empty()) invocation.usageError = "option '" + arg + "' needs a value";
            } else {
                (arg == "-C" ? invocation.outputFolder : invocation.previewFile) = *++next;
            }
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            invocation.help = true;
        } else if (arg == "--version") {
            invocation.version = true;
        } else if (invocation.usageError.empty()) {
            invocation.usageError = "unknown option '" + arg + "'";
        }
    }
    if (invocation.usageError.empty() && !invocation.help && !invocation.version && invocation.files.empty()) {
        invocation.usageError = "no FILE given";
    }
    return invocation;
}

// Checked before any file is read, so that a mistyped folder costs no work and no partial output.
std::string OutputFolderProblem(const std::string& folder) {
    std::error_code error;
    const auto status = std::filesystem::status(PathFromUtf8(folder), error);
    if (!std::filesystem::exists(status)) return "-C " + folder + ": no such directory";
    if (!std::filesystem::is_directory(status)) return "-C " + folder + ": not a directory";
    return {};
}

int UsageError(const std::string& problem, std::ostream& err) {
    err << kProgram << ": " << problem << '\n' << kUsage << "Try '" << kProgram << " --help' for more information.\n";
    return kExitUsage;
}

bool WritePreview(const std::string& file, const OffscreenPane& pane, std::ostream& err) {
    if (!pane.PresentedFrame()) {
        err << kProgram << ": no preview frame was drawn; " << file << " not written\n";
        return false;
    }
    try {
        WritePngFile(PathFromUtf8(file), *pane.PresentedFrame());
        return true;
    } catch (const PellitonError& error) {
        err << kProgram << ": " << error.what() << '\n';
        return false;
    }
}

}  // namespace

int RunExtract(std::span<const std::string> args, std::ostream& out, std::ostream& err, const RuntimeFactory& makeRuntime) {
    const Invocation invocation = ParseArguments(args);
    if (!invocation.usageError.empty()) return UsageError(invocation.usageError, err);
    if (invocation.help) {
        out << kUsage << kHelp;
        return kExitOk;
    }
    if (invocation.version) {
        out << kProgram << ' ' << kVersionMajor << '.' << kVersionMinor << '.' << kVersionRevision << '\n';
        return kExitOk;
    }
    if (!invocation.outputFolder.empty()) {
        if (const std::string problem = OutputFolderProblem(invocation.outputFolder); !problem.empty()) {
            return UsageError(problem, err);
        }
    }

    // One session and one pane for the run, as the window keeps them for its life.
    PrintingView view(out);
    OffscreenPane pane;
    RshSession session(view, pane, makeRuntime);
    session.SetOutputFolder(PathFromUtf8(invocation.outputFolder));
    ExportLedger ledger;
    int status = kExitOk;
    for (const std::string& file : invocation.files) {
        session.SetExportWriter(ledger.WriterFor(file));
        const OpenResult result = session.Open(file);
        if (result.outcome == OpenResult::Outcome::DeviceUnavailable) {
            err << kProgram << ": " << kDeviceUnavailableMessage << '\n';
            return kExitFileFailed;  // the window ends the program here too
        }
        if (result.outcome == OpenResult::Outcome::Failed) {
            err << kProgram << ": " << file << ": " << result.failure << '\n';
            status = kExitFileFailed;
        } else if (result.exportedFile.empty()) {
            // Read to its end, yet a script counting files in and out must see one missing.
            err << kProgram << ": " << file << ": nothing exported: image type "
                << session.Records().AttrChunk.ImageType << " is an unknown texture format\n";
            status = kExitFileFailed;
        }
    }
    if (!invocation.previewFile.empty() && !WritePreview(invocation.previewFile, pane, err)) status = kExitFileFailed;
    // A log that did not reach its reader (a full disk, say) is a failure too.
    if (!out.flush()) {
        err << kProgram << ": cannot write standard output\n";
        return kExitFileFailed;
    }
    return status;
}

}  // namespace pelliton
