#include "cli/FileSource.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/PellitonError.h"

namespace pelliton {

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
        if (got <= 0) {
            throw PellitonError("reading " + path_ + " at byte " + std::to_string(offset + done) + " failed: " +
                                (got < 0 ? std::strerror(errno) : "the file is shorter than when it was opened"));
        }
        done += static_cast<std::size_t>(got);
    }
}

}  // namespace pelliton
