// pelliton-extract run in-process for tests, with what it prints kept apart by stream.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/extract/ExtractProgram.h"

namespace pelliton::testing {

struct ExtractResult {
    int status;
    std::string out;
    std::string err;
};

inline ExtractResult Extract(const std::vector<std::string>& args,
                             const RuntimeFactory& runtime = MakeSoftwareRuntime) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunExtract(args, out, err, runtime);
    return {status, out.str(), err.str()};
}

}  // namespace pelliton::testing
