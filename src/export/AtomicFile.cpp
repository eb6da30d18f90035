#include "export/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"

namespace pelliton {

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
            handle_.reset(std::fopen(path_.c_str(), "wbx"));  // x: never reuse an existing file
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

    void MoveOver(const std::filesystem::path& target) {
        if (std::fclose(handle_.release()) != 0) {
            throw PellitonError("writing " + PathToUtf8(target) + " failed: " + std::strerror(errno));
        }
        std::error_code error;
        std::filesystem::rename(path_, target, error);
        if (error) throw PellitonError("cannot replace " + PathToUtf8(target) + ": " + error.message());
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
        throw PellitonError("writing " + PathToUtf8(target_) + " failed: " + std::strerror(errno));
    }
}

void WriteFileAtomically(const std::filesystem::path& target, const std::function<void(OutputFile&)>& writeContent) {
    TemporaryFile temporary(target);
    OutputFile output(temporary.get(), target);
    writeContent(output);
    if (std::fflush(temporary.get()) != 0) {
        throw PellitonError("writing " + PathToUtf8(target) + " failed: " + std::strerror(errno));
    }
    temporary.MoveOver(target);
}

}  // namespace pelliton
