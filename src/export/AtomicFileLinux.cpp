// Writing a file atomically on Linux: names swapped with the target, lengths reserved ahead, and
// ranges of files copied by the kernel.
#include "export/AtomicFile.h"
#include "export/AtomicFilePlatform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

std::filesystem::path FollowLinks(const std::filesystem::path& target) {
    // As many links as the kernel itself follows in one name.
    constexpr int kMostLinks = 40;
    std::filesystem::path file = target;
    for (int link = 0; link <= kMostLinks; ++link) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) return file;
        const std::filesystem::path next = std::filesystem::read_symlink(file, error);
        if (error) throw PellitonError("cannot follow the link " + PathToUtf8(target) + ": " + error.message());
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    throw PellitonError("cannot follow the link " + PathToUtf8(target) + ": too many levels of links");
}

bool IsReadOnly(const std::filesystem::path& file) {
    struct stat status {};
    if (stat(file.c_str(), &status) != 0) return false;
    // The permission bits count even for a user the system lets write anything.
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(file.c_str(), W_OK) != 0;
}

void TakePermissionsOf(std::FILE* file, const std::filesystem::path& replaced) {
    struct stat status {};
    if (stat(replaced.c_str(), &status) != 0) return;
    const int descriptor = fileno(file);
    // The owner first: changing it clears the set-user and set-group bits that the mode then restores.
    // Only a privileged user may give a file away; others keep their own ownership.
    if (fchown(descriptor, status.st_uid, status.st_gid) != 0) {
        [[maybe_unused]] const int groupOnly = fchown(descriptor, static_cast<uid_t>(-1), status.st_gid);
    }
    if (fchmod(descriptor, status.st_mode & 07777) != 0) {
        throw PellitonError("cannot give the new " + PathToUtf8(replaced) +
                            " the permissions of the old one: " + std::strerror(errno));
    }
}

void FileOutput::Reserve(std::uint64_t bytes) {
    // The length stays what is written: the stream's position and the copies' ends depend on it.
    if (bytes > 0) fallocate(fileno(file_), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes));  // a third off the write on ext4
}

// Leaves offset and length at what remains; the rest is copied in user space.
void FileOutput::CopyByKernel(const ByteSource& source, std::uint64_t& offset, std::uint64_t& length) {
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
