// The open road after the dialog: what it logs, shows and keeps, on success and on every error.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "rshwrite/RshWriter.h"
#include "session/RshSession.h"
#include "support/FailingRuntime.h"
#include "support/FramePixels.h"
#include "support/OpenFiles.h"
#include "support/RecordingLog.h"
#include "support/RecordingPane.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::OpenFileCount;
using testing::RecordingPane;
using testing::RecordingView;
using testing::TempDir;

std::vector<std::uint8_t> Dxt1File(std::int32_t width, std::int32_t dataSize = 8) {
    return WriteRshBytes(MakeTextureRecords(kImageTypeDxt1, width, 4, 1, dataSize),
                         std::vector<std::uint8_t>(static_cast<std::size_t>(dataSize), 7));
}

// A session that writes its exports into a folder of its own.
struct ExportingSession {
    TempDir out;
    RecordingView view;
    RecordingPane pane;
    RshSession session{view, pane};
    ExportingSession() { session.SetOutputFolder(out.path()); }
};

TEST(RshSession, OpenLogsTheFileExportsItAndShowsItsPath) {
    TempDir dir;
    const std::string path = dir.Write("wall.rsh", Dxt1File(4));
    ExportingSession s;

    EXPECT_EQ(s.session.Open(path).outcome, OpenResult::Outcome::Completed);
    EXPECT_EQ(s.session.SourcePath(), path);
    EXPECT_EQ(s.view.status, path);
    ASSERT_EQ(s.view.lines.size(), 37u);
    EXPECT_EQ(s.view.lines[31], "0");  // the data chunk's last field, then the export
    EXPECT_EQ(std::vector(s.view.lines.begin() + 32, s.view.lines.end()),
              (std::vector<std::string>{"", "Extract File", "============", "DXT1 DDS File", "Extracting to: wall.DDS"}));
    EXPECT_EQ(s.session.ExportPath(), "wall.DDS");
    EXPECT_EQ(std::filesystem::file_size(s.out.path() / "wall.DDS"), 128u + 8u);
}

TEST(RshSession, AnOpenDrawsTheExportOnceAndRefreshDrawsItAgain) {
    TempDir dir;
    ExportingSession s;
    ASSERT_EQ(s.session.Open(dir.Write("wall.rsh", Dxt1File(4))).outcome, OpenResult::Outcome::Completed);
    EXPECT_TRUE(s.session.PreviewReady());
    ASSERT_EQ(s.pane.frames.size(), 1u);
    EXPECT_EQ(s.pane.frames[0].width, s.pane.ClientWidth());

    s.session.RenderPreview();
    EXPECT_EQ(s.pane.frames.size(), 2u);
    EXPECT_EQ(s.pane.frames[1].pixels, s.pane.frames[0].pixels);
}

TEST(RshSession, WithoutAPreviewDeviceTheOpenStopsBeforeReadingTheFile) {
    TempDir dir;
    RecordingView view;
    RecordingPane pane;
    RshSession session(view, pane, testing::MakeNoDeviceRuntime);
    const std::string path = dir.Write("wall.rsh", Dxt1File(4));

    EXPECT_EQ(session.Open(path).outcome, OpenResult::Outcome::DeviceUnavailable);
    EXPECT_FALSE(session.PreviewReady());
    EXPECT_EQ(session.SourcePath(), path);
    EXPECT_EQ(view.clears, 0);
    EXPECT_TRUE(view.lines.empty());
    EXPECT_EQ(view.status, "");
}

TEST(RshSession, UncompressedTexelsReachTheTgaWithRedAndBlueSwapped) {
    TempDir dir;
    const std::string path = dir.Write(
        "sky.rsh", WriteRshBytes(MakeTextureRecords(kImageTypeUncompressed, 1, 1, 1, 4), std::vector<std::uint8_t>{10, 20, 30, 40}));
    ExportingSession s;
    ASSERT_EQ(s.session.Open(path).outcome, OpenResult::Outcome::Completed);
    const auto tga = testing::ReadFileBytes(s.out.path() / "sky.TGA");
    ASSERT_EQ(tga.size(), 22u);
    EXPECT_EQ(std::vector(tga.begin() + 18, tga.end()), (std::vector<std::uint8_t>{30, 20, 10, 40}));
}

TEST(RshSession, AnUnknownTypeIsReportedAndKeepsTheEarlierExport) {
    TempDir dir;
    ExportingSession s;
    ASSERT_EQ(s.session.Open(dir.Write("wall.rsh", Dxt1File(4))).outcome, OpenResult::Outcome::Completed);
    const std::string odd = dir.Write("odd.rsh", WriteRshBytes(MakeTextureRecords(3, 4, 4, 1, 0), std::vector<std::uint8_t>{}));

    EXPECT_EQ(s.session.Open(odd).outcome, OpenResult::Outcome::Completed);
    EXPECT_EQ(s.view.lines.back(), "Unknown texture format");
    EXPECT_EQ(s.session.ExportPath(), "wall.DDS");
}

TEST(RshSession, AnExportThatCannotBeWrittenEndsWithAnErrorLine) {
    TempDir dir;
    ExportingSession s;
    std::filesystem::create_directory(s.out.path() / "wall.DDS");

    const OpenResult result = s.session.Open(dir.Write("wall.rsh", Dxt1File(4)));
    ASSERT_EQ(result.outcome, OpenResult::Outcome::Failed);
    const std::string& failure = result.failure;
    ASSERT_GE(s.view.lines.size(), 2u);
    EXPECT_EQ(s.view.lines[s.view.lines.size() - 2], "Extracting to: wall.DDS");
    EXPECT_EQ(s.view.lines.back(), "Error: " + failure);
}

TEST(RshSession, ASecondOpenReplacesTheWholeLog) {
    TempDir dir;
    ExportingSession s;
    ASSERT_EQ(s.session.Open(dir.Write("a.rsh", Dxt1File(4))).outcome, OpenResult::Outcome::Completed);
    ASSERT_EQ(s.session.Open(dir.Write("b.rsh", Dxt1File(8, 16))).outcome, OpenResult::Outcome::Completed);

    EXPECT_EQ(s.view.lines.size(), 37u);
    EXPECT_EQ(std::count(s.view.lines.begin(), s.view.lines.end(), "Width: 4"), 0);
    EXPECT_EQ(std::count(s.view.lines.begin(), s.view.lines.end(), "Width: 8"), 1);
}

TEST(RshSession, AShortFileEndsWithAnErrorLineAfterWhatWasRead) {
    TempDir dir;
    std::vector<std::uint8_t> bytes = Dxt1File(4);
    bytes.resize(100);  // inside the head chunk
    const std::string path = dir.Write("short.rsh", bytes);
    RecordingView view;
    RecordingPane pane;
    RshSession session(view, pane);

    const OpenResult result = session.Open(path);
    ASSERT_EQ(result.outcome, OpenResult::Outcome::Failed);
    const std::string& failure = result.failure;
    EXPECT_EQ(view.status, path);
    ASSERT_EQ(view.lines.size(), 12u);  // eleven lines of the first two records, then the error
    EXPECT_EQ(view.lines.back(), "Error: " + failure);
    EXPECT_NE(failure.find("the file ends at byte 100"), std::string::npos) << failure;
}

TEST(RshSession, AFileThatCannotBeOpenedKeepsThePreviousLogAndStatus) {
    TempDir dir;
    const std::string good = dir.Write("good.rsh", Dxt1File(4));
    ExportingSession s;
    ASSERT_EQ(s.session.Open(good).outcome, OpenResult::Outcome::Completed);
    const auto before = s.view.lines;

    const std::string missing = (dir.path() / "missing.rsh").string();
    const OpenResult result = s.session.Open(missing);
    ASSERT_EQ(result.outcome, OpenResult::Outcome::Failed);
    const std::string& failure = result.failure;
    EXPECT_NE(failure.find(missing), std::string::npos);
    EXPECT_EQ(s.session.SourcePath(), missing);
    EXPECT_EQ(s.view.status, good);
    EXPECT_EQ(s.view.clears, 1);
    ASSERT_EQ(s.view.lines.size(), before.size() + 1);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), s.view.lines.begin()));
    EXPECT_EQ(s.view.lines.back(), "Error: " + failure);
}

TEST(RshSession, TheInputFileIsClosedOnEveryPath) {
    TempDir dir;
    const std::string good = dir.Write("good.rsh", Dxt1File(4));
    std::vector<std::uint8_t> shortBytes = Dxt1File(4);
    shortBytes.resize(50);
    const std::string bad = dir.Write("bad.rsh", shortBytes);
    ExportingSession s;

    const auto before = OpenFileCount();
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(s.session.Open(good).outcome, OpenResult::Outcome::Completed);
        ASSERT_EQ(s.session.Open(bad).outcome, OpenResult::Outcome::Failed);
    }
    EXPECT_EQ(OpenFileCount(), before);
}

// A log sink that fails with something other than our error type on one line.
class ThrowingView : public RecordingView {
public:
    ThrowingView(std::size_t failingLine, std::function<void()> raise) : failingLine_(failingLine), raise_(std::move(raise)) {}
    void AddDebugLine(std::string_view text) override {
        if (++written_ == failingLine_) raise_();
        RecordingView::AddDebugLine(text);
    }

private:
    std::size_t failingLine_;
    std::size_t written_ = 0;
    std::function<void()> raise_;
};

struct ForeignFailure {
    const char* label;
    std::function<void()> raise;
    const char* reason;
};

const ForeignFailure kForeignFailures[] = {
    {"standard exception", [] { throw std::logic_error("sink broke"); }, "sink broke"},
    {"filesystem error", [] { throw std::filesystem::filesystem_error("disk gone", std::error_code()); }, "disk gone"},
    {"not an exception class", [] { throw 42; }, "an unexpected failure while loading "},
};

// Whatever a callee throws, the open ends in its one "Error: " line and a pane of background.
TEST(RshSession, AForeignExceptionFromTheLogEndsInTheErrorLine) {
    for (const ForeignFailure& c : kForeignFailures) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        ThrowingView view(5, c.raise);
        RecordingPane pane;
        RshSession session(view, pane);
        session.SetOutputFolder(dir.path());

        const OpenResult result = session.Open(dir.Write("wall.rsh", Dxt1File(4)));
        ASSERT_EQ(result.outcome, OpenResult::Outcome::Failed);
        EXPECT_NE(result.failure.find(c.reason), std::string::npos) << result.failure;
        ASSERT_EQ(view.lines.size(), 5u);  // four lines, the failing one lost, then the error
        EXPECT_EQ(view.lines.back(), "Error: " + result.failure);
        ASSERT_EQ(pane.frames.size(), 1u);
        EXPECT_TRUE(testing::DrawnBox(pane.frames[0]).Empty());
    }
}

TEST(RshSession, AForeignExceptionFromTheWriterEndsInTheErrorLineAndWritesNothing) {
    for (const ForeignFailure& c : kForeignFailures) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        ExportingSession s;
        s.session.SetExportWriter([&](const std::filesystem::path&, const std::function<void(OutputFile&)>&) { c.raise(); });

        const OpenResult result = s.session.Open(dir.Write("wall.rsh", Dxt1File(4)));
        ASSERT_EQ(result.outcome, OpenResult::Outcome::Failed);
        EXPECT_EQ(s.view.lines[s.view.lines.size() - 2], "Extracting to: wall.DDS");
        EXPECT_EQ(s.view.lines.back(), "Error: " + result.failure);
        EXPECT_TRUE(std::filesystem::is_empty(s.out.path()));
    }
}

}  // namespace
}  // namespace pelliton
