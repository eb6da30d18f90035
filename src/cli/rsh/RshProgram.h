// The whole of `pelliton-rsh` short of the process: arguments in, output and exit status out.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace pelliton {

// args excludes the program name: a command (list, extract, replace) and its arguments.
int RunRshTool(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace pelliton
