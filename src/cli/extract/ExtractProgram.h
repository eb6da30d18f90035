// The whole of `pelliton-extract` short of the process: arguments in, output and exit status out.
#pragma once

#include <ostream>
#include <span>
#include <string>

#include "cli/shared/CommandLine.h"
#include "preview/PreviewDevice.h"

namespace pelliton {

// args excludes the program name. Runs the open road of each file in turn, printing its log to
// out and each failure to err, and returns the exit status. Tests may put their own runtime in.
int RunExtract(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               const RuntimeFactory& makeRuntime = MakeSoftwareRuntime);

}  // namespace pelliton
