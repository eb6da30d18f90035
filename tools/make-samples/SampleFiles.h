// The sample RSH files of samples/, built in memory from procedural pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pelliton {

struct SampleFile {
    std::string name;  // file name, without a folder
    std::vector<std::uint8_t> bytes;
};

// The same bytes on every run, so that the committed samples can be checked against them.
std::vector<SampleFile> MakeSampleFiles();

}  // namespace pelliton
