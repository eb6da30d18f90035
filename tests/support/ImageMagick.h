// A second, independent reader of image files for tests: ImageMagick's convert.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace pelliton::testing {

// The file's pixels as 8-bit channels ("rgba" or "rgb"), top row first as the file's origin says;
// the raw output goes through a file in dir. A failing convert fails the test.
std::vector<std::uint8_t> DecodeWithImageMagick(const std::filesystem::path& file, const TempDir& dir,
                                                const std::string& channels = "rgba");

}  // namespace pelliton::testing
