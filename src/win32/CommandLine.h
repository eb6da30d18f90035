// The file named on the program's command line.
#pragma once

#include <optional>
#include <string>

namespace pelliton::win32 {

// The first argument after the program's own name (UTF-8), quotes taken off as Windows programs
// take them; nothing when there is none.
std::optional<std::string> FileFromCommandLine(const wchar_t* commandLine);

}  // namespace pelliton::win32
