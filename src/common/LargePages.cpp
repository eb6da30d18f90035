#include "common/LargePages.h"

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
#define PELLITON_MAPPED_LARGE_PAGES 1
#endif

namespace pelliton {

#ifdef PELLITON_MAPPED_LARGE_PAGES

namespace {

std::size_t RoundUp(std::size_t value, std::size_t step) { return (value + step - 1) / step * step; }

}  // namespace

// Whole large pages, so that the end of the buffer is not left to small ones. A mapping one large
// page longer than needed is trimmed to the part that starts on a boundary.
std::size_t MappedLength(std::size_t bytes) { return RoundUp(bytes, kLargePageBytes); }

void* AllocateLargePages(std::size_t bytes) {
    const std::size_t length = MappedLength(bytes);
    if (length < bytes || length > SIZE_MAX - kLargePageBytes) throw std::bad_alloc();
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

void FreeLargePages(void* memory, std::size_t bytes) noexcept { munmap(memory, MappedLength(bytes)); }

#else

// Elsewhere, and under AddressSanitizer (which watches only the heap), the heap serves.
void* AllocateLargePages(std::size_t bytes) { return ::operator new(bytes); }

void FreeLargePages(void* memory, std::size_t /*bytes*/) noexcept { ::operator delete(memory); }

#endif

}  // namespace pelliton
