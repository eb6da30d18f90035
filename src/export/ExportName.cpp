#include "export/ExportName.h"

#include <cstdint>
#include <string>

#include "common/PellitonError.h"

namespace pelliton {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::int64_t CountCharacters(std::string_view utf8) {
    std::int64_t count = 0;
    for (const char c : utf8) count += IsContinuationByte(c) ? 0 : 1;
    return count;
}

// Byte length of the first count characters.
std::size_t PrefixBytes(std::string_view utf8, std::int64_t count) {
    std::size_t at = 0;
    for (std::int64_t seen = 0; at < utf8.size(); ++at) {
        if (!IsContinuationByte(utf8[at]) && seen++ == count) break;
    }
    return at;
}

}  // namespace

std::string ExportFileName(std::string_view sourcePath, std::string_view extension) {
    constexpr std::int64_t kDroppedCharacters = 4;
    constexpr std::int64_t kLongestStem = 32767;  // the stem length is a 16-bit count

    const std::size_t separator = sourcePath.find_last_of("\\/");
    const std::string_view name = separator == std::string_view::npos ? sourcePath : sourcePath.substr(separator + 1);
    const std::int64_t stemLength = CountCharacters(name) - kDroppedCharacters;
    if (stemLength < 0) {
        throw PellitonError("invalid argument: the file name \"" + std::string(name) +
                            "\" has fewer than four characters to replace with " + std::string(extension));
    }
    if (stemLength > kLongestStem) {
        throw PellitonError("overflow: the file name's stem has " + std::to_string(stemLength) +
                            " characters, more than 32767");
    }
    return std::string(name.substr(0, PrefixBytes(name, stemLength))) + std::string(extension);
}

}  // namespace pelliton
