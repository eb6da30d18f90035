// Fonts and brushes a window makes for itself, deleted with it.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace pelliton::win32 {

struct GdiObjectDeleter {
    void operator()(void* object) const { DeleteObject(object); }
};

template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

}  // namespace pelliton::win32
