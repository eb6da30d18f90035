// The process entry of a command-line program on Windows: arguments arrive as UTF-16, so that no
// file name is lost to the console's code page, and the output is the same bytes as elsewhere.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

#include <string>
#include <vector>

#include "cli/shared/ProgramEntry.h"
#include "common/Utf8Path.h"

int wmain(int argc, wchar_t* argv[]) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(pelliton::PathToUtf8(argv[i]));
    // "\n" stays "\n", and a console shows the bytes as UTF-8.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    return pelliton::RunProgram(args);
}
