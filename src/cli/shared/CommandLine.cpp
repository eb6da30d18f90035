#include "cli/shared/CommandLine.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/Utf8Path.h"
#include "common/Version.h"

namespace pelliton {

CommandLine ParseCommandLine(std::span<const std::string> args, const std::vector<std::string_view>& valueOptions,
                             const std::vector<std::string_view>& flagOptions) {
    CommandLine line;
    const auto problem = [&line](const std::string& text) {
        if (line.usageError.empty()) line.usageError = text;
    };
    bool optionsEnded = false;
    for (auto next = args.begin(); next != args.end(); ++next) {
        const std::string& arg = *next;
        if (optionsEnded || arg.size() < 2 || arg.front() != '-') {
            line.operands.push_back(arg);
        } else if (std::find(valueOptions.begin(), valueOptions.end(), arg) != valueOptions.end()) {
            if (next + 1 == args.end()) {
                problem("option '" + arg + "' needs a value");
            } else {
                line.values[arg] = *++next;
            }
        } else if (std::find(flagOptions.begin(), flagOptions.end(), arg) != flagOptions.end()) {
            line.flags.insert(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--version") {
            line.version = true;
        } else {
            problem("unknown option '" + arg + "'");
        }
    }
    return line;
}

int UsageError(std::string_view program, std::string_view usage, const std::string& problem, std::ostream& err) {
    err << program << ": " << problem << '\n' << usage << "Try '" << program << " --help' for more information.\n";
    return kExitUsage;
}

std::string OutputFolderProblem(const std::string& folder) {
    std::error_code error;
    const auto status = std::filesystem::status(PathFromUtf8(folder), error);
    if (!std::filesystem::exists(status)) return "-C " + folder + ": no such directory";
    if (!std::filesystem::is_directory(status)) return "-C " + folder + ": not a directory";
    return {};
}

void PrintVersion(std::string_view program, std::ostream& out) {
    out << program << ' ' << VersionNumber() << '\n';
}

}  // namespace pelliton
