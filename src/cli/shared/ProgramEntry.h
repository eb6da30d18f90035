// What each command-line program gives the process entry of its platform: its whole run, the
// arguments (without the program name) as UTF-8 text.
#pragma once

#include <span>
#include <string>

namespace pelliton {

int RunProgram(std::span<const std::string> args);

}  // namespace pelliton
