// Runs a program as a separate process, as a user's shell would, and keeps what it prints.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace pelliton::testing {

struct ProgramRun {
    int status;  // the exit status; -1 when the program did not exit by itself
    std::string out;
    std::string err;
};

// Starts program with args (UTF-8 text, each handed over as one argument, no shell in between),
// waits for it to end and returns its exit status and its standard output and error, which go
// through files in dir. Throws std::system_error when the program cannot be started.
ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args, const TempDir& dir);

}  // namespace pelliton::testing
