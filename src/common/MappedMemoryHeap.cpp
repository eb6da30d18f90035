// Where large buffers are not mapped: on Windows, and under the sanitizers, which watch only the
// heap. The heap serves every size.
#include "common/MappedMemory.h"

#include <new>

namespace pelliton {

void* AllocateMapped(std::size_t bytes) { return ::operator new(bytes); }

void FreeMapped(void* memory, std::size_t /*bytes*/) noexcept { ::operator delete(memory); }

}  // namespace pelliton
