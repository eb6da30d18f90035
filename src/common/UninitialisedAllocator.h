// An allocator that leaves elements uninitialised on resize, so that a large buffer is written once,
// by the read that fills it, and not zeroed first. Large buffers are mapped by pages.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/MappedMemory.h"

namespace pelliton {

template <typename T>
class UninitialisedAllocator : public std::allocator<T> {
public:
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    using std::allocator<T>::allocator;

    T* allocate(std::size_t count) {
        if (count > SIZE_MAX / sizeof(T)) throw std::bad_array_new_length();
        if (count * sizeof(T) < kMappedBytes) return std::allocator<T>::allocate(count);
        return static_cast<T*>(AllocateMapped(count * sizeof(T)));
    }
    void deallocate(T* memory, std::size_t count) noexcept {
        if (count * sizeof(T) < kMappedBytes) {
            std::allocator<T>::deallocate(memory, count);
        } else {
            FreeMapped(memory, count * sizeof(T));
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
