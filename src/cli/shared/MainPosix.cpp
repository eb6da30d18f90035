// The process entry of a command-line program where arguments already arrive as UTF-8.
#include <string>
#include <vector>

#include "cli/shared/ProgramEntry.h"

int main(int argc, char* argv[]) {
    // argc may be 0 when a caller passes no program name at all.
    const std::vector<std::string> args(argc > 0 ? argv + 1 : argv, argv + argc);
    return pelliton::RunProgram(args);
}
