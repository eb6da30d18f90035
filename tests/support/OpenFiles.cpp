#include "support/OpenFiles.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#else
#include <filesystem>
#include <iterator>
#endif

namespace pelliton::testing {

std::ptrdiff_t OpenFileCount() {
#ifdef _WIN32
    // GetProcessHandleCount is no use: it counts every kind of handle, and Wine always answers 0.
    // Handle values are multiples of 4, handed out from the lowest free one, so the first 4096
    // cover far more than a test holds.
    std::ptrdiff_t open = 0;
    for (std::uintptr_t value = 4; value < 4 * 4096; value += 4) {
        if (GetFileType(reinterpret_cast<HANDLE>(value)) == FILE_TYPE_DISK) ++open;
    }
    return open;
#else
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return std::distance(begin(fds), end(fds));
#endif
}

}  // namespace pelliton::testing
