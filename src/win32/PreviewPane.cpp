// The preview pane: a black area inside a sunken border that shows the last frame the session
// presented, centred, and turns the mouse wheel and left-button drags into pans of the picture.
#include "win32/PreviewPane.h"

#include <windowsx.h>

#include <utility>

#include "win32/Controls.h"
#include "win32/WindowProcedure.h"

namespace pelliton::win32 {

namespace {

constexpr const wchar_t* kClassName = L"PellitonPreviewPane";

// One notch of the wheel moves the picture this far; finer wheels move it in proportion.
constexpr int kWheelNotchPixels = 48;

void FillBlack(HDC dc, int left, int top, int right, int bottom) {
    const RECT area{left, top, right, bottom};
    if (left < right && top < bottom) FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

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

// Only the bands around the frame are filled, so that a repaint does not flicker.
void PaintCentred(HDC dc, int clientWidth, int clientHeight, int frameWidth, int frameHeight,
                  std::span<const std::uint32_t> pixels) {
    const int left = (clientWidth - frameWidth) / 2;
    const int top = (clientHeight - frameHeight) / 2;
    const int right = left + frameWidth;
    const int bottom = top + frameHeight;
    FillBlack(dc, 0, 0, clientWidth, top);
    FillBlack(dc, 0, bottom, clientWidth, clientHeight);
    FillBlack(dc, 0, top, left, bottom);
    FillBlack(dc, right, top, clientWidth, bottom);
    if (frameWidth > 0 && frameHeight > 0) PaintPixels(dc, left, top, frameWidth, frameHeight, pixels);
}

// The sunken client edge is kPreviewPaneBorderPixels wide, so at the designed size the client area
// is the size the headless front end draws at.
void PreviewPane::Create(HWND parent, const ui::PixelRect& place, int id, PanHandler pan) {
    pan_ = std::move(pan);
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
        case WM_ERASEBKGND:
            return 1;  // painting covers the whole client area
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            Paint(BeginPaint(hwnd_, &paint));
            EndPaint(hwnd_, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
            InvalidateRect(hwnd_, nullptr, FALSE);  // the frame's place moves with the middle
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0);
            return 0;
        case WM_MOUSEHWHEEL:
            // Tilting right scrolls the view right: the picture moves left.
            OnWheel(-GET_WHEEL_DELTA_WPARAM(wParam), true);
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(hwnd_);
            SetCapture(hwnd_);
            dragging_ = true;
            dragPoint_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            return 0;
        case WM_MOUSEMOVE:
            if (dragging_) OnDrag({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            if (dragging_) OnDrag({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            dragging_ = false;
            ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A repaint shows the last presented frame again; it never draws anything new.
void PreviewPane::Paint(HDC dc) const { PaintCentred(dc, ClientWidth(), ClientHeight(), frameWidth_, frameHeight_, framePixels_); }

// Turning the wheel down moves the picture up, as a page scrolls; with Shift, to the left.
void PreviewPane::OnWheel(int delta, bool horizontal) {
    const int pixels = delta * kWheelNotchPixels / WHEEL_DELTA;
    if (pixels == 0) return;
    if (horizontal) {
        pan_(pixels, 0);
    } else {
        pan_(0, pixels);
    }
}

// The picture follows the mouse.
void PreviewPane::OnDrag(POINT to) {
    const int dx = to.x - dragPoint_.x;
    const int dy = to.y - dragPoint_.y;
    dragPoint_ = to;
    if (dx != 0 || dy != 0) pan_(dx, dy);
}

}  // namespace pelliton::win32
