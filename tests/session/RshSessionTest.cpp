// The open road after the dialog: what it logs, shows and keeps, on success and on every error.
#include <gtest/gtest.h>

#include "RecordingLog.h"
#include "RshSession.h"
#include "RshWriter.h"
#include "TempDir.h"

namespace pelliton {
namespace {

using testing::RecordingView;
using testing::TempDir;

std::ptrdiff_t OpenFileCount() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return std::distance(begin(fds), end(fds));
}

std::vector<std::uint8_t> Dxt1File(std::int32_t width) {
    return WriteRshBytes(MakeTextureRecords(kImageTypeDxt1, width, 4, 1, 8), std::vector<std::uint8_t>(8, 7));
}

TEST(RshSession, OpenLogsTheFileAndShowsItsPath) {
    TempDir dir;
    const std::string path = dir.Write("wall.rsh", Dxt1File(4));
    RecordingView view;
    RshSession session(view);

    EXPECT_EQ(session.Open(path), std::nullopt);
    EXPECT_EQ(session.SourcePath(), path);
    EXPECT_EQ(view.status, path);
    EXPECT_EQ(view.lines.size(), 32u);
    EXPECT_EQ(session.Records().AttrChunk.ImageType, kImageTypeDxt1);
}

TEST(RshSession, ASecondOpenReplacesTheWholeLog) {
    TempDir dir;
    RecordingView view;
    RshSession session(view);
    ASSERT_EQ(session.Open(dir.Write("a.rsh", Dxt1File(4))), std::nullopt);
    ASSERT_EQ(session.Open(dir.Write("b.rsh", Dxt1File(8))), std::nullopt);

    EXPECT_EQ(view.lines.size(), 32u);
    EXPECT_EQ(std::count(view.lines.begin(), view.lines.end(), "Width: 4"), 0);
    EXPECT_EQ(std::count(view.lines.begin(), view.lines.end(), "Width: 8"), 1);
}

TEST(RshSession, AShortFileEndsWithAnErrorLineAfterWhatWasRead) {
    TempDir dir;
    std::vector<std::uint8_t> bytes = Dxt1File(4);
    bytes.resize(100);  // inside the head chunk
    const std::string path = dir.Write("short.rsh", bytes);
    RecordingView view;
    RshSession session(view);

    const auto failure = session.Open(path);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(view.status, path);
    ASSERT_EQ(view.lines.size(), 12u);  // eleven lines of the first two records, then the error
    EXPECT_EQ(view.lines.back(), "Error: " + *failure);
    EXPECT_NE(failure->find("the file ends at byte 100"), std::string::npos) << *failure;
}

TEST(RshSession, AFileThatCannotBeOpenedKeepsThePreviousLogAndStatus) {
    TempDir dir;
    const std::string good = dir.Write("good.rsh", Dxt1File(4));
    RecordingView view;
    RshSession session(view);
    ASSERT_EQ(session.Open(good), std::nullopt);
    const auto before = view.lines;

    const std::string missing = (dir.path() / "missing.rsh").string();
    const auto failure = session.Open(missing);
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find(missing), std::string::npos);
    EXPECT_EQ(session.SourcePath(), missing);
    EXPECT_EQ(view.status, good);
    EXPECT_EQ(view.clears, 1);
    ASSERT_EQ(view.lines.size(), before.size() + 1);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), view.lines.begin()));
    EXPECT_EQ(view.lines.back(), "Error: " + *failure);
}

TEST(RshSession, TheInputFileIsClosedOnEveryPath) {
    TempDir dir;
    const std::string good = dir.Write("good.rsh", Dxt1File(4));
    std::vector<std::uint8_t> shortBytes = Dxt1File(4);
    shortBytes.resize(50);
    const std::string bad = dir.Write("bad.rsh", shortBytes);
    RecordingView view;
    RshSession session(view);

    const auto before = OpenFileCount();
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(session.Open(good), std::nullopt);
        ASSERT_TRUE(session.Open(bad).has_value());
    }
    EXPECT_EQ(OpenFileCount(), before);
}

}  // namespace
}  // namespace pelliton
