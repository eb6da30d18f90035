#include "picture/PngUnfilter.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace pelliton::png {

namespace {

enum FilterType : std::uint8_t { kNone, kSub, kUp, kAverage, kPaeth };

// The neighbour (left a, above b, above-left c) nearest to a + b - c, ties going to a, then b.
// Chosen by selects rather than branches: the choice changes from byte to byte of a picture.
inline std::uint8_t PaethPredictor(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    const int bOrC = pb <= pc ? b : c;
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : bOrC);
}

// Unit is a constant here so that the compiler unrolls the work on one pixel.
template <std::size_t Unit>
void UnfilterWith(std::uint8_t filterType, std::uint8_t* row, const std::uint8_t* previous, std::size_t size) {
    // The first pixel has no left neighbour: a and c count as 0.
    const std::size_t first = std::min(Unit, size);
    switch (filterType) {
        case kSub:
            for (std::size_t i = Unit; i < size; ++i) row[i] = static_cast<std::uint8_t>(row[i] + row[i - Unit]);
            break;
        case kUp:
            for (std::size_t i = 0; i < size; ++i) row[i] = static_cast<std::uint8_t>(row[i] + previous[i]);
            break;
        case kAverage:
            for (std::size_t i = 0; i < first; ++i) row[i] = static_cast<std::uint8_t>(row[i] + (previous[i] >> 1));
            for (std::size_t i = Unit; i < size; ++i) {
                row[i] = static_cast<std::uint8_t>(row[i] + ((row[i - Unit] + previous[i]) >> 1));
            }
            break;
        case kPaeth:
            for (std::size_t i = 0; i < first; ++i) row[i] = static_cast<std::uint8_t>(row[i] + previous[i]);
            for (std::size_t i = Unit; i < size; ++i) {
                row[i] =
                    static_cast<std::uint8_t>(row[i] + PaethPredictor(row[i - Unit], previous[i], previous[i - Unit]));
            }
            break;
        default: break;
    }
}

}  // namespace

void Unfilter(std::uint8_t filterType, std::span<std::uint8_t> row, std::span<const std::uint8_t> previous,
              std::size_t unit) {
    assert(filterType < kFilterTypes && previous.size() >= row.size());
    if (filterType == kNone) return;
    switch (unit) {
        case 1: return UnfilterWith<1>(filterType, row.data(), previous.data(), row.size());
        case 2: return UnfilterWith<2>(filterType, row.data(), previous.data(), row.size());
        case 3: return UnfilterWith<3>(filterType, row.data(), previous.data(), row.size());
        case 4: return UnfilterWith<4>(filterType, row.data(), previous.data(), row.size());
        case 6: return UnfilterWith<6>(filterType, row.data(), previous.data(), row.size());
        default: return UnfilterWith<8>(filterType, row.data(), previous.data(), row.size());
    }
}

}  // namespace pelliton::png
