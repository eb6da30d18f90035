// Files read where they are needed: what arrives, what a file shortened by another program
// meanwhile does, and why a file does not open, worded alike on Linux and Windows (the two
// programs' logs are compared byte for byte).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/FileSource.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "support/PatternBytes.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::TempDir;

// The reason the file did not open, or "opened".
std::string OpenFailure(const std::string& path) {
    try {
        const FileSource source(path);
    } catch (const PellitonError& error) {
        return error.what();
    }
    return "opened";
}

TEST(FileSource, ReadsAnyRange) {
    const TempDir dir;
    const auto bytes = testing::PatternBytes(3 << 20, 1);
    const FileSource source(dir.Write("in.bin", bytes));
    EXPECT_EQ(source.Size(), bytes.size());
    std::vector<std::uint8_t> middle(5);
    source.ReadAt(1000, middle);
    EXPECT_EQ(middle, std::vector<std::uint8_t>(bytes.begin() + 1000, bytes.begin() + 1005));
    std::vector<std::uint8_t> all(bytes.size());
    source.ReadAt(0, all);
    EXPECT_EQ(all, bytes);
}

TEST(FileSource, AFileShortenedMeanwhileIsAnError) {
    const TempDir dir;
    const std::string path = dir.Write("in.bin", testing::PatternBytes(1 << 20, 2));
    const FileSource source(path);
    std::filesystem::resize_file(PathFromUtf8(path), 1000);  // another program cuts the file

    std::vector<std::uint8_t> tail(10);
    try {
        source.ReadAt(2000, tail);
        FAIL() << "a read beyond the new end succeeded";
    } catch (const PellitonError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "reading " + path + " at byte 2000 failed: the file is shorter than when it was opened");
    }
}

// Linux opens a folder and then finds no regular file; Windows refuses to open it at all.
TEST(FileSource, OnlyRegularFilesOpen) {
    const TempDir dir;
    const std::string folder = PathToUtf8(dir.path());
    EXPECT_EQ(OpenFailure(folder), "cannot open " + folder + ": not a regular file");
}

TEST(FileSource, AMissingFileOrFolderIsNamedAsLinuxNamesIt) {
    const TempDir dir;
    for (const std::string& missing : {PathToUtf8(dir.path() / "missing.rsh"),
                                       PathToUtf8(dir.path() / "missing" / "wall.rsh"), std::string("missing.rsh")}) {
        EXPECT_EQ(OpenFailure(missing), "cannot open " + missing + ": No such file or directory");
    }
}

// The kernel's write-only settings refuse reading even to root, whom the tests may run as; Wine
// finds them on its drive of the whole file system.
TEST(FileSource, AFileNobodyMayReadIsRefusedAsLinuxSaysIt) {
    const std::string unreadable = "/proc/sys/vm/drop_caches";
    if (!std::filesystem::exists(PathFromUtf8(unreadable))) GTEST_SKIP() << unreadable << " does not exist here";
    EXPECT_EQ(OpenFailure(unreadable), "cannot open " + unreadable + ": Permission denied");
}

}  // namespace
}  // namespace pelliton
