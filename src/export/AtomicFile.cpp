#include "export/AtomicFile.h"
#include "export/AtomicFilePlatform.h"

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
std::string TemporaryName(std::random_device& random) {
    char name[sizeof ".pelliton-00000000.tmp"];
    std::snprintf(name, sizeof name, ".pelliton-%08x.tmp", static_cast<unsigned>(random()));
    return name;
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
