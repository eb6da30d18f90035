// A picture placed in the preview pane without the 3-D device: fitted or at one texel to a pixel,
// its alpha shown over a checkerboard or left out.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "picture/RgbaPicture.h"

namespace pelliton {

enum class FrameScale { Fit, ActualSize };

struct FramePlacement {
    int paneWidth = 0;  // the frame's size: the pane's client area, pixels
    int paneHeight = 0;
    FrameScale scale = FrameScale::Fit;
    bool showAlpha = false;  // alpha over a checkerboard; otherwise the colours alone, opaque
    int panX = 0;            // ActualSize: the picture texel shown at the pane's left/top edge when the
    int panY = 0;            //   picture is larger than the pane on that axis (ignored on a smaller axis)
};

// The pan kept within the picture: 0..(picture side - pane side) on each axis where the picture
// is larger, 0 where it is not.
std::pair<int, int> ClampPan(int pictureWidth, int pictureHeight, int paneWidth, int paneHeight, int panX, int panY);

// 0x00RRGGBB pixels, top row first.
struct ComposedFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

inline constexpr std::uint32_t kFrameBackground = 0x333333;  // the perspective view's clear colour
inline constexpr std::uint32_t kCheckerLight = 0x999999;
inline constexpr std::uint32_t kCheckerDark = 0x666666;
inline constexpr int kCheckerSquare = 8;  // pixels, counted from the pane's top left

// The frame the pane shows: the background where no picture is; the picture centred on an axis
// where it is smaller than the pane (after scaling). Fit scales the whole picture into the pane
// keeping its aspect (reduction averages the texels a pixel covers, enlargement repeats texels);
// ActualSize shows one texel to a pixel from the clamped pan. A pane of no size gives an empty frame.
ComposedFrame ComposePictureFrame(const RgbaPicture& picture, const FramePlacement& placement);

}  // namespace pelliton
