// Writing a file atomically on Windows: wide names, an exclusive creation the C runtime's fopen does
// not give, and a replacement whose failures say why. Every byte goes through user space.
#include "export/AtomicFile.h"
#include "export/AtomicFilePlatform.h"

#include <string>
#include <system_error>

#include "common/Utf8Path.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace pelliton {

std::FILE* CreateNewFile(const std::filesystem::path& path) {
    // The C runtime ignores fopen's "x" here; only the open flags make the creation exclusive.
    const int descriptor = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) return nullptr;
    std::FILE* file = _fdopen(descriptor, "wb");
    if (!file) _close(descriptor);
    return file;
}

// The names are never swapped here: both replacements are one move over the target.
void ReplaceTarget(const std::filesystem::path& finished, const std::filesystem::path& target,
                   Replacement /*replacement*/) {
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
    throw PellitonError("cannot replace " + PathToUtf8(target) + ": " + reason);
}

// Nothing is reserved here: the file grows as it is written.
void OutputFile::Reserve(std::uint64_t /*bytes*/) {}

// Nothing is copied by the kernel here: Write copies the whole range in user space.
void OutputFile::CopyByKernel(const ByteSource& /*source*/, std::uint64_t& /*offset*/, std::uint64_t& /*length*/) {}

}  // namespace pelliton
