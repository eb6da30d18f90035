// Uncompressed texels are stored as red, green, blue, alpha; memory and TGA files hold blue, green,
// red, alpha. One swap turns either order into the other.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace pelliton {

// Works on whole 32-bit words so that the compiler can vectorise it; byte order is fixed by
// building the word from the bytes, not by the machine's endianness.
inline void SwapFirstAndThirdBytes(std::span<std::byte> texels) {
    for (std::size_t i = 0; i + 4 <= texels.size(); i += 4) {
        std::uint32_t word;
        std::memcpy(&word, texels.data() + i, 4);
        if constexpr (std::endian::native == std::endian::little) {
            word = (word & 0xFF00FF00u) | (word & 0x000000FFu) << 16 | (word & 0x00FF0000u) >> 16;
        } else {
            word = (word & 0x00FF00FFu) | (word & 0x0000FF00u) << 16 | (word & 0xFF000000u) >> 16;
        }
        std::memcpy(texels.data() + i, &word, 4);
    }
}

}  // namespace pelliton
