#include "ExtractCommand.h"

#include <string_view>
#include <vector>

#include "OffscreenPane.h"
#include "PellitonError.h"
#include "PngFile.h"
#include "PrintingView.h"
#include "RshSession.h"
#include "Utf8Path.h"

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
    "is also written to standard error, and the next file is read all the same.\n"
    "\n"
    "Options:\n"
    "  -C DIR           write the exported files into DIR instead (FILE paths are not affected)\n"
    "  --preview OUT.png  write the frame the preview pane shows after the last FILE as a PNG\n"
    "                   file of the pane's size; when no frame was drawn, none is written\n"
    "  --help           show this help and exit\n"
    "  --               treat every later argument as a file, even if it starts with '-'\n"
    "\n"
    "Exit status: 0 when every file was read to its end, 1 when any file failed or the\n"
    "preview could not be written, 2 for a usage error.\n";

struct Invocation {
    bool help = false;
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
        } else if (arg == "--help") {
            invocation.help = true;
        } else if (invocation.usageError.empty()) {
            invocation.usageError = "unknown option '" + arg + "'";
        }
    }
    if (invocation.usageError.empty() && !invocation.help && invocation.files.empty()) {
        invocation.usageError = "no FILE given";
    }
    return invocation;
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
    if (!invocation.usageError.empty()) {
        err << kProgram << ": " << invocation.usageError << '\n'
            << kUsage << "Try '" << kProgram << " --help' for more information.\n";
        return kExitUsage;
    }
    if (invocation.help) {
        out << kUsage << kHelp;
        return kExitOk;
    }

    // One session and one pane for the run, as the window keeps them for its life.
    PrintingView view(out);
    OffscreenPane pane;
    RshSession session(view, pane, makeRuntime);
    session.SetOutputFolder(invocation.outputFolder);
    int status = kExitOk;
    for (const std::string& file : invocation.files) {
        const OpenResult result = session.Open(file);
        if (result.outcome == OpenResult::Outcome::DeviceUnavailable) {
            err << kProgram << ": " << kDeviceUnavailableMessage << '\n';
            return kExitFileFailed;  // the window ends the program here too
        }
        if (result.outcome == OpenResult::Outcome::Failed) {
            err << kProgram << ": " << file << ": " << result.failure << '\n';
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
