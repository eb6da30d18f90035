// An allocator that leaves elements uninitialised on resize, so that a large buffer is written once,
// by the read that fills it, and not zeroed first. Large buffers are mapped by pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/MappedMemory.h"

namespace pelliton {

// Phase: how far past a 64-byte boundary the elements of a mapped buffer start. The kernel copies a
// buffer to a file line for line when the two start at the same place in a line, and at half the
// speed otherwise: a buffer that is written after a header of N bytes is best given the phase N % 64.
template <typename T, std::size_t Phase = 0>
class UninitialisedAllocator : public std::allocator<T> {
    static_assert(Phase < 64 && Phase % alignof(T) == 0);

public:
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U, Phase>;
    };
    using std::allocator<T>::allocator;

    T* allocate(std::size_t count) {
        if (count > (SIZE_MAX - Phase) / sizeof(T)) throw std::bad_array_new_length();
        if (count * sizeof(T) < kMappedBytes) return std::allocator<T>::allocate(count);
        return reinterpret_cast<T*>(static_cast<std::byte*>(AllocateMapped(count * sizeof(T) + Phase)) + Phase);
    }
    void deallocate(T* memory, std::size_t count) noexcept {
        if (count * sizeof(T) < kMappedBytes) {
            std::allocator<T>::deallocate(memory, count);
        } else {
            FreeMapped(reinterpret_cast<std::byte*>(memory) - Phase, count * sizeof(T) + Phase);
        }
    }

    template <typename U>
    void construct(U* place) noexcept {
        static_assert(std::is_trivially_default_constructible_v<U>);
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

// Bytes that a read fills whole right after the buffer is sized.
using UninitialisedBytes = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

}  // namespace pelliton
