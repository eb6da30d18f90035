// Bounded reading of an input file: every read is checked against the bytes the file holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

namespace pelliton {

class RshInputFile {
public:
    // Opens a regular file for reading; the path is UTF-8. Throws PellitonError.
    explicit RshInputFile(const std::string& path);

    std::int64_t size() const { return size_; }
    std::int64_t offset() const { return offset_; }
    std::int64_t remaining() const { return size_ - offset_; }

    // Each read names the field it is for, so that a short file says what was cut off.
    std::int32_t ReadLong(std::string_view field);
    std::string ReadText(std::size_t count, std::string_view field);
    void ReadBytes(std::span<std::byte> into, std::string_view field);
    // Throws the short-file error unless count more bytes are there.
    void Require(std::int64_t count, std::string_view field) const;

private:
    std::ifstream stream_;
    std::int64_t size_ = 0;
    std::int64_t offset_ = 0;
};

}  // namespace pelliton
