// Entry point of `pelliton-rsh`: hands the arguments to RunRshTool, as UTF-8 text.
#include <iostream>
#include <string>
#include <vector>

#include "cli/RshToolCommand.h"

int main(int argc, char* argv[]) {
    // argc may be 0 when a caller passes no program name at all.
    const std::vector<std::string> args(argc > 0 ? argv + 1 : argv, argv + argc);
    return pelliton::RunRshTool(args, std::cout, std::cerr);
}
