// Buffers on both sides of the sizes where the heap gives way to mapped pages, and small pages to
// large ones: each holds what is written to it, keeps it as it grows, and is given back whole.
#include <gtest/gtest.h>

#include <cstdint>

#include "common/MappedMemory.h"
#include "common/UninitialisedAllocator.h"

namespace pelliton {
namespace {

constexpr std::size_t kSizes[] = {1, kMappedBytes - 1, kMappedBytes, kLargePageBytes - 1, kLargePageBytes,
                                  kLargePageBytes + 1, (std::size_t{5} << 20) + 3};

// Differs from its neighbours and from the byte a page or a large page away.
std::uint8_t PatternAt(std::size_t i) { return static_cast<std::uint8_t>(i * 131 + (i >> 12) + (i >> 21)); }

// The index of the first byte that is not the pattern, or the size when all are.
std::size_t FirstWrong(const UninitialisedBytes& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != PatternAt(i)) return i;
    }
    return bytes.size();
}

TEST(MappedMemory, BuffersOfEverySizeHoldTheirBytesAndKeepThemAcrossAGrowth) {
    for (const std::size_t size : kSizes) {
        SCOPED_TRACE(size);
        UninitialisedBytes bytes;
        bytes.resize(size);
        for (std::size_t i = 0; i < size; ++i) bytes[i] = PatternAt(i);
        ASSERT_EQ(FirstWrong(bytes), size);

        // Byte by byte, as a reader appends: the buffer moves to a larger allocation of the next kind.
        const std::size_t grown = 2 * size + kMappedBytes;
        while (bytes.size() < grown) bytes.push_back(PatternAt(bytes.size()));
        EXPECT_EQ(FirstWrong(bytes), grown);
    }
}

}  // namespace
}  // namespace pelliton
