// pelliton-rsh: every texture of a file out, edited pictures back in.
#include <iostream>

#include "cli/rsh/RshProgram.h"
#include "cli/shared/ProgramEntry.h"
#include "cli/shared/ProgressLine.h"

int pelliton::RunProgram(std::span<const std::string> args) {
    return RunRshTool(args, std::cout, std::cerr, StandardErrorIsTerminal());
}
