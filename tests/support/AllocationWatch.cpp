// Replaces the global operator new of the test program so that a watch can see every request.
#include "support/AllocationWatch.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> watching{false};
std::atomic<std::size_t> largestRequest{0};
}  // namespace

// GCC cannot tell that these are the replacement pair and warns about malloc matched with free.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    if (watching && size > largestRequest) largestRequest = size;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}
// The standard library asks this one for temporary buffers (std::stable_sort) and frees them with
// the delete below, so it must come from the same heap.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (watching && size > largestRequest) largestRequest = size;
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
#pragma GCC diagnostic pop

namespace pelliton::testing {

AllocationWatch::AllocationWatch() {
    largestRequest = 0;
    watching = true;
}

AllocationWatch::~AllocationWatch() { watching = false; }

std::size_t AllocationWatch::LargestRequest() const { return largestRequest; }

}  // namespace pelliton::testing
