// Tests of pelliton-extract: what it prints where, and its exit status, in-process and as a program.
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cli/extract/ExtractProgram.h"
#include "cli/extract/InProcessExtract.h"
#include "common/Utf8Path.h"
#include "rshwrite/RshWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::TempDir;

// One DXT1 block of 4 x 4 texels, and the log it gives, written out by hand.
std::vector<std::uint8_t> TinyDxt1File() {
    const std::vector<std::uint8_t> block(8, 0x5a);
    return WriteRshBytes(MakeTextureRecords(kImageTypeDxt1, 4, 4, 1, 8), block);
}
constexpr std::string_view kTinyLogBeforeDataChunk =
    "Relic Chunky\n1\n1\n"
    "FOLD\nSHRF\n138\nsample\n"
    "FOLD\nTXTR\n112\nsample\n"
    "DATA\nHEAD\n1\n8\n0\n0\n1\n"
    "DATA\nATTR\n1\n16\n0\nImage Type: 8\nWidth: 4\nHeight: 4\nMIP Levels: 1\n";
constexpr std::string_view kTinyLogOfRecords = "DATA\nDATA\n1\n8\n0\n";
// The whole log of a tiny file of that stem: its records, then its export.
std::string TinyLog(const std::string& stem) {
    return std::string(kTinyLogBeforeDataChunk) + std::string(kTinyLogOfRecords) +
           "\nExtract File\n============\nDXT1 DDS File\nExtracting to: " + stem + ".DDS\n";
}

using Result = testing::ExtractResult;
using testing::Extract;

// The reason of a failure on stderr, after checking the line's shape.
std::string FailureReason(const std::string& err, const std::string& file) {
    const std::string prefix = "pelliton-extract: " + file + ": ";
    EXPECT_TRUE(err.starts_with(prefix)) << err;
    EXPECT_TRUE(err.ends_with("\n")) << err;
    if (err.size() <= prefix.size() + 1) return {};
    return err.substr(prefix.size(), err.size() - prefix.size() - 1);
}

TEST(ExtractCommand, PrintsExactlyTheLogOfAGoodFileAndWritesItsExportIntoTheFolder) {
    const TempDir dir;
    const TempDir out;
    const Result result = Extract({"-C", out.path().string(), dir.Write("tiny.rsh", TinyDxt1File())});
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.out, TinyLog("tiny"));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(std::filesystem::file_size(out.path() / "tiny.DDS"), 128u + 8u);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "tiny.DDS"));
}

TEST(ExtractCommand, PrintsTheLogsOfSeveralFilesInArgumentOrder) {
    const TempDir dir;
    const std::string tiny = dir.Write("tiny.rsh", TinyDxt1File());
    const std::vector<std::uint8_t> twoBlocks(32, 0x33);
    const std::string other =
        dir.Write("other.rsh", WriteRshBytes(MakeTextureRecords(kImageTypeDxt5, 8, 4, 1, 32), twoBlocks));
    const std::string folder = dir.path().string();
    const std::string otherLog = Extract({"-C", folder, other}).out;
    ASSERT_NE(otherLog, TinyLog("tiny"));

    const std::string third = dir.Write("third.rsh", TinyDxt1File());

    const Result result = Extract({"-C", folder, tiny, other, third});
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.out, TinyLog("tiny") + otherLog + TinyLog("third"));
}

// Two sources of one name in different folders: the first export stays, the second is refused.
TEST(ExtractCommand, AnExportThatWouldReplaceAnEarlierOneOfTheRunIsNotWritten) {
    const TempDir dir;
    const TempDir out;
    std::filesystem::create_directories(dir.path() / "a");
    std::filesystem::create_directories(dir.path() / "b");
    const std::string first = dir.Write("a/hull.rsh", TinyDxt1File());
    const std::vector<std::uint8_t> otherBlock(8, 0x11);
    const std::string second =
        dir.Write("b/hull.rsh", WriteRshBytes(MakeTextureRecords(kImageTypeDxt1, 4, 4, 1, 8), otherBlock));
    const std::string third = dir.Write("b/deck.rsh", TinyDxt1File());
    ASSERT_EQ(Extract({"-C", dir.path().string(), first}).status, kExitOk);
    const auto firstExport = testing::ReadFileBytes(dir.path() / "hull.DDS");

    const Result result = Extract({"-C", out.path().string(), first, second, third});
    EXPECT_EQ(result.status, kExitFileFailed);
    EXPECT_EQ(FailureReason(result.err, second), "hull.DDS would replace the export of " + first + "; not written");
    EXPECT_EQ(testing::ReadFileBytes(out.path() / "hull.DDS"), firstExport);
    EXPECT_TRUE(std::filesystem::exists(out.path() / "deck.DDS")) << "later files still run";
    EXPECT_NE(result.out.find("Extracting to: hull.DDS\nError: hull.DDS would replace"), std::string::npos) << result.out;
}

// As the window does: its own export is replaced, but never a read-only file, nor the file read
// (an export name that is a link to the source), nor an input as the preview.
TEST(ExtractCommand, NeitherAReadOnlyExportNorAnInputIsWritten) {
    const TempDir dir;
    const auto tiny = TinyDxt1File();
    const std::string readOnly = dir.Write("locked.rsh", tiny);
    const std::string locked = dir.Write("locked.DDS", {1, 2, 3});
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    const std::string linked = dir.Write("linked.rsh", tiny);
    std::filesystem::create_hard_link(linked, dir.path() / "linked.DDS");

    const Result exported = Extract({"-C", dir.path().string(), readOnly, linked});
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_EQ(exported.status, kExitFileFailed);
    const std::string linkedExport = PathToUtf8(std::filesystem::absolute(dir.path() / "linked.DDS"));
    EXPECT_EQ(exported.err, "pelliton-extract: " + readOnly + ": cannot write " +
                                PathToUtf8(std::filesystem::absolute(dir.path() / "locked.DDS")) +
                                ": it is read-only\npelliton-extract: " + linked + ": cannot write " + linkedExport +
                                ": it is the same file as the input " + linked + "\n");
    EXPECT_EQ(testing::ReadFileBytes(locked), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(testing::ReadFileBytes(linked), tiny);

    const Result preview = Extract({"-C", dir.path().string(), "--preview", linked, linked});
    EXPECT_EQ(preview.status, kExitFileFailed);
    EXPECT_EQ(preview.err, "pelliton-extract: cannot write " + linked + ": it is the same file as the input " + linked + "\n");
    EXPECT_EQ(preview.out, "");
    EXPECT_EQ(testing::ReadFileBytes(linked), tiny);
}

TEST(ExtractCommand, AFileThatExportsNothingIsReportedAndFailsTheRun) {
    const TempDir dir;
    const std::string odd = dir.Write("odd.rsh", WriteRshBytes(MakeTextureRecords(3, 4, 4, 1, 0), {}));
    const std::string tiny = dir.Write("tiny.rsh", TinyDxt1File());

    const Result result = Extract({"-C", dir.path().string(), odd, tiny});
    EXPECT_EQ(result.status, kExitFileFailed);
    EXPECT_EQ(FailureReason(result.err, odd), "nothing exported: image type 3 is an unknown texture format");
    EXPECT_TRUE(result.out.ends_with("Unknown texture format\n" + TinyLog("tiny"))) << result.out;
}

TEST(ExtractCommand, VersionPrintsTheVersionLine) {
    const Result result = Extract({"--version"});
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.out, "pelliton-extract 1.0.0\n");
    EXPECT_EQ(result.err, "");
}

TEST(ExtractCommand, TruncatedFileEndsItsLogWithTheErrorAndTheNextFileStillRuns) {
    const TempDir dir;
    std::vector<std::uint8_t> truncated = TinyDxt1File();
    truncated.resize(truncated.size() - 3);  // cuts into the texel data
    const std::string cut = dir.Write("cut.rsh", truncated);
    const std::string tiny = dir.Write("tiny.rsh", TinyDxt1File());

    const Result result = Extract({"-C", dir.path().string(), cut, tiny});
    EXPECT_EQ(result.status, kExitFileFailed);
    const std::string reason = FailureReason(result.err, cut);
    ASSERT_FALSE(reason.empty());
    EXPECT_EQ(result.out, std::string(kTinyLogBeforeDataChunk) + "Error: " + reason + "\n" + TinyLog("tiny"));
}

TEST(ExtractCommand, MissingFileIsReportedOnBothStreams) {
    const TempDir dir;
    const std::string missing = (dir.path() / "missing.rsh").string();
    const Result result = Extract({missing});
    EXPECT_EQ(result.status, kExitFileFailed);
    const std::string reason = FailureReason(result.err, missing);
    EXPECT_NE(reason.find(missing), std::string::npos) << reason;
    EXPECT_EQ(result.out, "Error: " + reason + "\n");
}

TEST(ExtractCommand, AFailureToWriteTheLogIsAFailure) {
    const TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    const std::vector<std::string> args{"-C", dir.path().string(), dir.Write("tiny.rsh", TinyDxt1File())};
    EXPECT_EQ(RunExtract(args, out, err), kExitFileFailed);
    EXPECT_EQ(err.str(), "pelliton-extract: cannot write standard output\n");
}

// Runs in a folder holding good.rsh and -dash.rsh, so that arguments can be bare names; exports land there.
class ExtractArguments : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.Write("good.rsh", TinyDxt1File());
        dir_.Write("-dash.rsh", TinyDxt1File());
        std::filesystem::create_directory(dir_.path() / "out");
        saved_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
    }
    void TearDown() override { std::filesystem::current_path(saved_); }

private:
    TempDir dir_;
    std::filesystem::path saved_;
};

enum class Out { kNothing, kHelp, kGoodLog, kErrorLine };
enum class Err { kNothing, kUsage, kFileFailure };

struct ArgumentCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    Out out;
    Err err;
};

TEST_F(ExtractArguments, ExitStatusAndStreamsFollowTheArguments) {
    const std::vector<ArgumentCase> cases = {
        {"no arguments", {}, kExitUsage, Out::kNothing, Err::kUsage},
        {"only --", {"--"}, kExitUsage, Out::kNothing, Err::kUsage},
        {"unknown long option", {"--bogus", "good.rsh"}, kExitUsage, Out::kNothing, Err::kUsage},
        {"unknown short option after a file", {"good.rsh", "-x"}, kExitUsage, Out::kNothing, Err::kUsage},
        {"dash file taken as an option", {"-dash.rsh"}, kExitUsage, Out::kNothing, Err::kUsage},
        {"dash file after --", {"--", "-dash.rsh"}, kExitOk, Out::kGoodLog, Err::kNothing},
        {"relative path", {"good.rsh"}, kExitOk, Out::kGoodLog, Err::kNothing},
        {"-C without a folder", {"good.rsh", "-C"}, kExitUsage, Out::kNothing, Err::kUsage},
        {"-C leaves input paths alone", {"-C", "out", "good.rsh"}, kExitOk, Out::kGoodLog, Err::kNothing},
        {"-C to a missing folder", {"-C", "nowhere", "good.rsh"}, kExitUsage, Out::kNothing, Err::kUsage},
        {"-C to a file", {"-C", "good.rsh", "good.rsh"}, kExitUsage, Out::kNothing, Err::kUsage},
        {"help", {"--help"}, kExitOk, Out::kHelp, Err::kNothing},
        {"short help", {"-h"}, kExitOk, Out::kHelp, Err::kNothing},
        {"help wins over files", {"good.rsh", "--help"}, kExitOk, Out::kHelp, Err::kNothing},
        {"--help after -- is a file", {"--", "--help"}, kExitFileFailed, Out::kErrorLine, Err::kFileFailure},
        {"lone dash is a file", {"-"}, kExitFileFailed, Out::kErrorLine, Err::kFileFailure},
    };
    for (const ArgumentCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Result result = Extract(c.args);
        EXPECT_EQ(result.status, c.status);
        switch (c.out) {
            case Out::kNothing: EXPECT_EQ(result.out, ""); break;
            case Out::kHelp: EXPECT_TRUE(result.out.starts_with("Usage: pelliton-extract ")) << result.out; break;
            case Out::kGoodLog: EXPECT_EQ(result.out, TinyLog(c.args.back() == "good.rsh" ? "good" : "-dash")); break;
            case Out::kErrorLine: EXPECT_TRUE(result.out.starts_with("Error: ")) << result.out; break;
        }
        switch (c.err) {
            case Err::kNothing: EXPECT_EQ(result.err, ""); break;
            case Err::kUsage:
                EXPECT_TRUE(result.err.starts_with("pelliton-extract: ")) << result.err;
                EXPECT_NE(result.err.find("Usage: pelliton-extract "), std::string::npos) << result.err;
                break;
            case Err::kFileFailure: EXPECT_FALSE(FailureReason(result.err, c.args.back()).empty()); break;
        }
    }
}

// Nothing is read before a bad -C is found, and the message says what is wrong with it.
TEST_F(ExtractArguments, AnOutputFolderThatIsNoFolderIsNamed) {
    EXPECT_TRUE(Extract({"-C", "nowhere", "good.rsh"}).err.starts_with("pelliton-extract: -C nowhere: no such directory\n"));
    EXPECT_TRUE(Extract({"-C", "good.rsh", "good.rsh"}).err.starts_with("pelliton-extract: -C good.rsh: not a directory\n"));
    EXPECT_FALSE(std::filesystem::exists("good.DDS"));
}

TEST_F(ExtractArguments, WritesIntoTheCurrentDirectoryByDefault) {
    ASSERT_EQ(Extract({"good.rsh"}).status, kExitOk);
    EXPECT_TRUE(std::filesystem::exists("good.DDS"));
    EXPECT_FALSE(std::filesystem::exists("out/good.DDS"));
}

// The real program, to check what main() adds: argument forwarding, the two streams and the exit status.
TEST(ExtractProgram, PrintsTheLogAndExitsWithTheStatus) {
    const TempDir dir;
    const std::string good = dir.Write("good.rsh", TinyDxt1File());
    const testing::ProgramRun run =
        testing::RunProgram(PELLITON_EXTRACT_PROGRAM, {"-C", dir.path().string(), good, good + ".missing"}, dir);

    EXPECT_EQ(run.status, kExitFileFailed);
    EXPECT_TRUE(run.out.starts_with(TinyLog("good") + "Error: ")) << run.out;
    EXPECT_FALSE(FailureReason(run.err, good + ".missing").empty());
}

// Each argument arrives as the one file name it was, whatever the console's code page or the
// command line's quoting rules would make of it.
TEST(ExtractProgram, FileNamesArriveIntact) {
    const TempDir dir;
    const std::vector<std::string> stems = {"two words", "Gr\u00f6\u00dfe \u2713", "semi;colon & amp"};
    for (const std::string& stem : stems) {
        SCOPED_TRACE(stem);
        const testing::ProgramRun run =
            testing::RunProgram(PELLITON_EXTRACT_PROGRAM, {"-C", dir.path().string(), dir.Write(stem + ".rsh", TinyDxt1File())}, dir);
        EXPECT_EQ(run.status, kExitOk) << run.err;
        EXPECT_EQ(run.out, TinyLog(stem));
        EXPECT_TRUE(std::filesystem::exists(dir.path() / PathFromUtf8(stem + ".DDS")));
    }
    // Names no file can have on Windows still come back unchanged in the failure.
    const std::vector<std::string> missing = {"", "a \"quoted\" name", "tab\there", "trailing\\", "trailing \\\\", "\\\"x"};
    for (const std::string& name : missing) {
        SCOPED_TRACE(name);
        const testing::ProgramRun run = testing::RunProgram(PELLITON_EXTRACT_PROGRAM, {"--", name}, dir);
        EXPECT_EQ(run.status, kExitFileFailed);
        EXPECT_FALSE(FailureReason(run.err, name).empty()) << run.err;
    }
}

}  // namespace
}  // namespace pelliton
