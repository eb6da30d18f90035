// Memory for large buffers, laid out for the processor's 2 MiB pages where the system offers them.
// A large file read into fresh memory otherwise costs one page fault per 4 KiB, which on a virtual
// machine takes longer than the copy itself.
#pragma once

#include <cstddef>

namespace pelliton {

// Requests of at least this many bytes go to LargePages; smaller ones to the ordinary heap.
inline constexpr std::size_t kLargePageBytes = std::size_t{2} << 20;

// Memory of bytes bytes at a large-page boundary; its pages become resident as they are first
// written, so a buffer that is only partly filled costs only what is filled. Throws std::bad_alloc.
void* AllocateLargePages(std::size_t bytes);
// Returns memory from AllocateLargePages; bytes as it was asked for.
void FreeLargePages(void* memory, std::size_t bytes) noexcept;

}  // namespace pelliton
