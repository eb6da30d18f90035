// FileSource's Windows calls: a handle opened by its UTF-16 name and read at offsets. Windows has no
// kernel copy from it, so the bytes go through user space.
#include "common/FileSourcePlatform.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "common/Utf8Path.h"

#include <windows.h>

namespace pelliton {

namespace {

HANDLE ToHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Worded as Linux words it for the usual failures, so that both programs log the same line.
std::string OpenFailure(DWORD error, const std::wstring& path) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::generic_category().message(ENOENT);
    case ERROR_ACCESS_DENIED:
        // A folder opens only with backup semantics; Linux opens it and then finds no regular file.
        return IsFolder(path) ? kNotARegularFile : std::generic_category().message(EACCES);
    default:
        return std::system_category().message(static_cast<int>(error));
    }
}

}  // namespace

// Other programs may still write, rename or delete the file while it is open here.
OpenedFile OpenRegularFile(const std::string& path) {
    const std::wstring name = PathFromUtf8(path).wstring();
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw CannotOpen(path, OpenFailure(GetLastError(), name));
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        throw CannotOpen(path, kNotARegularFile);
    }
    return {reinterpret_cast<std::intptr_t>(file), static_cast<std::uint64_t>(size.QuadPart)};
}

void CloseFile(std::intptr_t handle) noexcept { CloseHandle(ToHandle(handle)); }

// Reading at the end fails (ERROR_HANDLE_EOF); every failed read ends the file there.
std::size_t ReadSomeAt(std::intptr_t handle, std::uint64_t offset, std::span<std::uint8_t> into,
                       const std::string& /*path*/) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const auto asked = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 30));
    DWORD got = 0;
    if (!ReadFile(ToHandle(handle), into.data(), asked, &got, &at)) return 0;
    return got;
}

int KernelCopyDescriptor(std::intptr_t /*handle*/) { return -1; }

}  // namespace pelliton
