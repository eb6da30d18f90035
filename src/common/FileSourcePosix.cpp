// FileSource's POSIX calls (Linux): a descriptor read by pread, which the kernel also copies from.
#include "common/FileSourcePlatform.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelliton {

OpenedFile OpenRegularFile(const std::string& path) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) throw CannotOpen(path, std::strerror(errno));
    struct stat status {};
    const bool known = fstat(descriptor, &status) == 0;
    if (!known || !S_ISREG(status.st_mode)) {
        const std::string reason = known ? kNotARegularFile : std::strerror(errno);
        close(descriptor);
        throw CannotOpen(path, reason);
    }
    return {descriptor, static_cast<std::uint64_t>(status.st_size)};
}

void CloseFile(std::intptr_t handle) noexcept { close(static_cast<int>(handle)); }

std::size_t ReadSomeAt(std::intptr_t handle, std::uint64_t offset, std::span<std::uint8_t> into,
                       const std::string& path) {
    for (;;) {
        const ssize_t got = pread(static_cast<int>(handle), into.data(), into.size(), static_cast<off_t>(offset));
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) {
            throw PellitonError("reading " + path + " at byte " + std::to_string(offset) +
                                " failed: " + std::strerror(errno));
        }
    }
}

int KernelCopyDescriptor(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace pelliton
