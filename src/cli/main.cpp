// Entry point of `pelliton-extract`: hands the arguments to RunExtract, as UTF-8 text.
#include <iostream>
#include <string>
#include <vector>

#include "cli/ExtractCommand.h"
#include "cli/StandardStreams.h"
#include "common/Utf8Path.h"

#ifdef _WIN32
// Arguments arrive as UTF-16, so that no file name is lost to the console's code page.
int wmain(int argc, wchar_t* argv[]) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(pelliton::PathToUtf8(argv[i]));
    pelliton::UseUtf8BinaryStandardStreams();
    return pelliton::RunExtract(args, std::cout, std::cerr);
}
#else
int main(int argc, char* argv[]) {
    // argc may be 0 when a caller passes no program name at all.
    const std::vector<std::string> args(argc > 0 ? argv + 1 : argv, argv + argc);
    return pelliton::RunExtract(args, std::cout, std::cerr);
}
#endif
