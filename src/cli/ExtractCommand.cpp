#include "ExtractCommand.h"

#include <string_view>
#include <vector>

#include "PrintingView.h"
#include "RshSession.h"

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
    "  -C DIR  write the exported files into DIR instead (FILE paths are not affected)\n"
    "  --help  show this help and exit\n"
    "  --      treat every later argument as a file, even if it starts with '-'\n"
    "\n"
    "Exit status: 0 when every file was read to its end, 1 when any file failed,\n"
    "2 for a usage error.\n";

struct Invocation {
    bool help = false;
    std::string outputFolder;  // empty: the current directory
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
        } else if (arg == "-C") {
            if (next + 1 == args.end()) {
                if (invocation.usageError.empty()) invocation.usageError = "option '-C' needs a folder";
            } else {
                invocation.outputFolder = *++next;
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

}  // namespace

int RunExtract(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
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

    // One session for the run, as the window keeps one for its life.
    PrintingView view(out);
    RshSession session(view);
    session.SetOutputFolder(invocation.outputFolder);
    int status = kExitOk;
    for (const std::string& file : invocation.files) {
        if (const auto failure = session.Open(file)) {
            err << kProgram << ": " << file << ": " << *failure << '\n';
            status = kExitFileFailed;
        }
    }
    // A log that did not reach its reader (a full disk, say) is a failure too.
    if (!out.flush()) {
        err << kProgram << ": cannot write standard output\n";
        return kExitFileFailed;
    }
    return status;
}

}  // namespace pelliton
