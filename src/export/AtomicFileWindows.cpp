// Writing a file atomically on Windows: wide names, an exclusive creation the C runtime's fopen does
// not give, and a replacement whose failures say why. Every byte goes through user space.
#include "export/AtomicFile.h"
#include "export/AtomicFilePlatform.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <system_error>

#include "common/Utf8Path.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace pelliton {

// The C runtime's open would not let an interruption delete the file while it is open; the
// handle does, and the C runtime writes through it.
std::FILE* CreateNewFile(const std::filesystem::path& path) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        errno = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS      ? EEXIST
                : error == ERROR_ACCESS_DENIED                                   ? EACCES
                : error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND ? ENOENT
                                                                                 : EIO;
        return nullptr;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
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

// Links on Windows need rights that modders' accounts seldom have; a name is taken as it stands.
std::filesystem::path FollowLinks(const std::filesystem::path& target) { return target; }

bool IsReadOnly(const std::filesystem::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// A new file takes the folder's access rules, as the replaced one did; a read-only file is refused
// before, so there is no bit to carry over.
void TakePermissionsOf(std::FILE* /*file*/, const std::filesystem::path& /*replaced*/) {}

// Nothing is reserved here: the file grows as it is written.
void FileOutput::Reserve(std::uint64_t /*bytes*/) {}

// Nothing is copied by the kernel here: Write copies the whole range in user space.
void FileOutput::CopyByKernel(const ByteSource& /*source*/, std::uint64_t& /*offset*/, std::uint64_t& /*length*/) {}

}  // namespace pelliton
