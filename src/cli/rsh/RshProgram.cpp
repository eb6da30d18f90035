#include "cli/rsh/RshProgram.h"

#include <functional>
#include <new>
#include <string_view>

#include "cli/rsh/Commands.h"
#include "cli/shared/CommandLine.h"
#include "cli/shared/ExportLedger.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"

namespace pelliton {

namespace {

constexpr std::string_view kProgram = kRshProgram;
constexpr std::string_view kUsage =
    "Usage: pelliton-rsh list FILE...\n"
    "       pelliton-rsh extract [--force] [-C DIR] FILE...\n"
    "       pelliton-rsh replace [--strict] [-o OUT.rsh] FILE.rsh IMAGE...\n";
constexpr std::string_view kHelp =
    "Works on every texture of RSH texture files: the modder's round trip.\n"
    "\n"
    "  list      prints each FILE's chunk tree, one chunk a line (type and id, offset,\n"
    "            version, size, name), then each texture's image type, format, width,\n"
    "            height and MIP levels\n"
    "  extract   writes every texture of each FILE as NAME.DDS (DXT1, DXT3, DXT5) or\n"
    "            NAME.TGA (uncompressed), NAME being the last part of the texture's name,\n"
    "            with the bytes the window exports; a texture of an unknown image type is\n"
    "            reported and skipped, and no export replaces another of the same run.\n"
    "            A file already there with other content (a picture being edited) is\n"
    "            kept and reported, unless --force; one with the same content is left as it is\n"
    "  replace   puts each IMAGE into the texture of FILE.rsh named as IMAGE is, less its\n"
    "            extension and in any letter case (as extract names it), and writes\n"
    "            FILE.rsh anew; every other byte stays as it was. A DDS image (DXT1, DXT3,\n"
    "            DXT5, or BC1, BC2, BC3 with a DX10 header, with its MIP chain) goes in as it\n"
    "            is; a TGA (colour or greyscale) or PNG picture is encoded to the texture's\n"
    "            format (DXT with a full MIP chain, or uncompressed). Each change to a\n"
    "            texture (its size, format, MIP levels, or alpha cut to one bit by DXT1) is\n"
    "            reported on standard error. On any error nothing is written.\n"
    "\n"
    "Files are written whole or not at all: an interrupted run leaves the old file. A\n"
    "read-only file is not replaced, a symbolic link is written through, a replaced file\n"
    "keeps its permissions, and no output may be one of the inputs.\n"
    "\n"
    "Options:\n"
    "  -C DIR           extract: write into DIR, an existing folder, not the current one\n"
    "  --force          extract: replace files that exist with other content\n"
    "  -o OUT.rsh       replace: write the result to OUT.rsh and leave FILE.rsh as it is\n"
    "  --strict         replace: refuse to change any texture's size, format, MIP levels\n"
    "                   or alpha; nothing is written then\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "  --               treat every later argument as a file, even if it starts with '-'\n"
    "\n"
    "Exit status: 0 when every file was done in full, 1 when any file failed or any\n"
    "texture was skipped, 2 for a usage error.\n";

// Runs work on one file; a failure is reported and makes the run's status a failure.
void OnFile(const std::string& file, const std::function<void()>& work, std::ostream& err, int& status) {
    try {
        work();
    } catch (const PellitonError& error) {
        err << kProgram << ": " << error.what() << '\n';
        status = kExitFileFailed;
    } catch (const std::bad_alloc&) {
        err << kProgram << ": " << file << ": not enough memory\n";
        status = kExitFileFailed;
    }
}

int List(const CommandLine& line, std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    for (const std::string& file : line.operands) {
        if (&file != &line.operands.front()) out << '\n';
        OnFile(file, [&] { ListRshFile(file, out); }, err, status);
    }
    return status;
}

// Refuses to replace an export the modder may have painted since, saying how to replace it all the same.
void KeepEditedExport(const std::filesystem::path& target, const std::function<void(OutputFile&)>& writeContent) {
    try {
        WriteFileUnlessDifferent(target, writeContent);
    } catch (const ExistingFileDiffers& differs) {
        throw PellitonError(std::string(differs.what()) + " (--force replaces it)");
    }
}

int Extract(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const auto folder = line.values.find("-C");
    if (folder != line.values.end()) {
        if (const std::string problem = OutputFolderProblem(folder->second); !problem.empty()) {
            return UsageError(kProgram, kUsage, problem, err);
        }
    }
    const auto outputFolder = PathFromUtf8(folder == line.values.end() ? "" : folder->second);
    ExportLedger ledger(line.flags.contains("--force") ? ExportWriter(WriteFileAtomically)
                                                       : ExportWriter(KeepEditedExport));
    int status = kExitOk;
    for (const std::string& file : line.operands) {
        OnFile(file, [&] {
            const ExtractReport report = ExtractRshTextures(file, outputFolder, ledger.WriterFor(file));
            // "/" before the name on Windows too, as a folder given with "/" already has it.
            for (const auto& written : report.written) {
                out << file << ": " << PathToUtf8(written) << '\n';
            }
            for (const std::string& skipped : report.skipped) {
                err << kProgram << ": " << file << ": " << skipped << "; skipped\n";
                status = kExitFileFailed;
            }
        }, err, status);
    }
    return status;
}

int Replace(const CommandLine& line, std::ostream& out, std::ostream& err) {
    if (line.operands.size() < 2) return UsageError(kProgram, kUsage, "replace needs FILE.rsh and an IMAGE", err);
    const std::string& rshFile = line.operands.front();
    const std::vector<std::string> images(line.operands.begin() + 1, line.operands.end());
    const auto output = line.values.find("-o");
    const std::string outPath = output == line.values.end() ? rshFile : output->second;
    int status = kExitOk;
    const bool strict = line.flags.contains("--strict");
    OnFile(rshFile, [&] { ReplaceRshTextures(rshFile, images, outPath, strict, out, err); }, err, status);
    return status;
}

struct Command {
    std::string_view name;
    std::string_view valueOption;  // empty: none, as no option is empty
    std::string_view flagOption;   // likewise
    int (*run)(const CommandLine&, std::ostream&, std::ostream&);
};

constexpr Command kCommands[] = {
    {"list", "", "", List}, {"extract", "-C", "--force", Extract}, {"replace", "-o", "--strict", Replace}};

}  // namespace

int RunRshTool(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const Command* command = nullptr;
    if (!args.empty()) {
        for (const Command& known : kCommands) {
            if (args.front() == known.name) command = &known;
        }
    }
    // Before a command only help and version are understood.
    CommandLine line = command == nullptr ? ParseCommandLine(args, {})
                                          : ParseCommandLine(args.subspan(1), {command->valueOption}, {command->flagOption});
    if (line.usageError.empty() && command == nullptr && !line.help && !line.version) {
        line.usageError = args.empty() ? "no command given" : "unknown command '" + args.front() + "'";
    }
    if (line.usageError.empty() && command != nullptr && !line.help && !line.version && line.operands.empty()) {
        line.usageError = "no FILE given";
    }
    if (!line.usageError.empty()) return UsageError(kProgram, kUsage, line.usageError, err);
    if (line.help) {
        out << kUsage << '\n' << kHelp;
        return kExitOk;
    }
    if (line.version) {
        PrintVersion(kProgram, out);
        return kExitOk;
    }
    int status = command->run(line, out, err);
    if (!out.flush()) {
        err << kProgram << ": cannot write standard output\n";
        status = kExitFileFailed;
    }
    return status;
}

}  // namespace pelliton
