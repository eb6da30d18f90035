#include "rsh/RshInputFile.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"

namespace pelliton {

RshInputFile::RshInputFile(const std::string& path) {
    const auto fsPath = PathFromUtf8(path);
    std::error_code error;
    const auto status = std::filesystem::status(fsPath, error);
    if (error) throw PellitonError("cannot open " + path + ": " + error.message());
    if (!std::filesystem::is_regular_file(status)) throw PellitonError("cannot open " + path + ": not a regular file");
    const auto size = std::filesystem::file_size(fsPath, error);
    if (error) throw PellitonError("cannot open " + path + ": " + error.message());

    stream_.open(fsPath, std::ios::binary);
    if (!stream_) throw PellitonError("cannot open " + path + " for reading");
    size_ = static_cast<std::int64_t>(size);
}

void RshInputFile::Require(std::int64_t count, std::string_view field) const {
    if (count > remaining()) {
        throw PellitonError("the file ends at byte " + std::to_string(size_) + ", but " + std::string(field) +
                            " needs " + std::to_string(count) + " bytes at byte " + std::to_string(offset_));
    }
}

void RshInputFile::ReadBytes(std::span<std::byte> into, std::string_view field) {
    const auto count = static_cast<std::int64_t>(into.size());
    Require(count, field);
    stream_.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(count));
    if (stream_.gcount() != count) {
        throw PellitonError("reading " + std::string(field) + " at byte " + std::to_string(offset_) +
                            " failed: the file changed or could not be read");
    }
    offset_ += count;
}

std::int32_t RshInputFile::ReadLong(std::string_view field) {
    std::array<std::byte, 4> bytes{};
    ReadBytes(bytes, field);
    const auto value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                       static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

std::string RshInputFile::ReadText(std::size_t count, std::string_view field) {
    Require(static_cast<std::int64_t>(count), field);  // before the allocation
    std::string text(count, '\0');
    ReadBytes(std::as_writable_bytes(std::span(text)), field);
    return text;
}

}  // namespace pelliton
