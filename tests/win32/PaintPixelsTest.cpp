// The preview pane paints a frame pixel for pixel: rows top to bottom, colours as the frame holds them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "win32/GdiObject.h"
#include "win32/PreviewPane.h"

namespace pelliton::win32 {
namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);

BITMAPINFO Bitmap32(int width, int height) {
    BITMAPINFO bitmap{};
    bitmap.bmiHeader.biSize = sizeof bitmap.bmiHeader;
    bitmap.bmiHeader.biWidth = width;
    bitmap.bmiHeader.biHeight = height;
    bitmap.bmiHeader.biPlanes = 1;
    bitmap.bmiHeader.biBitCount = 32;
    bitmap.bmiHeader.biCompression = BI_RGB;
    return bitmap;
}

// A memory device context on a 32-bit bitmap, filled with kUntouched; needs no display.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        const BITMAPINFO format = Bitmap32(width, height);
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectObject(dc_, bitmap_.get());
        const RECT all{0, 0, width, height};
        const GdiObject<HBRUSH> fill(CreateSolidBrush(kUntouched));
        FillRect(dc_, &all, fill.get());
    }
    ~MemoryCanvas() { DeleteDC(dc_); }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    GdiObject<HBITMAP> bitmap_;
};

TEST(PaintPixels, DrawsRowsTopToBottomInTheFramesColours) {
    // 0xXXRRGGBB; the unused top byte must not matter.
    const std::vector<std::uint32_t> frame{0x00FF0000, 0xFF00FF00, 0x000000FF,   // top row: red, green, blue
                                           0x00333333, 0x00FFFFFF, 0x00102030};  // bottom row
    MemoryCanvas canvas(5, 4);
    PaintPixels(canvas.dc(), 1, 2, 3, 2, frame);

    const COLORREF painted[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                    {RGB(51, 51, 51), RGB(255, 255, 255), RGB(0x10, 0x20, 0x30)}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool inFrame = x >= 1 && x < 4 && y >= 2;
            const COLORREF wanted = inFrame ? painted[y - 2][x - 1] : kUntouched;
            EXPECT_EQ(canvas.At(x, y), wanted) << "at " << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace pelliton::win32
