// A program starter that knows a fixed set of files and programs, and remembers what it was asked.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "about/ProgramStarter.h"

namespace pelliton::testing {

class RecordingProgramStarter final : public ProgramStarter {
public:
    bool IsOrdinaryFile(const std::string& path) const override {
        fileTests.push_back(path);
        return ordinaryFiles.contains(path);
    }
    bool StartProgram(const std::string& path) override {
        starts.push_back(path);
        return startable.contains(path);
    }

    std::set<std::string> ordinaryFiles;
    std::set<std::string> startable;
    mutable std::vector<std::string> fileTests;
    std::vector<std::string> starts;
};

}  // namespace pelliton::testing
