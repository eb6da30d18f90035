#include "support/ImageMagick.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace pelliton::testing {

std::vector<std::uint8_t> DecodeWithImageMagick(const std::filesystem::path& file, const TempDir& dir,
                                                const std::string& channels) {
    const auto raw = dir.path() / ("decoded." + channels);
    const std::string command = "convert '" + file.string() + "' -auto-orient -depth 8 '" + channels + ":" +
                                raw.string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadFileBytes(raw);
}

}  // namespace pelliton::testing
