// The system's side of writing a file atomically, one file per platform (AtomicFileLinux.cpp,
// AtomicFileWindows.cpp) chosen in CMake. Those files also define FileOutput::Reserve and
// FileOutput::CopyByKernel, which are advice and shortcuts that only some systems offer.
#pragma once

#include <cstdio>
#include <filesystem>

#include "common/PellitonError.h"
#include "export/AtomicFile.h"

namespace pelliton {

// The temporary file that the content goes to first.
class FileOutput final : public OutputFile {
public:
    FileOutput(std::FILE* file, const std::filesystem::path& target) : file_(file), target_(target) {}
    void Write(std::span<const std::byte> bytes) override;
    void Write(const ByteRange& content) override;
    void Reserve(std::uint64_t bytes) override;

private:
    void CopyByKernel(const ByteSource& source, std::uint64_t& offset, std::uint64_t& length);

    std::FILE* file_;
    const std::filesystem::path& target_;
};

// How the finished file takes the target's place.
enum class Replacement { Swap, Rename };

// Opens a new file for writing; fails with EEXIST rather than reuse a file of that name. An
// interruption can remove it by name while it is open.
std::FILE* CreateNewFile(const std::filesystem::path& path);

// Puts the finished file in the target's place; throws, naming the reason, when it cannot.
void ReplaceTarget(const std::filesystem::path& finished, const std::filesystem::path& target,
                   Replacement replacement);

// The file that a name leads to once symbolic links are followed (the name itself where there is
// none): a write goes there, and the links stay. Throws PellitonError on a loop of links.
std::filesystem::path FollowLinks(const std::filesystem::path& target);

// Whether an existing file may not be written: no write permission for anyone, or none for us.
bool IsReadOnly(const std::filesystem::path& file);

// Gives the new file the permissions of the file it replaces and, where the system lets us, its
// owner.
void TakePermissionsOf(std::FILE* file, const std::filesystem::path& replaced);

// The error of a write or flush that failed, with the reason errno gives.
PellitonError WriteFailed(const std::filesystem::path& target);

}  // namespace pelliton
