// Whether two names lead to one file: the same path spelled twice, a hard link or a symbolic link.
// A write must never land on a file that the same run reads.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace pelliton {

// The file a name leads to, links followed: its device (or volume) and its number there.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Empty when nothing can be found at path.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// False when either name leads nowhere.
inline bool IsSameFile(const std::filesystem::path& one, const std::filesystem::path& other) {
    const auto first = IdentityOf(one);
    return first && first == IdentityOf(other);
}

}  // namespace pelliton
