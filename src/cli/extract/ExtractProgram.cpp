#include "cli/extract/ExtractProgram.h"

#include <string_view>

#include "cli/extract/OffscreenPane.h"
#include "cli/extract/PngFile.h"
#include "cli/extract/PrintingView.h"
#include "cli/shared/CommandLine.h"
#include "cli/shared/ExportLedger.h"
#include "common/PellitonError.h"
#include "export/AtomicFile.h"
#include "common/Utf8Path.h"
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
    "  --preview OUT.png\n"
    "                   write the frame the preview pane shows after the last FILE as a\n"
    "                   PNG file of the pane's size (the empty background when the last\n"
    "                   FILE exported nothing); when no frame was drawn, none is written\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "  --               treat every later argument as a file, even if it starts with '-'\n"
    "\n"
    "Exit status: 0 when every file was read to its end and exported, 1 when any file\n"
    "failed or exported nothing or the preview could not be written, 2 for a usage error.\n";

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
    CommandLine invocation = ParseCommandLine(args, {"-C", "--preview"});
    if (invocation.usageError.empty() && !invocation.help && !invocation.version && invocation.operands.empty()) {
        invocation.usageError = "no FILE given";
    }
    if (!invocation.usageError.empty()) return UsageError(kProgram, kUsage, invocation.usageError, err);
    if (invocation.help) {
        out << kUsage << kHelp;
        return kExitOk;
    }
    if (invocation.version) {
        PrintVersion(kProgram, out);
        return kExitOk;
    }
    const std::string outputFolder = invocation.values["-C"];
    const std::string previewFile = invocation.values["--preview"];
    if (!outputFolder.empty()) {
        if (const std::string problem = OutputFolderProblem(outputFolder); !problem.empty()) {
            return UsageError(kProgram, kUsage, problem, err);
        }
    }

    // The preview is written last: a preview named as an input would take the place of that input.
    try {
        if (!previewFile.empty()) {
            for (const std::string& file : invocation.operands) RefuseInputAsOutput(PathFromUtf8(previewFile), file);
        }
    } catch (const PellitonError& error) {
        err << kProgram << ": " << error.what() << '\n';
        return kExitFileFailed;
    }

    // One session and one pane for the run, as the window keeps them for its life.
    PrintingView view(out);
    OffscreenPane pane(!previewFile.empty());
    RshSession session(view, pane, makeRuntime);
    session.SetOutputFolder(PathFromUtf8(outputFolder));
    ExportLedger ledger;
    int status = kExitOk;
    for (const std::string& file : invocation.operands) {
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
                << session.Records().attributes.imageType << " is an unknown texture format\n";
            status = kExitFileFailed;
        }
    }
    if (!previewFile.empty() && !WritePreview(previewFile, pane, err)) status = kExitFileFailed;
    // A log that did not reach its reader (a full disk, say) is a failure too.
    if (!out.flush()) {
        err << kProgram << ": cannot write standard output\n";
        return kExitFileFailed;
    }
    return status;
}

}  // namespace pelliton
