// One window procedure for every window class backed by a C++ object: the object comes with
// CreateWindowEx's last argument and gets each message from then on.
#pragma once

#include <windows.h>

namespace pelliton::win32 {

// Window needs LRESULT HandleMessage(HWND, UINT, WPARAM, LPARAM); it sees WM_NCCREATE first and
// WM_NCDESTROY last.
template <class Window>
LRESULT CALLBACK ObjectWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return window->HandleMessage(hwnd, message, wParam, lParam);
}

}  // namespace pelliton::win32
