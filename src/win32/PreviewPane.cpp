// The preview pane: a black square inside a sunken border that shows the last frame the
// device presented.
#include "win32/PreviewPane.h"

#include "win32/Controls.h"
#include "win32/WindowProcedure.h"

namespace pelliton::win32 {

namespace {

constexpr const wchar_t* kClassName = L"PellitonPreviewPane";

}  // namespace

// A top-down 32-bit DIB (negative height) stores 0xXXRRGGBB pixels exactly as frames hold them.
void PaintPixels(HDC dc, int left, int top, int width, int height, std::span<const std::uint32_t> pixels) {
    BITMAPINFO bitmap{};
    bitmap.bmiHeader.biSize = sizeof bitmap.bmiHeader;
    bitmap.bmiHeader.biWidth = width;
    bitmap.bmiHeader.biHeight = -height;
    bitmap.bmiHeader.biPlanes = 1;
    bitmap.bmiHeader.biBitCount = 32;
    bitmap.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), pixels.data(), &bitmap, DIB_RGB_COLORS);
}

// The sunken client edge is kPreviewPaneBorderPixels wide, so the client area is the size the
// headless front end draws at.
void PreviewPane::Create(HWND parent, const ui::PixelRect& place, int id) {
    RegisterWindowClass(kClassName, ObjectWindowProcedure<PreviewPane>, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, place.left, place.top,
                    place.width, place.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                    GetModuleHandleW(nullptr), this);
}

int PreviewPane::ClientWidth() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client.right;
}

int PreviewPane::ClientHeight() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client.bottom;
}

void PreviewPane::ShowPixels(int width, int height, std::span<const std::uint32_t> pixels) {
    framePixels_.assign(pixels.begin(), pixels.end());
    frameWidth_ = width;
    frameHeight_ = height;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT PreviewPane::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            hwnd_ = hwnd;
            break;
        case WM_NCDESTROY:
            hwnd_ = nullptr;
            break;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A repaint shows the last presented frame again; it never draws anything new.
void PreviewPane::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (frameWidth_ > 0) PaintPixels(dc, 0, 0, frameWidth_, frameHeight_, framePixels_);
    EndPaint(hwnd_, &paint);
}

}  // namespace pelliton::win32
