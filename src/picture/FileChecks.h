// The checks the picture readers share, and how they word a refusal: the file's name first, then
// what is wrong with it.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "common/PellitonError.h"
#include "picture/RgbaPicture.h"

namespace pelliton {

inline PellitonError FileError(std::string_view name, const std::string& reason) {
    return PellitonError(std::string(name) + ": " + reason);
}

// The plain header struct that the file starts with, copied out of it: file bytes have no alignment.
template <typename Header>
Header ReadFileHeader(std::span<const std::uint8_t> file, std::string_view name, std::string_view format) {
    static_assert(std::is_trivially_copyable_v<Header>);
    Header header;
    if (file.size() < sizeof header) {
        throw FileError(name, "the file is " + std::to_string(file.size()) + " bytes, shorter than the " +
                                  std::to_string(sizeof header) + "-byte " + std::string(format) + " header");
    }
    std::memcpy(&header, file.data(), sizeof header);
    return header;
}

// Refuses sides outside 1 to kMaxPictureSide before anything is sized from them.
inline void RequireSensibleSides(std::uint32_t width, std::uint32_t height, std::string_view name) {
    const auto sensible = [](std::uint32_t side) { return side >= 1 && side <= kMaxPictureSide; };
    if (!sensible(width) || !sensible(height)) {
        throw FileError(name, "its size " + std::to_string(width) + " x " + std::to_string(height) +
                                  " is outside 1 to " + std::to_string(kMaxPictureSide) + " pixels a side");
    }
}

// A four-character code as a user reads it, quoted; bytes that are no printable letter show as '?'.
inline std::string FourCCText(std::uint32_t code) {
    std::string text = "\"";
    for (int shift = 0; shift < 32; shift += 8) {
        const auto letter = static_cast<char>(code >> shift);
        text += letter >= ' ' && letter <= '~' ? letter : '?';
    }
    return text + "\"";
}

}  // namespace pelliton
