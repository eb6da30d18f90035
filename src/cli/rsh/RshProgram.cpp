#include "cli/rsh/RshProgram.h"

#include <array>
#include <functional>
#include <utility>
#include <new>
#include <system_error>
#include <string_view>

#include "cli/rsh/Commands.h"
#include "cli/shared/CommandLine.h"
#include "cli/shared/ExportLedger.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "teamcolour/PatternFile.h"

namespace pelliton {

namespace {

constexpr std::string_view kProgram = kRshProgram;
constexpr std::string_view kUsage =
    "Usage: pelliton-rsh list FILE...\n"
    "  or:  pelliton-rsh extract [--force] [--png] [-C DIR] FILE...\n"
    "  or:  pelliton-rsh extract -r [--force] [--png] [-C OUT] DIR\n"
    "  or:  pelliton-rsh replace [--strict] [--dry-run] [-o OUT.rsh] FILE.rsh IMAGE...\n"
    "  or:  pelliton-rsh replace -r [--strict] [--dry-run] OUT DIR\n"
    "  or:  pelliton-rsh replace [OPTION]... FILE.wtp [PICTURE...]\n"
    "  or:  pelliton-rsh preview [OPTION]... -o OUT.png FILE.wtp\n";
constexpr std::string_view kHelp =
    "Works on every texture of RSH texture files and on the team colour patterns of\n"
    "WTP files: the modder's round trip.\n"
    "\n"
    "  list      prints each FILE's chunk tree, one chunk a line (type and id, offset,\n"
    "            version, size, name), then each texture's image type, format, width,\n"
    "            height and MIP levels\n"
    "  extract   writes every texture of each FILE as NAME.DDS (DXT1, DXT3, DXT5) or\n"
    "            NAME.TGA (uncompressed), NAME being the last part of the texture's name,\n"
    "            with the bytes the window exports, or with --png as NAME.PNG, its largest\n"
    "            level with its alpha. A WTP file gives NAME_default.tga (the base picture,\n"
    "            32-bit with alpha) and NAME_primary, _secondary, _trim, _weapon, _eyes\n"
    "            and _dirt.tga (8-bit grey) for each layer it has, NAME being the file's\n"
    "            name less its extension; with --png the same as PNG. A texture or pattern\n"
    "            of an unknown image type is reported and skipped, and no export replaces\n"
    "            another of the same run. A file already there with other content (a\n"
    "            picture being edited) is kept and reported, unless --force; one with the\n"
    "            same content is left as it is.\n"
    "            With -r, takes every RSH, RTX and WTP file under the folder DIR, on every\n"
    "            core, and writes each file's textures into OUT under the file's path\n"
    "            less its extension (DIR/races/a.rsh into OUT/races/a/); it prints each\n"
    "            failure and a summary, and progress when it takes a while\n"
    "  replace   puts each IMAGE into the texture of FILE.rsh named as IMAGE is, less its\n"
    "            extension and in any letter case (as extract names it), and writes\n"
    "            FILE.rsh anew; every other byte stays as it was. A DDS image (DXT1, DXT3,\n"
    "            DXT5, or BC1, BC2, BC3 with a DX10 header, with its MIP chain) goes in as it\n"
    "            is; a TGA (colour or greyscale) or PNG picture is encoded to the texture's\n"
    "            format (DXT with a full MIP chain, or uncompressed). Each change to a\n"
    "            texture (its size, format, MIP levels, or alpha cut to one bit by DXT1) is\n"
    "            reported on standard error. On any error nothing is written.\n"
    "            With -r, the way back from extract -r: for every RSH, RTX and WTP file under\n"
    "            DIR, each picture in its folder of OUT that is no longer what extract\n"
    "            would write replaces its texture, and the file is written anew; files with\n"
    "            no edited picture are left as they are. A TGA or PNG picture beside an\n"
    "            unchanged export goes in only if it is newer. Prints one line per file\n"
    "            changed and a summary.\n"
    "            On a WTP file, each PICTURE (TGA or PNG, the pattern's size) replaces the\n"
    "            base picture or layer its name ends in (_default, _primary, _secondary,\n"
    "            _trim, _weapon, _eyes, _dirt), a layer the file lacks being added; a\n"
    "            layer picture in colour is turned to grey, with a note. --badge and\n"
    "            --banner set the rectangles the game draws the badge and banner into\n"
    "  preview   paints the pattern of FILE.wtp in five team colours (primary,\n"
    "            secondary, trim, weapon, eyes; each #RRGGBB) as the army painter shows\n"
    "            it, the badge and banner pictures drawn into their rectangles, and\n"
    "            writes it to OUT.png, the pattern's size\n"
    "\n"
    "Files are written whole or not at all: an interrupted run leaves the old file. A\n"
    "read-only file is not replaced, a symbolic link is written through, a replaced file\n"
    "keeps its permissions, and no output may be one of the inputs.\n"
    "\n"
    "Options:\n"
    "  -C DIR           extract: write into DIR, an existing folder, not the current one;\n"
    "                   with -r, OUT is made if it does not exist\n"
    "  --force          extract: replace files that exist with other content\n"
    "  --png            extract: write each texture as a PNG picture\n"
    "  -r               extract, replace: work on a whole folder of RSH, RTX and WTP files\n"
    "  -o OUT           replace: write the result to OUT and leave FILE as it is;\n"
    "                   preview: the PNG picture to write\n"
    "  --badge X,Y,W,H  replace: the badge's rectangle, in texels from the top left\n"
    "  --banner X,Y,W,H replace: the banner's rectangle, likewise\n"
    "  --badge PICTURE  preview: the badge to draw (TGA or PNG); --banner likewise\n"
    "  --colours P,S,T,W,E\n"
    "                   preview: the team colours, as #RRGGBB each\n"
    "  --strict         replace: refuse to change any texture's size, format, MIP levels\n"
    "                   or alpha, or to turn a layer picture to grey; nothing is written\n"
    "                   then\n"
    "  --dry-run        replace: say what would be replaced, and write nothing\n"
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

int List(const CommandLine& line, const BatchOutput& output) {
    int status = kExitOk;
    for (const std::string& file : line.operands) {
        if (&file != &line.operands.front()) output.out << '\n';
        OnFile(file, [&] { ListRshFile(file, output.out); }, output.err, status);
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

int ExtractFiles(const CommandLine& line, const std::filesystem::path& outputFolder, const ExportWriter& write,
                 const ExtractFormat& format, const BatchOutput& output) {
    ExportLedger ledger(write);
    int status = kExitOk;
    for (const std::string& file : line.operands) {
        OnFile(file, [&] {
            const ExtractReport report = ExtractRshTextures(file, outputFolder, ledger.WriterFor(file), format);
            // "/" before the name on Windows too, as a folder given with "/" already has it.
            for (const auto& written : report.written) {
                output.out << file << ": " << PathToUtf8(written) << '\n';
            }
            for (const std::string& skipped : report.skipped) {
                output.err << kProgram << ": " << file << ": " << skipped << "; skipped\n";
                status = kExitFileFailed;
            }
        }, output.err, status);
    }
    return status;
}

int Extract(const CommandLine& line, const BatchOutput& output) {
    const bool folders = line.flags.contains("-r");
    if (folders && line.operands.size() != 1) {
        return UsageError(kProgram, kUsage, "extract -r takes one folder DIR", output.err);
    }
    const auto folder = line.values.find("-C");
    const std::string outputFolder = folder == line.values.end() ? "." : folder->second;
    std::error_code error;
    // A folder batch makes its OUT, as it makes the folders inside it.
    const bool madeByBatch = folders && !std::filesystem::exists(PathFromUtf8(outputFolder), error);
    if (const std::string problem = OutputFolderProblem(outputFolder); !problem.empty() && !madeByBatch) {
        return UsageError(kProgram, kUsage, problem, output.err);
    }
    const ExportWriter write =
        line.flags.contains("--force") ? ExportWriter(WriteFileAtomically) : ExportWriter(KeepEditedExport);
    const ExtractFormat& format = line.flags.contains("--png") ? kPngPictures : kWindowExports;
    if (!folders) {
        return ExtractFiles(line, PathFromUtf8(folder == line.values.end() ? "" : outputFolder), write, format, output);
    }
    int status = kExitOk;
    const std::string& root = line.operands.front();
    OnFile(root, [&] { status = ExtractFolder(root, PathFromUtf8(outputFolder), write, format, output); },
           output.err, status);
    return status;
}

int Replace(const CommandLine& line, const BatchOutput& output) {
    const ReplaceOptions options{line.flags.contains("--strict"), line.flags.contains("--dry-run")};
    int status = kExitOk;
    if (line.flags.contains("-r")) {
        if (line.operands.size() != 2) return UsageError(kProgram, kUsage, "replace -r takes OUT and DIR", output.err);
        if (line.values.contains("-o")) return UsageError(kProgram, kUsage, "replace -r writes each file in place; -o is for one file", output.err);
        const std::string& pictures = line.operands[0];
        const std::string& root = line.operands[1];
        OnFile(root, [&] { status = ReplaceFolder(PathFromUtf8(pictures), root, options, output); }, output.err, status);
        return status;
    }
    const std::string& file = line.operands.front();
    const std::vector<std::string> images(line.operands.begin() + 1, line.operands.end());
    const auto out = line.values.find("-o");
    const std::string outPath = out == line.values.end() ? file : out->second;
    PatternEdits edits{images, std::nullopt, std::nullopt};
    for (const auto& [option, rectangle] : {std::pair{"--badge", &edits.badge}, std::pair{"--banner", &edits.banner}}) {
        if (const auto value = line.values.find(option); value != line.values.end()) {
            *rectangle = ParseRectangle(value->second);
            if (!*rectangle) {
                return UsageError(kProgram, kUsage, std::string(option) + " " + value->second +
                                  ": X,Y,W,H are wanted, four numbers with W and H above 0", output.err);
            }
        }
    }
    const bool rectangles = edits.badge || edits.banner;
    if (images.empty() && !rectangles) {
        return UsageError(kProgram, kUsage, "replace needs FILE and an IMAGE (or, for a WTP file, --badge or --banner)",
                          output.err);
    }
    OnFile(file, [&] {
        if (HoldsTeamPattern(file)) {
            ReplacePattern(file, edits, outPath, options, output.out, output.err);
            return;
        }
        if (rectangles) throw PellitonError(file + ": --badge and --banner are for a WTP file; it holds no team colour pattern");
        ReplaceRshTextures(file, images, outPath, options, output.out, output.err);
    }, output.err, status);
    return status;
}

int Preview(const CommandLine& line, const BatchOutput& output) {
    if (line.operands.size() != 1) return UsageError(kProgram, kUsage, "preview takes one FILE.wtp", output.err);
    const auto out = line.values.find("-o");
    if (out == line.values.end()) return UsageError(kProgram, kUsage, "preview needs -o OUT.png", output.err);
    const auto value = [&line](const char* option) {
        const auto found = line.values.find(option);
        return found == line.values.end() ? std::string() : found->second;
    };
    const std::string& file = line.operands.front();
    int status = kExitOk;
    OnFile(file, [&] {
        PreviewPattern(file, {value("--colours"), value("--badge"), value("--banner"), out->second}, output.out);
    }, output.err, status);
    return status;
}

struct Command {
    std::string_view name;
    std::array<std::string_view, 4> valueOptions;  // empty: none, as no option is empty
    std::array<std::string_view, 3> flagOptions;   // likewise
    int (*run)(const CommandLine&, const BatchOutput&);
};

constexpr Command kCommands[] = {{"list", {}, {}, List},
                                 {"extract", {"-C"}, {"--force", "--png", "-r"}, Extract},
                                 {"replace", {"-o", "--badge", "--banner"}, {"--strict", "--dry-run", "-r"}, Replace},
                                 {"preview", {"-o", "--colours", "--badge", "--banner"}, {}, Preview}};

std::vector<std::string_view> Given(std::span<const std::string_view> options) {
    std::vector<std::string_view> given(options.begin(), options.end());
    std::erase(given, std::string_view());
    return given;
}

}  // namespace

int RunRshTool(std::span<const std::string> args, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    const Command* command = nullptr;
    if (!args.empty()) {
        for (const Command& known : kCommands) {
            if (args.front() == known.name) command = &known;
        }
    }
    // Before a command only help and version are understood.
    CommandLine line = command == nullptr ? ParseCommandLine(args, {})
                                          : ParseCommandLine(args.subspan(1), Given(command->valueOptions),
                                                             Given(command->flagOptions));
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
    int status = command->run(line, {out, err, errIsTerminal});
    if (!out.flush()) {
        err << kProgram << ": cannot write standard output\n";
        status = kExitFileFailed;
    }
    return status;
}

}  // namespace pelliton
