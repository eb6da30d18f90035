// The preview pane paints a frame pixel for pixel (rows top to bottom, colours as the frame holds
// them) in the middle of its client area, black around it; and turns the wheel and drags into pans.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "win32/GdiObject.h"
#include "win32/PreviewPane.h"
#include "win32/SessionWindowTest.h"
#include "win32/WindowTest.h"

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

// A pane of 40 x 30 client pixels in a window of its own, recording the pans it asks for.
class PreviewPaneTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (IsSkipped()) return;
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        pane.Create(parent_, {0, 0, 44, 34}, 1, [this](int dx, int dy) { pans.emplace_back(dx, dy); });
    }
    void TearDown() override { DestroyWindow(parent_); }

    void Send(UINT message, WPARAM wParam, int x = 0, int y = 0) {
        SendMessageW(pane.Handle(), message, wParam, MAKELPARAM(x, y));
    }

    PreviewPane pane;
    std::vector<std::pair<int, int>> pans;

private:
    HWND parent_ = nullptr;
};

TEST_F(PreviewPaneTest, AFrameIsShownInTheMiddleBlackAroundIt) {
    ASSERT_EQ(pane.ClientWidth(), 40);
    ASSERT_EQ(pane.ClientHeight(), 30);
    EXPECT_EQ(test::CaptureClient(pane.Handle()).pixels, std::vector<std::uint32_t>(40 * 30, 0)) << "before a frame";

    const std::vector<std::uint32_t> frame(4 * 2, 0x00FF8000);
    pane.ShowPixels(4, 2, frame);
    const test::Capture shown = test::CaptureClient(pane.Handle());
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inFrame = x >= 18 && x < 22 && y >= 14 && y < 16;
            ASSERT_EQ(shown.At(x, y), inFrame ? 0xFF8000u : 0u) << "at " << x << "," << y;
        }
    }
}

TEST_F(PreviewPaneTest, TheWheelPansUpAndDownAndWithShiftOrTiltedSideways) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        std::pair<int, int> pan;
    };
    const auto wheel = [](int delta, WORD keys = 0) { return MAKEWPARAM(keys, static_cast<WORD>(delta)); };
    const Case cases[] = {
        {"down a notch: the picture moves up", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA), {0, -48}},
        {"up a notch", WM_MOUSEWHEEL, wheel(WHEEL_DELTA), {0, 48}},
        {"a fine wheel's part of a notch", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA / 4), {0, -12}},
        {"down with Shift: the picture moves left", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA, MK_SHIFT), {-48, 0}},
        {"tilted right: the picture moves left", WM_MOUSEHWHEEL, wheel(WHEEL_DELTA), {-48, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pans.clear();
        Send(c.message, c.wParam, 10, 10);
        EXPECT_EQ(pans, std::vector{c.pan});
    }
}

TEST_F(PreviewPaneTest, DraggingWithTheLeftButtonMovesThePictureWithTheMouse) {
    Send(WM_MOUSEMOVE, 0, 5, 5);  // no button: nothing
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 20, 15);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 20, 15);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 18, 15);
    Send(WM_LBUTTONUP, 0, 18, 20);
    Send(WM_MOUSEMOVE, 0, 30, 30);  // released: nothing
    EXPECT_EQ(pans, (std::vector<std::pair<int, int>>{{10, 5}, {-2, 0}, {0, 5}}));
}

}  // namespace
}  // namespace pelliton::win32
