// The checks the picture readers share, and how they word a refusal: the file's name first, then
// what is wrong with it.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "common/Counted.h"
#include "common/ImageSides.h"
#include "common/PellitonError.h"

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
        throw FileError(name, "the file is " + Counted(file.size(), "byte", "bytes") + ", shorter than the " +
                                  std::to_string(sizeof header) + "-byte " + std::string(format) + " header");
    }
    std::memcpy(&header, file.data(), sizeof header);
    return header;
}

// What a side of a picture counts, in a refusal of its size.
inline constexpr std::string_view kPictureSideUnit = "pixels";

// Refuses sides outside 1 to kLargestImageSide before anything is sized from them.
inline void RequireSensibleSides(std::uint32_t width, std::uint32_t height, std::string_view name) {
    if (!SidesInRange(width, height)) throw FileError(name, SidesOutOfRange(width, height, kPictureSideUnit));
}

}  // namespace pelliton
