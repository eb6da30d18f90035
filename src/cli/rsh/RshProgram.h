// The whole of `pelliton-rsh` short of the process: arguments in, output and exit status out.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace pelliton {

// args excludes the program name: a command (list, extract, replace) and its arguments. Progress of
// a long folder batch is shown on err only when errIsTerminal.
int RunRshTool(std::span<const std::string> args, std::ostream& out, std::ostream& err, bool errIsTerminal = false);

}  // namespace pelliton
