// Memory for large buffers, mapped by pages rather than taken from the heap. A large file read into
// fresh heap memory costs one page fault per 4 KiB, which on a virtual machine takes longer than
// the copy itself.
#pragma once

#include <cstddef>

namespace pelliton {

// Requests of at least this many bytes are mapped; smaller ones go to the heap.
inline constexpr std::size_t kMappedBytes = std::size_t{256} << 10;
// From this size on, buffers are laid out for the processor's 2 MiB pages where the system offers
// them, and their pages become resident as they are first written: a buffer that is only partly
// filled costs only what is filled. Smaller ones are made resident at once, in one call.
inline constexpr std::size_t kLargePageBytes = std::size_t{2} << 20;

// Memory of bytes bytes. Throws std::bad_alloc.
void* AllocateMapped(std::size_t bytes);
// Returns memory from AllocateMapped; bytes as it was asked for.
void FreeMapped(void* memory, std::size_t bytes) noexcept;

}  // namespace pelliton
