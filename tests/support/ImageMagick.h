// A second, independent reader of image files for tests: ImageMagick's convert.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempDir.h"

// convert is a Linux tool: a test that shells out to it starts with this, which skips it on Windows.
#ifdef _WIN32
#define PELLITON_NEEDS_IMAGEMAGICK() GTEST_SKIP() << "needs ImageMagick's convert, a Linux tool"
#else
#define PELLITON_NEEDS_IMAGEMAGICK() static_cast<void>(0)
#endif

namespace pelliton::testing {

// The file's pixels as 8-bit channels ("rgba" or "rgb"), top row first as the file's origin says;
// the raw output goes through a file in dir. A failing convert fails the test.
std::vector<std::uint8_t> DecodeWithImageMagick(const std::filesystem::path& file, const TempDir& dir,
                                                const std::string& channels = "rgba");

}  // namespace pelliton::testing
