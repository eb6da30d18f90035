// A fresh folder per test, removed afterwards, with helpers to put RSH files in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pelliton::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes bytes to a file of that name in the folder and returns its full path, both UTF-8 text.
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

// How many entries a folder holds: a write must leave no temporary file behind.
std::size_t EntriesIn(const std::filesystem::path& folder);

}  // namespace pelliton::testing
