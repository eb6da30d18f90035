// Buffers on both sides of the sizes where the heap gives way to mapped pages, and small pages to
// large ones: each holds what is written to it, keeps it as it grows, and is given back whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/MappedMemory.h"
#include "common/UninitialisedAllocator.h"

// The heap serves every size under AddressSanitizer, as it does on Windows.
#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
#if !defined(__has_feature)
#define PELLITON_PAGES_MAPPED 1
#elif !__has_feature(address_sanitizer)
#define PELLITON_PAGES_MAPPED 1
#endif
#endif

#ifdef PELLITON_PAGES_MAPPED
#include <sys/mman.h>
#include <unistd.h>
#endif

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
#ifdef PELLITON_PAGES_MAPPED
        // Large buffers start on a large page, so that the system can back them with such pages.
        if (size >= kLargePageBytes) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes.data()) % kLargePageBytes, 0u);
        }
#endif

        // Byte by byte, as a reader appends: the buffer moves to a larger allocation of the next kind.
        const std::size_t grown = 2 * size + kMappedBytes;
        while (bytes.size() < grown) bytes.push_back(PatternAt(bytes.size()));
        EXPECT_EQ(FirstWrong(bytes), grown);
    }
}

#ifdef PELLITON_PAGES_MAPPED
// How many bytes of the range are in memory now; nothing when any of it is not mapped.
std::optional<std::size_t> ResidentBytes(const std::uint8_t* memory, std::size_t bytes) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> resident((bytes + page - 1) / page);
    if (mincore(const_cast<std::uint8_t*>(memory), bytes, resident.data()) != 0) return std::nullopt;
    std::size_t pages = 0;
    for (const unsigned char flags : resident) pages += flags & 1U;
    return pages * page;
}

// Mid-sized buffers are made resident in one call, not a fault a page; large ones cost only what is
// written, even where the system backs them with large pages, and are unmapped whole when freed.
TEST(MappedMemory, MidSizedBuffersAreResidentAtOnceLargeOnesOnlyWhereWritten) {
    const UninitialisedBytes mid(kLargePageBytes - 1);
    EXPECT_EQ(ResidentBytes(mid.data(), mid.size()), kLargePageBytes);

    constexpr std::size_t kLarge = std::size_t{64} << 20;
    const std::uint8_t* place = nullptr;
    {
        UninitialisedBytes large(kLarge);
        std::fill_n(large.begin(), 4096, 0x5A);
        EXPECT_LE(ResidentBytes(large.data(), kLarge).value_or(kLarge), 2 * kLargePageBytes);
        place = large.data();
    }
    for (std::size_t at = 0; at < kLarge; at += kLargePageBytes) {
        EXPECT_EQ(ResidentBytes(place + at, kLargePageBytes), std::nullopt) << "still mapped at " << at;
    }
}
#endif

}  // namespace
}  // namespace pelliton
