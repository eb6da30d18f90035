// Ranges of an open file copied into an output, by the kernel where it can: what arrives, and what a
// file shortened by another program meanwhile does to the output.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/FileSource.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"
#include "support/PatternBytes.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::TempDir;

TEST(CopyFromFile, ARangeArrivesWholeBetweenBytesFromMemory) {
    const TempDir dir;
    const auto bytes = testing::PatternBytes(3 << 20, 1);  // more than one slice of the user-space copy
    const FileSource source(dir.Write("in.bin", bytes));
    const std::vector<std::uint8_t> head = {9, 8, 7};
    const auto target = dir.path() / "out.bin";
    WriteFileAtomically(target, [&](OutputFile& out) {
        out.Write(ByteRange::InMemory(head));
        out.Write(ByteRange::Of(source, 17, bytes.size() - 17));
        out.Write(ByteRange::InMemory(head));
    });
    std::vector<std::uint8_t> expected = head;
    expected.insert(expected.end(), bytes.begin() + 17, bytes.end());
    expected.insert(expected.end(), head.begin(), head.end());
    EXPECT_EQ(testing::ReadFileBytes(target), expected);
}

TEST(CopyFromFile, ASourceShortenedMeanwhileIsAnErrorAndTheTargetStaysAsItWas) {
    const TempDir dir;
    const std::string path = dir.Write("in.bin", testing::PatternBytes(1 << 20, 2));
    const FileSource source(path);
    std::filesystem::resize_file(PathFromUtf8(path), 1000);  // another program cuts the file

    const auto target = dir.path() / "out.bin";
    const std::vector<std::uint8_t> before = {1, 2, 3};
    dir.Write("out.bin", before);
    try {
        WriteFileAtomically(target, [&](OutputFile& out) { out.Write(ByteRange::Of(source, 0, source.Size())); });
        FAIL() << "a short source was copied without an error";
    } catch (const PellitonError& error) {
        EXPECT_NE(std::string(error.what()).find("shorter than when it was opened"), std::string::npos) << error.what();
    }
    EXPECT_EQ(testing::ReadFileBytes(target), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
}  // namespace pelliton
