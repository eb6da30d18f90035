// A picture placed in the pane without the device: where it lands, which texels each pixel shows,
// and how its alpha is blended over the checkerboard.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "preview/PictureFrame.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

using Texel = std::vector<std::uint8_t>;  // red, green, blue, alpha

RgbaPicture Filled(int width, int height, const Texel& texel) {
    std::vector<std::uint8_t> rgba;
    for (int i = 0; i < width * height; ++i) rgba.insert(rgba.end(), texel.begin(), texel.end());
    return testing::PictureOf(width, height, rgba);
}

// Texels whose red is given row by row, opaque.
RgbaPicture Reds(int width, const std::vector<std::uint8_t>& reds) {
    std::vector<std::uint8_t> rgba;
    for (const std::uint8_t red : reds) rgba.insert(rgba.end(), {red, 0, 0, 255});
    return testing::PictureOf(width, static_cast<int>(reds.size()) / width, rgba);
}

std::uint32_t At(const ComposedFrame& frame, int x, int y) {
    return frame.pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width) +
                           static_cast<std::size_t>(x));
}

// Each pixel's red, row by row.
std::vector<std::uint32_t> RedsOf(const ComposedFrame& frame) {
    std::vector<std::uint32_t> reds;
    for (const std::uint32_t pixel : frame.pixels) reds.push_back(pixel >> 16);
    return reds;
}

struct Rect {
    int left, top, width, height;
    bool operator==(const Rect&) const = default;
};

std::string Describe(const Rect& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.width) + " x " +
           std::to_string(rect.height);
}

TEST(ClampPan, KeepsThePanWithinALargerPictureAndAtZeroOtherwise) {
    struct Case {
        int pictureWidth, pictureHeight, paneWidth, paneHeight, panX, panY, x, y;
    };
    for (const Case& c : std::vector<Case>{
             {100, 50, 40, 60, 70, 5, 60, 0},      // past the right edge; the picture is shorter than the pane
             {100, 80, 40, 60, -3, 10, 0, 10},     // before the left edge; within on the other axis
             {100, 80, 40, 60, 60, 20, 60, 20},    // exactly at the far edges
             {40, 60, 40, 60, 5, 5, 0, 0},         // the same size as the pane
             {1, 1, 557, 557, 1000, -1000, 0, 0},  // far smaller
         }) {
        const auto [x, y] = ClampPan(c.pictureWidth, c.pictureHeight, c.paneWidth, c.paneHeight, c.panX, c.panY);
        EXPECT_EQ(x, c.x) << c.pictureWidth << " x " << c.pictureHeight << " pan " << c.panX;
        EXPECT_EQ(y, c.y) << c.pictureWidth << " x " << c.pictureHeight << " pan " << c.panY;
    }
}

// An opaque picture of one colour: it covers exactly the expected rectangle, the background the rest.
TEST(ComposePictureFrame, PlacesThePictureInThePane) {
    struct Case {
        std::string name;
        int pictureWidth, pictureHeight;
        FramePlacement placement;
        Rect drawn;
    };
    const std::vector<Case> cases = {
        {"fit up, wide", 4, 2, {10, 10, FrameScale::Fit}, {0, 2, 10, 5}},
        {"fit down, wide", 100, 50, {30, 30, FrameScale::Fit}, {0, 7, 30, 15}},
        {"fit up, tall, width rounded", 3, 7, {20, 10, FrameScale::Fit}, {8, 0, 4, 10}},
        {"fit down, tall, odd", 51, 101, {10, 9, FrameScale::Fit}, {2, 0, 5, 9}},
        {"fit one texel", 1, 1, {5, 3, FrameScale::Fit}, {1, 0, 3, 3}},
        {"fit a line, never thinner than a pixel", 1000, 1, {9, 9, FrameScale::Fit}, {0, 4, 9, 1}},
        {"fit the pane's own shape", 6, 4, {6, 4, FrameScale::Fit}, {0, 0, 6, 4}},
        {"actual size, smaller, centred", 3, 2, {8, 7, FrameScale::ActualSize}, {2, 2, 3, 2}},
        {"actual size, wider, pan ignored across the height",
         20,
         2,
         {8, 5, FrameScale::ActualSize, false, 4, 9},
         {0, 1, 8, 2}},
        {"actual size, larger both ways", 20, 20, {8, 5, FrameScale::ActualSize, false, 3, 3}, {0, 0, 8, 5}},
        {"actual size, one texel", 1, 1, {4, 4, FrameScale::ActualSize}, {1, 1, 1, 1}},
    };
    constexpr std::uint32_t kColour = 0x10C080;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ComposedFrame frame =
            ComposePictureFrame(Filled(c.pictureWidth, c.pictureHeight, {0x10, 0xC0, 0x80, 255}), c.placement);
        ASSERT_EQ(frame.width, c.placement.paneWidth);
        ASSERT_EQ(frame.height, c.placement.paneHeight);
        ASSERT_EQ(frame.pixels.size(), static_cast<std::size_t>(frame.width * frame.height));
        for (int y = 0; y < frame.height; ++y) {
            for (int x = 0; x < frame.width; ++x) {
                const bool inside = x >= c.drawn.left && x < c.drawn.left + c.drawn.width && y >= c.drawn.top &&
                                    y < c.drawn.top + c.drawn.height;
                ASSERT_EQ(At(frame, x, y), inside ? kColour : kFrameBackground)
                    << "pixel " << x << "," << y << " of " << Describe(c.drawn);
            }
        }
    }
}

// Red values chosen so that a pixel showing other texels, or a sum rounded the wrong way, differs.
TEST(ComposePictureFrame, FitAveragesWhenReducingAndRepeatsWhenEnlarging) {
    struct Case {
        std::string name;
        RgbaPicture picture;
        int paneWidth, paneHeight;
        std::vector<std::uint32_t> reds;
    };
    const std::vector<Case> cases = {
        // 2 x 2 texels a pixel: 1/4 rounds down, 3/4 up, 2/4 (a half) up.
        {"halved",
         Reds(6, {0, 1, 1, 1, 1, 0,  //
                  0, 0, 1, 0, 1, 0}),
         3,
         1,
         {0, 1, 1}},
        // Five texels into two pixels: the first takes two, the second three; the line keeps the top row.
        {"uneven reduction", Reds(5, {10, 20, 30, 40, 60}), 2, 2, {15, 43, 51, 51}},
        {"tripled", Reds(2, {7, 9}), 6, 3, {7, 7, 7, 9, 9, 9, 7, 7, 7, 9, 9, 9, 7, 7, 7, 9, 9, 9}},
        // 2 texels over 5 pixels: each pixel takes the texel its left edge lies on.
        {"enlarged by two and a half", Reds(2, {7, 9, 11, 13}), 5, 5, {7,  7,  7,  9,  9,   //
                                                                       7,  7,  7,  9,  9,   //
                                                                       7,  7,  7,  9,  9,   //
                                                                       11, 11, 11, 13, 13,  //
                                                                       11, 11, 11, 13, 13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RedsOf(ComposePictureFrame(c.picture, {c.paneWidth, c.paneHeight, FrameScale::Fit})), c.reds);
    }
}

TEST(ComposePictureFrame, ActualSizeShowsTheTexelsFromTheClampedPan) {
    std::vector<std::uint8_t> reds;
    for (std::uint8_t x = 0; x < 20; ++x) reds.push_back(static_cast<std::uint8_t>(100 + x));
    const RgbaPicture picture = Reds(20, reds);
    for (const auto& [panX, first] :
         std::vector<std::pair<int, std::uint32_t>>{{5, 105}, {100, 112}, {-3, 100}, {12, 112}}) {
        const ComposedFrame frame = ComposePictureFrame(picture, {8, 3, FrameScale::ActualSize, false, panX, 0});
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(At(frame, x, 1), (first + static_cast<std::uint32_t>(x)) << 16)
                << "pan " << panX << ", pixel " << x;
        }
        EXPECT_EQ(At(frame, 0, 0), kFrameBackground);
        EXPECT_EQ(At(frame, 7, 2), kFrameBackground);
    }
}

// Without showAlpha the colours stand alone, opaque, whatever the alpha; with it, each channel is
// alpha * colour + (1 - alpha) * grey rounded to the nearest (worked out by hand).
TEST(ComposePictureFrame, BlendsTheAlphaOverTheCheckerboardOnlyWhenAsked) {
    struct Case {
        Texel texel;
        std::uint32_t opaque, overLight, overDark;
    };
    const std::vector<Case> cases = {
        {{255, 0, 17, 128}, 0xFF0011, 0xCC4C55, 0xB3333B},    // 204.2, 76.2, 84.7; 178.8, 50.8, 59.3
        {{200, 37, 100, 1}, 0xC82564, 0x999999, 0x666666},    // 153.2, 152.5, 152.8; 102.4, 101.7, 102.0
        {{17, 100, 255, 254}, 0x1164FF, 0x1264FF, 0x1164FE},  // 17.5, 100.2, 254.6; 17.3, 100.0, 254.4
        {{9, 8, 7, 0}, 0x090807, 0x999999, 0x666666},        {{37, 38, 39, 255}, 0x252627, 0x252627, 0x252627},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("alpha " + std::to_string(c.texel[3]));
        const RgbaPicture picture = Filled(16, 8, c.texel);
        const FramePlacement plain{16, 8, FrameScale::ActualSize};
        FramePlacement checkered = plain;
        checkered.showAlpha = true;
        EXPECT_EQ(At(ComposePictureFrame(picture, plain), 8, 0), c.opaque);
        const ComposedFrame frame = ComposePictureFrame(picture, checkered);
        EXPECT_EQ(At(frame, 7, 7), c.overLight);
        EXPECT_EQ(At(frame, 8, 0), c.overDark);
    }
}

// The squares stay where they are in the pane as the picture moves: a transparent picture shows the
// checkerboard of the pane's coordinates, wherever it lies and however it is panned.
TEST(ComposePictureFrame, TheCheckerboardIsFixedToThePane) {
    const auto expectCheckerboard = [](const ComposedFrame& frame, int left, int top, int width, int height) {
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                const bool light = (x / 8 + y / 8) % 2 == 0;
                ASSERT_EQ(At(frame, x, y), light ? kCheckerLight : kCheckerDark) << "pixel " << x << "," << y;
            }
        }
    };
    const RgbaPicture transparent = Filled(40, 30, {255, 255, 255, 0});
    for (const int pan : {0, 3, 11}) {
        SCOPED_TRACE("pan " + std::to_string(pan));
        expectCheckerboard(ComposePictureFrame(transparent, {20, 17, FrameScale::ActualSize, true, pan, pan}), 0, 0, 20,
                           17);
    }
    // Centred at 5,5, across the squares' edges at 8.
    expectCheckerboard(ComposePictureFrame(Filled(5, 5, {0, 0, 0, 0}), {16, 16, FrameScale::ActualSize, true}), 5, 5, 5,
                       5);
    const ComposedFrame fitted = ComposePictureFrame(Filled(2, 1, {0, 0, 0, 0}), {20, 20, FrameScale::Fit, true});
    expectCheckerboard(fitted, 0, 5, 20, 10);
    EXPECT_EQ(At(fitted, 0, 4), kFrameBackground);
    EXPECT_EQ(At(fitted, 19, 15), kFrameBackground);
}

TEST(ComposePictureFrame, APaneWithoutSizeGivesAnEmptyFrame) {
    const RgbaPicture picture = Filled(4, 4, {1, 2, 3, 255});
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{0, 10}, {10, 0}, {-5, 5}, {0, 0}}) {
        for (const FrameScale scale : {FrameScale::Fit, FrameScale::ActualSize}) {
            const ComposedFrame frame = ComposePictureFrame(picture, {width, height, scale});
            EXPECT_EQ(frame.width, 0) << width << " x " << height;
            EXPECT_EQ(frame.height, 0) << width << " x " << height;
            EXPECT_TRUE(frame.pixels.empty()) << width << " x " << height;
        }
    }
}

TEST(ComposePictureFrame, APictureWithoutTexelsLeavesTheBackground) {
    const ComposedFrame frame = ComposePictureFrame(RgbaPicture{}, {3, 2, FrameScale::Fit});
    EXPECT_EQ(frame.pixels, std::vector<std::uint32_t>(6, kFrameBackground));
}

// A picture far larger than the pane: every texel counts once in a pixel's average.
TEST(ComposePictureFrame, ReducesALargePictureToItsAverage) {
    RgbaPicture picture = Filled(2048, 1024, {200, 100, 50, 255});
    // 32 x 32 texels a pixel: a dark row of 32 pulls the first pixel's red to 193.75.
    for (std::size_t x = 0; x < 32; ++x) picture.rgba[4 * x] = 0;
    const ComposedFrame frame = ComposePictureFrame(picture, {64, 64, FrameScale::Fit});
    EXPECT_EQ(At(frame, 0, 16), 0xC26432u);
    EXPECT_EQ(At(frame, 1, 16), 0xC86432u);
    EXPECT_EQ(At(frame, 63, 47), 0xC86432u);
    EXPECT_EQ(At(frame, 0, 15), kFrameBackground);
    EXPECT_EQ(At(frame, 0, 48), kFrameBackground);
}

}  // namespace
}  // namespace pelliton
