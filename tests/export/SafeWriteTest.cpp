// The rules that keep a modder's work when a file is written: read-only files, permissions, files
// that are inputs under another name, exports edited since, and interruptions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"
#include "export/InterruptCleanup.h"
#include "support/TempDir.h"

#ifdef __linux__
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pelliton {
namespace {

using testing::EntriesIn;
using testing::ReadFileBytes;
using testing::TempDir;

const std::vector<std::uint8_t> kOld(64, 0x42);
const std::vector<std::uint8_t> kNew = {1, 2, 3};

std::function<void(OutputFile&)> WriteNew() {
    return [](OutputFile& out) { out.Write(std::as_bytes(std::span(kNew))); };
}

std::string ErrorOf(const std::function<void()>& write) {
    try {
        write();
    } catch (const PellitonError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(SafeWrite, AReadOnlyFileIsRefusedAndStaysReadOnly) {
    TempDir dir;
    const auto target = std::filesystem::path(dir.Write("wall.DDS", kOld));
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
    for (const auto write : {WriteFileAtomically, WriteOnlyCopyAtomically}) {
        EXPECT_EQ(ErrorOf([&] { write(target, WriteNew()); }), "cannot write " + PathToUtf8(target) + ": it is read-only");
        EXPECT_EQ(ReadFileBytes(target), kOld);
        EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::owner_write,
                  std::filesystem::perms::none);
    }
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
    std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

// The same file under another name: the same spelling, a hard link, a symbolic link.
TEST(SafeWrite, AnInputIsRefusedAsOutputUnderAnyName) {
    TempDir dir;
    const std::string input = dir.Write("ig_baneblade_a.png", kOld);
    std::vector<std::filesystem::path> names = {PathFromUtf8(input), dir.path() / "." / "ig_baneblade_a.png"};
    std::filesystem::create_hard_link(PathFromUtf8(input), dir.path() / "hard.rsh");
    names.push_back(dir.path() / "hard.rsh");
#ifdef __linux__
    std::filesystem::create_symlink("ig_baneblade_a.png", dir.path() / "soft.rsh");
    names.push_back(dir.path() / "soft.rsh");
#endif
    for (const auto& output : names) {
        EXPECT_EQ(ErrorOf([&] { RefuseInputAsOutput(output, input); }),
                  "cannot write " + PathToUtf8(output) + ": it is the same file as the input " + input);
    }
    const std::string other = dir.Write("other.png", kOld);
    EXPECT_NO_THROW(RefuseInputAsOutput(PathFromUtf8(other), input));
    EXPECT_NO_THROW(RefuseInputAsOutput(dir.path() / "new.rsh", input));
}

TEST(SafeWrite, AnExportWithOtherContentIsKeptAndOneWithTheSameIsLeftAsItIs) {
    TempDir dir;
    const auto edited = std::filesystem::path(dir.Write("edited.DDS", kOld));
    EXPECT_THROW(WriteFileUnlessDifferent(edited, WriteNew()), ExistingFileDiffers);
    EXPECT_EQ(ReadFileBytes(edited), kOld);

    const auto same = std::filesystem::path(dir.Write("same.DDS", kNew));
    const auto before = std::filesystem::last_write_time(same);
    std::filesystem::last_write_time(same, before - std::chrono::hours(1));
    WriteFileUnlessDifferent(same, WriteNew());
    EXPECT_EQ(std::filesystem::last_write_time(same), before - std::chrono::hours(1));

    WriteFileUnlessDifferent(dir.path() / "new.DDS", WriteNew());
    EXPECT_EQ(ReadFileBytes(dir.path() / "new.DDS"), kNew);
    EXPECT_EQ(EntriesIn(dir.path()), 3u);
}

// What the handlers of Ctrl+C and termination signals do, on every platform: the temporary file
// goes at once, and the write cannot then put anything in the target's place.
TEST(SafeWrite, TheInterruptionCleanupRemovesTheTemporaryFileBeingWritten) {
    TempDir dir;
    const auto target = std::filesystem::path(dir.Write("a.rsh", kOld));
    std::size_t entriesAfterCleanup = 0;
    EXPECT_THROW(WriteOnlyCopyAtomically(target,
                                         [&](OutputFile& out) {
                                             out.Write(std::as_bytes(std::span(kNew)));
                                             RemoveRegisteredFiles();
                                             out.Write(std::as_bytes(std::span(kNew)));
                                             entriesAfterCleanup = EntriesIn(dir.path());
                                         }),
                 PellitonError);
#ifndef _WIN32
    EXPECT_EQ(entriesAfterCleanup, 1u);  // Windows lists a file deleted while open until it is closed
#endif
    EXPECT_EQ(ReadFileBytes(target), kOld);
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

#ifdef __linux__
TEST(SafeWrite, AReplacedFileKeepsItsPermissions) {
    TempDir dir;
    for (const mode_t mode : {0600, 0640, 0755}) {
        const auto target = std::filesystem::path(dir.Write("wall.rsh", kOld));
        ASSERT_EQ(chmod(target.c_str(), mode), 0);
        for (const auto write : {WriteFileAtomically, WriteOnlyCopyAtomically}) {
            write(target, WriteNew());
            struct stat status {};
            ASSERT_EQ(stat(target.c_str(), &status), 0);
            EXPECT_EQ(status.st_mode & 07777, mode);
            EXPECT_EQ(ReadFileBytes(target), kNew);
        }
    }
}

// Its folder may not be written even though the file may: the message names the folder. A
// privileged user writes into any folder, so the write runs as an ordinary user then.
TEST(SafeWriteDeathTest, AFolderThatCannotBeWrittenIsNamed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "locked");
    const auto target = std::filesystem::path(dir.Write("locked/a.rsh", kOld));
    const auto all = std::filesystem::perms::all;
    std::filesystem::permissions(dir.path(), all);
    std::filesystem::permissions(target, all & ~std::filesystem::perms::owner_exec & ~std::filesystem::perms::group_exec &
                                             ~std::filesystem::perms::others_exec);
    std::filesystem::permissions(dir.path() / "locked", all & ~std::filesystem::perms::owner_write &
                                                            ~std::filesystem::perms::group_write &
                                                            ~std::filesystem::perms::others_write);
    const std::string expected = "cannot write " + PathToUtf8(target) + ": the folder " +
                                 PathToUtf8(dir.path() / "locked") + " is not writable";
    EXPECT_EXIT(
        {
            constexpr uid_t kNobody = 65534;
            if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) std::_Exit(2);
            std::_Exit(ErrorOf([&] { WriteOnlyCopyAtomically(target, WriteNew()); }) == expected ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::filesystem::permissions(dir.path() / "locked", all);
    EXPECT_EQ(ReadFileBytes(target), kOld);
    EXPECT_EQ(EntriesIn(dir.path() / "locked"), 1u);
}

// The signal arrives in the middle of the content; the program ends by it, as without us, and
// leaves the old file alone and no temporary file.
TEST(SafeWriteDeathTest, ATerminationSignalDuringTheWriteLeavesNoTemporaryFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDir dir;
    const auto target = std::filesystem::path(dir.Write("a.rsh", kOld));
    for (const int signal : {SIGTERM, SIGINT}) {
        EXPECT_EXIT(WriteOnlyCopyAtomically(target,
                                            [signal](OutputFile& out) {
                                                out.Write(std::as_bytes(std::span(kNew)));
                                                raise(signal);
                                            }),
                    ::testing::KilledBySignal(signal), "");
        EXPECT_EQ(ReadFileBytes(target), kOld);
        EXPECT_EQ(EntriesIn(dir.path()), 1u);
    }
}
#endif

}  // namespace
}  // namespace pelliton
