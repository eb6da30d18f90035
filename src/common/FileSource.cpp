#include "common/FileSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pelliton {

namespace {

PellitonError ShorterFile(const std::string& path, std::uint64_t offset) {
    return PellitonError("reading " + path + " at byte " + std::to_string(offset) +
                         " failed: the file is shorter than when it was opened");
}

}  // namespace

#ifdef _WIN32

// Other programs may still write, rename or delete the file while it is open here.
FileSource::FileSource(const std::string& path) : path_(path) {
    HANDLE file = CreateFileW(PathFromUtf8(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw PellitonError("cannot open " + path + ": " + std::system_category().message(GetLastError()));
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        throw PellitonError("cannot open " + path + ": not a regular file");
    }
    handle_ = file;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
}

FileSource::~FileSource() { CloseHandle(static_cast<HANDLE>(handle_)); }

void FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const {
    RequireRange(offset, into.size());
    std::size_t done = 0;
    while (done < into.size()) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        const auto asked = static_cast<DWORD>(std::min<std::size_t>(into.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(static_cast<HANDLE>(handle_), into.data() + done, asked, &got, &at) || got == 0) {
            throw ShorterFile(path_, offset + done);
        }
        done += got;
    }
}

#else

FileSource::FileSource(const std::string& path) : path_(path) {
    descriptor_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0) throw PellitonError("cannot open " + path + ": " + std::strerror(errno));
    struct stat status {};
    const bool known = fstat(descriptor_, &status) == 0;
    if (!known || !S_ISREG(status.st_mode)) {
        const std::string reason = known ? "not a regular file" : std::strerror(errno);
        close(descriptor_);
        throw PellitonError("cannot open " + path + ": " + reason);
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
}

FileSource::~FileSource() { close(descriptor_); }

void FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const {
    RequireRange(offset, into.size());
    std::size_t done = 0;
    while (done < into.size()) {
        const ssize_t got = pread(descriptor_, into.data() + done, into.size() - done,
                                  static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            throw PellitonError("reading " + path_ + " at byte " + std::to_string(offset + done) +
                                " failed: " + std::strerror(errno));
        }
        if (got == 0) throw ShorterFile(path_, offset + done);
        done += static_cast<std::size_t>(got);
    }
}

#endif

UninitialisedBytes ReadWholeFile(const std::string& path) {
    const FileSource file(path);
    if (file.Size() > kMaxWholeFileBytes) {
        throw PellitonError("cannot read " + path + ": " + std::to_string(file.Size()) + " bytes is more than " +
                            std::to_string(kMaxWholeFileBytes) + ", too large for this tool");
    }
    UninitialisedBytes bytes(static_cast<std::size_t>(file.Size()));
    file.ReadAt(0, bytes);
    return bytes;
}

}  // namespace pelliton
