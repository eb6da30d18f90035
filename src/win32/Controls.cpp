// What both windows need to make and place themselves: window classes, child controls, sizes.
#include "win32/Controls.h"

#include "win32/Resources.h"

namespace pelliton::win32 {

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, int extraBytes) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &windowClass)) return;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = extraBytes;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = AppIcon(GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = AppIcon(GetSystemMetrics(SM_CXSMICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

HICON AppIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPICON), IMAGE_ICON, size, size, LR_SHARED));
}

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                   const ui::PixelRect& place, int id, DWORD extendedStyle) {
    HWND control = CreateWindowExW(extendedStyle, className, text, WS_CHILD | WS_VISIBLE | style, place.left,
                                   place.top, place.width, place.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

// Measured rather than computed, so that a menu bar that wraps is counted too.
void SetClientSize(HWND window, const ui::TwipsSize& size) {
    RECT frame{};
    RECT client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, (frame.right - frame.left) - client.right + TwipsToPixels(size.width),
                 (frame.bottom - frame.top) - client.bottom + TwipsToPixels(size.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOn(HWND window, const RECT& area) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace pelliton::win32
