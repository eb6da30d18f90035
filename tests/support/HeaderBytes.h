// The stored bytes of a file header: its struct as it lies in memory.
#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

namespace pelliton::testing {

template <typename Header>
std::vector<std::uint8_t> HeaderBytes(const Header& header) {
    static_assert(std::is_trivially_copyable_v<Header>);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&header);
    return {bytes, bytes + sizeof header};
}

}  // namespace pelliton::testing
