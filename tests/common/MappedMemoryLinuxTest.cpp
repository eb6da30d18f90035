// Large buffers as Linux maps them: laid out for large pages, resident at once or only where
// written, and unmapped whole when freed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/MappedMemory.h"
#include "common/UninitialisedAllocator.h"

#include <sys/mman.h>
#include <unistd.h>

namespace pelliton {
namespace {

// Large buffers start on a large page, so that the system can back them with such pages.
TEST(MappedMemory, LargeBuffersStartOnALargePage) {
    for (const std::size_t size : {kLargePageBytes, kLargePageBytes + 1, (std::size_t{5} << 20) + 3}) {
        const UninitialisedBytes bytes(size);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes.data()) % kLargePageBytes, 0u) << size;
    }
}

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

}  // namespace
}  // namespace pelliton
