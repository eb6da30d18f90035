// The program's command line: what it asks for, and the answer to --help and --version.
#pragma once

#include <string>

#include "ui/WindowCommandLine.h"

namespace pelliton::win32 {

// The whole command line (the program's own name first), split and unquoted as Windows programs
// split it, then read as every front end reads it.
ui::WindowStart WindowStartFromCommandLine(const wchar_t* commandLine);

// Writes text (UTF-8) to standard output, or, when the program was given none (as a window program
// started from cmd.exe is), to the console it was started from.
void PrintToConsole(const std::string& text);

}  // namespace pelliton::win32
