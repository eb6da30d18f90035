// The preview pane: a black square inside a sunken border that shows the last frame the
// device presented.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "ui/Layout.h"
#include "win32/OpenRoad.h"

namespace pelliton::win32 {

// Draws width x height pixels (0xXXRRGGBB, rows top to bottom) with their top left corner at
// (left, top), one pixel to one pixel.
void PaintPixels(HDC dc, int left, int top, int width, int height, std::span<const std::uint32_t> pixels);

class PreviewPane final : public PaneSurface {
public:
    void Create(HWND parent, const ui::PixelRect& place, int id);
    HWND Handle() const { return hwnd_; }

    int ClientWidth() const override;
    int ClientHeight() const override;
    void ShowPixels(int width, int height, std::span<const std::uint32_t> pixels) override;

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Paint();

    HWND hwnd_ = nullptr;
    int frameWidth_ = 0;  // no frame yet while 0
    int frameHeight_ = 0;
    std::vector<std::uint32_t> framePixels_;
};

}  // namespace pelliton::win32
