#include "export/AtomicFile.h"
#include "export/AtomicFilePlatform.h"
#include "export/ContentComparison.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "common/FileIdentity.h"
#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/InterruptCleanup.h"

namespace pelliton {

PellitonError WriteFailed(const std::filesystem::path& target) {
    return PellitonError("writing " + PathToUtf8(target) + " failed: " + std::strerror(errno));
}

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A short name of fixed length: a target name as long as the file system allows must still
// leave room for it, so it is not derived from the target's name.
std::string TemporaryName() {
    // Seeded once a thread: a folder batch names thousands of files, and each name need only be
    // unlikely to be taken.
    thread_local std::minstd_rand random(std::random_device{}());
    char name[sizeof ".pelliton-00000000.tmp"];
    std::snprintf(name, sizeof name, ".pelliton-%08x.tmp", static_cast<unsigned>(random()));
    return name;
}

std::string FolderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? PathToUtf8(target.parent_path()) : ".";
}

// Why a temporary file could not be made beside the target, in the words a modder understands.
PellitonError CannotCreate(const std::filesystem::path& target, int error) {
    if (error == EACCES || error == EPERM || error == EROFS) {
        return PellitonError("cannot write " + PathToUtf8(target) + ": the folder " + FolderOf(target) +
                             " is not writable");
    }
    return PellitonError("cannot create " + PathToUtf8(target) + ": " + std::strerror(error));
}

// Removes the temporary file unless it was moved into place; so does an interruption.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        for (int attempt = 0; attempt < 16 && !handle_; ++attempt) {
            cleanup_.reset();
            path_ = target.parent_path() / TemporaryName();  // the same folder: the rename stays on one disk
            cleanup_.emplace(path_);  // before the file exists, so that no moment leaves it behind
            handle_.reset(CreateNewFile(path_));
            if (!handle_ && errno != EEXIST) break;
        }
        if (!handle_) throw CannotCreate(target, errno);
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
    const std::filesystem::path& Path() const { return path_; }

    // Closes the file; whatever happens next, it is complete.
    void Close(const std::filesystem::path& target) {
        if (std::fclose(handle_.release()) != 0) {
            throw WriteFailed(target);
        }
    }

    void MoveOver(const std::filesystem::path& target, Replacement replacement) {
        ReplaceTarget(path_, target, replacement);
        moved_ = true;
    }

private:
    std::filesystem::path path_;
    std::optional<InterruptCleanup> cleanup_;
    FileHandle handle_;
    bool moved_ = false;
};

// Refuses a target that must not be replaced, before anything is written. Returns whether a file
// is there.
bool CheckExistingTarget(const std::filesystem::path& target) {
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    if (!std::filesystem::exists(status)) return false;
    if (std::filesystem::is_directory(status)) {
        throw PellitonError("cannot write " + PathToUtf8(target) + ": it is a folder");
    }
    if (IsReadOnly(target)) {
        throw PellitonError("cannot write " + PathToUtf8(target) + ": it is read-only");
    }
    return true;
}

}  // namespace

void FileOutput::Write(std::span<const std::byte> bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        throw WriteFailed(target_);
    }
}

void FileOutput::Write(const ByteRange& content) {
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

namespace {

void WriteThenReplace(const std::filesystem::path& name, const std::function<void(OutputFile&)>& writeContent,
                      Replacement replacement) {
    const std::filesystem::path target = FollowLinks(name);
    const bool replacing = CheckExistingTarget(target);
    TemporaryFile temporary(target);
    if (replacing) TakePermissionsOf(temporary.get(), target);
    FileOutput output(temporary.get(), name);
    writeContent(output);
    if (std::fflush(temporary.get()) != 0) {
        throw WriteFailed(name);
    }
    temporary.Close(name);
    temporary.MoveOver(target, replacement);
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& target, const std::function<void(OutputFile&)>& writeContent) {
    WriteThenReplace(target, writeContent, Replacement::Swap);
}

void WriteFileUnlessDifferent(const std::filesystem::path& target,
                              const std::function<void(OutputFile&)>& writeContent) {
    // Compared before anything is written: an unchanged export, read-only or not, costs one read.
    std::error_code error;
    if (const std::filesystem::path file = FollowLinks(target); std::filesystem::is_regular_file(file, error)) {
        if (FileHoldsContent(file, writeContent)) return;
        throw ExistingFileDiffers(PathToUtf8(target) + " exists with other content");
    }
    WriteThenReplace(target, writeContent, Replacement::Swap);
}

void WriteOnlyCopyAtomically(const std::filesystem::path& target,
                             const std::function<void(OutputFile&)>& writeContent) {
    WriteThenReplace(target, writeContent, Replacement::Rename);
}

void RefuseInputAsOutput(const std::filesystem::path& output, const std::string& input) {
    if (IsSameFile(output, PathFromUtf8(input))) {
        throw PellitonError("cannot write " + PathToUtf8(output) + ": it is the same file as the input " + input);
    }
}

}  // namespace pelliton
