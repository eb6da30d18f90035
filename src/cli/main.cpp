// Entry point of `pelliton-extract`: hands the arguments to RunExtract.
#include <iostream>
#include <string>
#include <vector>

#include "cli/ExtractCommand.h"

int main(int argc, char* argv[]) {
    // argc may be 0 when a caller passes no program name at all.
    const std::vector<std::string> args(argc > 0 ? argv + 1 : argv, argv + argc);
    return pelliton::RunExtract(args, std::cout, std::cerr);
}
