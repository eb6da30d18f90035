// Bytes that differ from byte to byte and from seed to seed, so that a misplaced byte shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelliton::testing {

inline std::vector<std::uint8_t> PatternBytes(std::size_t count, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 8));
    return bytes;
}

}  // namespace pelliton::testing
