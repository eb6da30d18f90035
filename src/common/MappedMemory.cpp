#include "common/MappedMemory.h"

#include <cstdint>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define PELLITON_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELLITON_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(__linux__) && !defined(PELLITON_ADDRESS_SANITIZER)
#include <sys/mman.h>
#define PELLITON_MAPPED_MEMORY 1
#endif

namespace pelliton {

#ifdef PELLITON_MAPPED_MEMORY

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

#else

// Elsewhere, and under AddressSanitizer (which watches only the heap), the heap serves.
void* AllocateMapped(std::size_t bytes) { return ::operator new(bytes); }

void FreeMapped(void* memory, std::size_t /*bytes*/) noexcept { ::operator delete(memory); }

#endif

}  // namespace pelliton
