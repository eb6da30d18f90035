// The file named on the program's command line.
#include "win32/CommandLine.h"

#include <windows.h>

#include <shellapi.h>

#include "win32/WideText.h"

namespace pelliton::win32 {

std::optional<std::string> FileFromCommandLine(const wchar_t* commandLine) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(commandLine, &count);
    if (arguments == nullptr) return std::nullopt;
    std::optional<std::string> file;
    if (count >= 2 && arguments[1][0] != L'\0') file = WideToUtf8(arguments[1]);
    LocalFree(arguments);
    return file;
}

}  // namespace pelliton::win32
