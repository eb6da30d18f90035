// pelliton-extract: the window's open road without the window.
#include <iostream>

#include "cli/extract/ExtractProgram.h"
#include "cli/shared/ProgramEntry.h"

int pelliton::RunProgram(std::span<const std::string> args) { return RunExtract(args, std::cout, std::cerr); }
