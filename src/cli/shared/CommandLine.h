// The argument conventions both command-line programs share: options anywhere before "--", a lone
// "-" as an operand, usage errors in one shape.
#pragma once

#include <map>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelliton {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileFailed = 1;
inline constexpr int kExitUsage = 2;

struct CommandLine {
    bool help = false;                          // -h or --help
    bool version = false;                       // --version
    std::map<std::string, std::string> values;  // each value option given, with its value
    std::set<std::string> flags;                // each flag option given
    std::vector<std::string> operands;
    std::string usageError;  // the first problem; empty when the arguments are well formed
};

// valueOptions take the argument after them as their value, flagOptions none; any other option but
// -h, --help and --version is a usage error.
CommandLine ParseCommandLine(std::span<const std::string> args, const std::vector<std::string_view>& valueOptions,
                             const std::vector<std::string_view>& flagOptions = {});

// Prints "program: problem", the usage lines and where to find help; returns kExitUsage.
int UsageError(std::string_view program, std::string_view usage, const std::string& problem, std::ostream& err);

// Why folder (UTF-8) cannot take output files, or empty when it can. Checked before any file is
// read, so that a mistyped folder costs no work and no partial output.
std::string OutputFolderProblem(const std::string& folder);

void PrintVersion(std::string_view program, std::ostream& out);

}  // namespace pelliton
