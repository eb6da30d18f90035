// Large buffers on Linux: anonymous mappings, populated at once or laid out for huge pages.
#include "common/MappedMemory.h"

#include <cstdint>
#include <new>

#include <sys/mman.h>

namespace pelliton {

namespace {

constexpr std::size_t kSmallPageBytes = 4096;

std::size_t RoundUp(std::size_t value, std::size_t step) { return (value + step - 1) / step * step; }

// Large-page buffers are whole large pages, so that their end is not left to small pages.
std::size_t MappedLength(std::size_t bytes) {
    return RoundUp(bytes, bytes < kLargePageBytes ? kSmallPageBytes : kLargePageBytes);
}

void* MapPopulated(std::size_t length) {
    void* mapped = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    return mapped;
}

// A mapping one large page longer than needed is trimmed to the part that starts on a boundary.
void* MapLargePages(std::size_t length) {
    const std::size_t reserved = length + kLargePageBytes;
    void* mapped = mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = RoundUp(start, kLargePageBytes);
    if (aligned > start) munmap(mapped, aligned - start);
    const std::uintptr_t end = aligned + length;
    if (end < start + reserved) munmap(reinterpret_cast<void*>(end), start + reserved - end);
    auto* memory = reinterpret_cast<void*>(aligned);
    madvise(memory, length, MADV_HUGEPAGE);  // only advice: without large pages it works as before
    return memory;
}

}  // namespace

void* AllocateMapped(std::size_t bytes) {
    if (bytes > SIZE_MAX - 2 * kLargePageBytes) throw std::bad_alloc();
    const std::size_t length = MappedLength(bytes);
    return bytes < kLargePageBytes ? MapPopulated(length) : MapLargePages(length);
}

void FreeMapped(void* memory, std::size_t bytes) noexcept { munmap(memory, MappedLength(bytes)); }

}  // namespace pelliton
