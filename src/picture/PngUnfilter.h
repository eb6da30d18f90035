// Undoes the filter of a PNG row: each byte was stored as its difference from a prediction made
// from the byte to its left, the byte above it, or both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pelliton::png {

inline constexpr std::uint8_t kFilterTypes = 5;  // none, sub, up, average, Paeth

// Restores row in place. previous is the row above, restored, or zeros for a pass's first row;
// unit is the filters' byte distance to the left neighbour (FilterUnit). filterType is below
// kFilterTypes.
void Unfilter(std::uint8_t filterType, std::span<std::uint8_t> row, std::span<const std::uint8_t> previous,
              std::size_t unit);

}  // namespace pelliton::png
