// The preview pane: a black area inside a sunken border that shows the last frame the session
// presented, centred, and turns the mouse wheel and left-button drags into pans of the picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "session/PaneSurface.h"
#include "ui/Layout.h"

namespace pelliton::win32 {

// Draws width x height pixels (0xXXRRGGBB, rows top to bottom) with their top left corner at
// (left, top), one pixel to one pixel.
void PaintPixels(HDC dc, int left, int top, int width, int height, std::span<const std::uint32_t> pixels);

// Fills a client area of clientWidth x clientHeight black and draws the frame in its middle.
void PaintCentred(HDC dc, int clientWidth, int clientHeight, int frameWidth, int frameHeight,
                  std::span<const std::uint32_t> pixels);

// How far the picture should move, in pixels: right and down are positive.
using PanHandler = std::function<void(int dx, int dy)>;

class PreviewPane final : public PaneSurface {
public:
    void Create(HWND parent, const ui::PixelRect& place, int id, PanHandler pan);
    HWND Handle() const { return hwnd_; }

    int ClientWidth() const override;
    int ClientHeight() const override;
    void ShowPixels(int width, int height, std::span<const std::uint32_t> pixels) override;

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Paint(HDC dc) const;
    void OnWheel(int delta, bool horizontal);
    void OnDrag(POINT to);

    HWND hwnd_ = nullptr;
    PanHandler pan_;
    bool dragging_ = false;
    POINT dragPoint_{};  // where the last part of the drag ended
    int frameWidth_ = 0;  // no frame yet while 0
    int frameHeight_ = 0;
    std::vector<std::uint32_t> framePixels_;
};

}  // namespace pelliton::win32
