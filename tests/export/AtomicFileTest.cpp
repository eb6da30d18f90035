// Writing through a temporary file: the target appears whole or stays as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "common/FileSource.h"
#include "export/AtomicFile.h"
#include "support/PatternBytes.h"
#include "support/TempDir.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace pelliton {
namespace {

using testing::EntriesIn;
using testing::ReadFileBytes;
using testing::TempDir;

std::span<const std::byte> Bytes(const std::vector<std::uint8_t>& bytes) { return std::as_bytes(std::span(bytes)); }

TEST(AtomicFile, AFailureWhileWritingLeavesTheExistingFileAndNoTemporaryFile) {
    TempDir dir;
    const std::vector<std::uint8_t> good(64, 0x42);
    const auto target = dir.path() / "wall.DDS";
    dir.Write("wall.DDS", good);

    EXPECT_THROW(WriteFileAtomically(target,
                                     [&](OutputFile& out) {
                                         out.Write(Bytes(std::vector<std::uint8_t>(10, 1)));
                                         throw PellitonError("disk full");
                                     }),
                 PellitonError);
    EXPECT_EQ(ReadFileBytes(target), good);
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

// Both ways of putting the finished file in place: swapping names with the target where the system
// can, and a plain rename.
struct Writer {
    const char* name;
    void (*write)(const std::filesystem::path&, const std::function<void(OutputFile&)>&);
    friend void PrintTo(const Writer& w, std::ostream* os) { *os << w.name; }
};

class EitherWriter : public ::testing::TestWithParam<Writer> {
protected:
    void Write(const std::vector<std::uint8_t>& content) {
        GetParam().write(target, [&](OutputFile& out) { out.Write(Bytes(content)); });
    }

    TempDir dir;
    const std::filesystem::path target = dir.path() / "wall.DDS";
};

TEST_P(EitherWriter, ALongerExistingFileIsReplacedWhole) {
    dir.Write("wall.DDS", std::vector<std::uint8_t>(500, 0xEE));
    Write({1, 2, 3});
    EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST_P(EitherWriter, ATargetThatIsAFolderIsAnErrorAndLeavesNothingBehind) {
    std::filesystem::create_directory(target);
    std::filesystem::create_directory(target / "inside");

    try {
        Write({1, 2});
        FAIL() << "writing over a folder succeeded";
    } catch (const PellitonError& error) {
        EXPECT_NE(std::string(error.what()).find("wall.DDS"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    EXPECT_EQ(EntriesIn(target), 1u);
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

#ifdef __linux__
// A modder's link (a texture kept in one place, linked into a mod) stays a link; the file it names
// takes the content, and no temporary file is left in either folder.
TEST_P(EitherWriter, ATargetThatIsASymbolicLinkIsWrittenThroughAndTheLinkStays) {
    std::filesystem::create_directory(dir.path() / "kept");
    const auto real = std::filesystem::path(dir.Write("kept/real.DDS", std::vector<std::uint8_t>(40, 0x11)));
    std::filesystem::create_symlink("kept/real.DDS", target);

    Write({4, 5, 6});
    EXPECT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(target)));
    EXPECT_EQ(ReadFileBytes(real), (std::vector<std::uint8_t>{4, 5, 6}));
    EXPECT_EQ(EntriesIn(dir.path()), 2u);
    EXPECT_EQ(EntriesIn(dir.path() / "kept"), 1u);
}

// A program reading the old file when the new one arrives reads the old one to its end.
TEST_P(EitherWriter, AReaderOfTheOldFileKeepsReadingItWhileThePathShowsTheNewOne) {
    const std::vector<std::uint8_t> old = testing::PatternBytes(100000, 3);
    dir.Write("wall.DDS", old);
    std::ifstream reader(target, std::ios::binary);
    ASSERT_TRUE(reader);

    Write({9, 9});
    const std::vector<std::uint8_t> read{std::istreambuf_iterator<char>(reader), std::istreambuf_iterator<char>()};
    EXPECT_EQ(read, old);
    EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{9, 9}));
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}
#endif

INSTANTIATE_TEST_SUITE_P(AtomicFile, EitherWriter,
                         ::testing::Values(Writer{"WriteFileAtomically", WriteFileAtomically},
                                           Writer{"WriteOnlyCopyAtomically", WriteOnlyCopyAtomically}),
                         [](const auto& info) { return std::string(info.param.name); });

// Told the length up front, the file is that long and holds what was written, piece by piece.
// The reservation must not move where the pieces land, whether a piece comes from memory or is
// copied from another file by the kernel, nor make the file longer than what was written.
TEST(AtomicFile, AReservedLengthChangesNeitherWhereThePiecesLandNorTheLength) {
    TempDir dir;
    const std::vector<std::uint8_t> head = {1, 2, 3}, body = testing::PatternBytes(300000, 5), tail = {7, 8};
    const FileSource source(dir.Write("source.bin", body));
    std::vector<std::uint8_t> expected = head;
    expected.insert(expected.end(), body.begin(), body.end());
    expected.insert(expected.end(), tail.begin(), tail.end());

    struct Case {
        const char* name;
        ByteRange middle;
        std::size_t reserved;
    };
    const Case cases[] = {
        {"from memory", ByteRange::InMemory(body), expected.size()},
        {"copied from a file", ByteRange::Of(source, 0, body.size()), expected.size()},
        {"more reserved than written", ByteRange::InMemory(body), expected.size() + 100000},
    };
    for (const Case& written : cases) {
        SCOPED_TRACE(written.name);
        const auto target = dir.path() / "wall.DDS";
        WriteFileAtomically(target, [&](OutputFile& out) {
            out.Reserve(written.reserved);
            out.Write(ByteRange::InMemory(head));
            out.Write(written.middle);
            out.Write(ByteRange::InMemory(tail));
        });
        EXPECT_EQ(ReadFileBytes(target), expected);
    }
}

// A name of 250 bytes is legal where names may have 255; a temporary name derived from it would not be.
TEST(AtomicFile, TheTemporaryFileHasAShortNameInTheTargetsFolder) {
    TempDir dir;
    for (const std::size_t length : {1u, 250u, 255u}) {
        const auto target = dir.path() / std::string(length, 'n');
        std::vector<std::string> seenWhileWriting;
        WriteFileAtomically(target, [&](OutputFile& out) {
            for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
                seenWhileWriting.push_back(entry.path().filename().string());
            }
            out.Write(Bytes({7}));
        });
        EXPECT_EQ(ReadFileBytes(target), std::vector<std::uint8_t>{7}) << length;
        std::filesystem::remove(target);
        ASSERT_EQ(seenWhileWriting.size(), 1u);
        EXPECT_EQ(seenWhileWriting[0].size(), std::string(".pelliton-12345678.tmp").size()) << seenWhileWriting[0];
    }
    EXPECT_EQ(EntriesIn(dir.path()), 0u);
}

// Worded as Linux words it on Windows too: the logs of both programs are compared byte for byte.
TEST(AtomicFile, AFolderThatDoesNotExistIsAnErrorThatSaysSo) {
    TempDir dir;
    const auto target = dir.path() / "no" / "wall.DDS";
    try {
        WriteFileAtomically(target, [](OutputFile&) {});
        ADD_FAILURE() << "no error";
    } catch (const PellitonError& error) {
        EXPECT_EQ(std::string(error.what()), "cannot create " + PathToUtf8(target) + ": No such file or directory");
    }
    EXPECT_EQ(EntriesIn(dir.path()), 0u);
}

// Windows opens files by UTF-16 name; a narrow name would lose these letters to the code page.
TEST(AtomicFile, ANameBeyondAsciiIsWrittenAsItIsSpelled) {
    TempDir dir;
    const auto target = dir.path() / PathFromUtf8("w\xC3\xA4ll-\xC3\x9F-\xE6\x97\xA5\xE6\x9C\xAC.DDS");
    WriteFileAtomically(target, [](OutputFile& out) { out.Write(Bytes({5, 6})); });
    EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{5, 6}));
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

#ifdef _WIN32
// Windows cannot replace a file that another program holds open without sharing; the reason must
// say so, and the file must stay as it was.
TEST(AtomicFile, ATargetHeldOpenByAnotherProgramIsAnErrorAndStaysIntact) {
    TempDir dir;
    const std::vector<std::uint8_t> good(32, 0x42);
    const auto target = dir.path() / "wall.DDS";
    dir.Write("wall.DDS", good);
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    std::string reason;
    try {
        WriteFileAtomically(target, [](OutputFile& out) { out.Write(Bytes({1, 2, 3})); });
    } catch (const PellitonError& error) {
        reason = error.what();
    }
    CloseHandle(held);
    EXPECT_NE(reason.find("cannot replace"), std::string::npos) << reason;
    EXPECT_NE(reason.find("another program"), std::string::npos) << reason;
    EXPECT_EQ(ReadFileBytes(target), good);
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}
#endif

}  // namespace
}  // namespace pelliton
