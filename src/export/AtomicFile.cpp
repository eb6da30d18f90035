#include "export/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"

#ifdef __linux__
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#endif

namespace pelliton {

namespace {

// How the finished file takes the target's place.
enum class Replacement { Swap, Rename };

// The error of a write or flush that failed, with the reason errno gives.
PellitonError WriteFailed(const std::filesystem::path& target) {
    return PellitonError("writing " + PathToUtf8(target) + " failed: " + std::strerror(errno));
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A short name of fixed length: a target name as long as the file system allows must still
// leave room for it, so it is not derived from the target's name.
std::string TemporaryName(std::random_device& random) {
    char name[sizeof ".pelliton-00000000.tmp"];
    std::snprintf(name, sizeof name, ".pelliton-%08x.tmp", static_cast<unsigned>(random()));
    return name;
}

// Opens a new file for writing; fails with EEXIST rather than reuse a file of that name.
std::FILE* CreateNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
    // The C runtime ignores fopen's "x" here; only the open flags make the creation exclusive.
    const int descriptor = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) return nullptr;
    std::FILE* file = _fdopen(descriptor, "wb");
    if (!file) _close(descriptor);
    return file;
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

#ifdef __linux__
// Swaps the finished file with an existing regular target and removes the old content. False when
// the target is not such a file or the file system cannot swap: then a rename does the work.
bool SwapWithTarget(const std::filesystem::path& finished, const std::filesystem::path& target) {
    struct stat status {};
    if (lstat(target.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    if (renameat2(AT_FDCWD, finished.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) != 0) return false;
    unlink(finished.c_str());  // the old content; the target is already in place
    return true;
}
#endif

// Puts the finished file in the target's place; throws, naming the reason, when it cannot.
void ReplaceTarget(const std::filesystem::path& finished, const std::filesystem::path& target,
                   [[maybe_unused]] Replacement replacement) {
#ifdef __linux__
    if (replacement == Replacement::Swap && SwapWithTarget(finished, target)) return;
#endif
#ifdef _WIN32
    if (MoveFileExW(finished.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    const DWORD error = GetLastError();
    std::string reason;
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        reason = "another program has it open";
    } else if (error == ERROR_ACCESS_DENIED) {
        reason = "access is denied (another program may have it open, or it is read-only)";
    } else {
        reason = std::system_category().message(static_cast<int>(error));
    }
#else
    std::error_code error;
    std::filesystem::rename(finished, target, error);
    if (!error) return;
    const std::string reason = error.message();
#endif
    throw PellitonError("cannot replace " + PathToUtf8(target) + ": " + reason);
}

// Removes the temporary file unless it was moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        std::random_device random;
        for (int attempt = 0; attempt < 16 && !handle_; ++attempt) {
            path_ = target.parent_path() / TemporaryName(random);  // the same folder: the rename stays on one disk
            handle_.reset(CreateNewFile(path_));
            if (!handle_ && errno != EEXIST) break;
        }
        if (!handle_) throw PellitonError("cannot create " + PathToUtf8(target) + ": " + std::strerror(errno));
    }
    ~TemporaryFile() {
        handle_.reset();
        if (!moved_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    std::FILE* get() const { return handle_.get(); }

    void MoveOver(const std::filesystem::path& target, Replacement replacement) {
        if (std::fclose(handle_.release()) != 0) {
            throw WriteFailed(target);
        }
        ReplaceTarget(path_, target, replacement);
        moved_ = true;
    }

private:
    std::filesystem::path path_;
    FileHandle handle_;
    bool moved_ = false;
};

}  // namespace

void OutputFile::Write(std::span<const std::byte> bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        throw WriteFailed(target_);
    }
}

void OutputFile::Write(const ByteRange& content) {
    if (content.source == nullptr) {
        Write(std::as_bytes(content.bytes));
        return;
    }
    std::uint64_t offset = content.offset;
    std::uint64_t length = content.length;
    CopyByKernel(*content.source, offset, length);
    // What the kernel could not copy goes through a buffer of a size that stays in the cache.
    constexpr std::uint64_t kSliceBytes = 1 << 20;
    std::vector<std::uint8_t> slice(static_cast<std::size_t>(std::min(length, kSliceBytes)));
    while (length > 0) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(length, slice.size()));
        content.source->ReadAt(offset, std::span(slice).first(count));
        Write(std::as_bytes(std::span(slice).first(count)));
        offset += count;
        length -= count;
    }
}

void OutputFile::Reserve([[maybe_unused]] std::uint64_t bytes) {
#ifdef __linux__
    // The length stays what is written: the stream's position and the copies' ends depend on it.
    if (bytes > 0) fallocate(fileno(file_), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes));  // a third off the write on ext4
#endif
}

// Leaves offset and length at what remains; the rest is copied in user space.
void OutputFile::CopyByKernel([[maybe_unused]] const ByteSource& source, [[maybe_unused]] std::uint64_t& offset,
                              [[maybe_unused]] std::uint64_t& length) {
#ifdef __linux__
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
#endif
}

namespace {

void WriteThenReplace(const std::filesystem::path& target, const std::function<void(OutputFile&)>& writeContent,
                      Replacement replacement) {
    TemporaryFile temporary(target);
    OutputFile output(temporary.get(), target);
    writeContent(output);
    if (std::fflush(temporary.get()) != 0) {
        throw WriteFailed(target);
    }
    temporary.MoveOver(target, replacement);
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& target, const std::function<void(OutputFile&)>& writeContent) {
    WriteThenReplace(target, writeContent, Replacement::Swap);
}

void WriteOnlyCopyAtomically(const std::filesystem::path& target,
                             const std::function<void(OutputFile&)>& writeContent) {
    WriteThenReplace(target, writeContent, Replacement::Rename);
}

}  // namespace pelliton
