// The sides an image file may declare, whatever its format: every reader of pictures and textures
// checks them before it sizes anything from them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pelliton {

// Four times the largest textures the game uses, and small enough that no size of a picture can
// overflow, even where size_t has 32 bits.
inline constexpr std::uint32_t kLargestImageSide = 16384;

constexpr bool SidesInRange(std::uint32_t width, std::uint32_t height) {
    return width >= 1 && width <= kLargestImageSide && height >= 1 && height <= kLargestImageSide;
}

// Why sides outside the range are refused; unit is what the reader calls the elements of a side.
inline std::string SidesOutOfRange(std::uint32_t width, std::uint32_t height, std::string_view unit) {
    return "its size " + std::to_string(width) + " x " + std::to_string(height) + " is outside 1 to " +
           std::to_string(kLargestImageSide) + " " + std::string(unit) + " a side";
}

}  // namespace pelliton
