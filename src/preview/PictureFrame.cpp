#include "preview/PictureFrame.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace pelliton {

namespace {

constexpr std::size_t kRgbaBytes = 4;

// The texels [begin, end) of the picture that one pixel of the frame shows, along one axis.
struct TexelSpan {
    int begin;
    int end;
};

// Where the picture lands along one axis of the pane, and the texels behind each of its pixels.
struct AxisPlacement {
    int start = 0;  // the pane pixel of the picture's first shown pixel
    std::vector<TexelSpan> spans;
};

// Pixel i of length shows texels [i * side / length, (i + 1) * side / length): consecutive pixels
// share out the texels when reducing; when enlarging each pixel takes the one texel it lies on.
AxisPlacement FitAxis(int side, int length, int paneSide) {
    AxisPlacement axis{(paneSide - length) / 2, {}};
    axis.spans.resize(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) {
        const auto begin = static_cast<int>(std::int64_t{i} * side / length);
        const auto end = static_cast<int>(std::int64_t{i + 1} * side / length);
        axis.spans[static_cast<std::size_t>(i)] = {begin, std::max(begin + 1, end)};
    }
    return axis;
}

// One texel to a pixel: centred where the picture is smaller than the pane, from pan where larger.
AxisPlacement ActualSizeAxis(int side, int paneSide, int pan) {
    const int length = std::min(side, paneSide);
    AxisPlacement axis{side < paneSide ? (paneSide - side) / 2 : 0, {}};
    axis.spans.resize(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) axis.spans[static_cast<std::size_t>(i)] = {pan + i, pan + i + 1};
    return axis;
}

// The picture's scaled sides in a Fit: the limiting axis fills the pane, the other keeps the aspect,
// rounded to the nearest pixel and never below one.
std::pair<int, int> FittedSides(int width, int height, int paneWidth, int paneHeight) {
    const std::int64_t acrossByWidth = std::int64_t{paneWidth} * height,
                       downByHeight = std::int64_t{paneHeight} * width;
    if (acrossByWidth <= downByHeight) {
        return {paneWidth, static_cast<int>(std::max<std::int64_t>(1, (2 * acrossByWidth + width) / (2 * width)))};
    }
    return {static_cast<int>(std::max<std::int64_t>(1, (2 * downByHeight + height) / (2 * height))), paneHeight};
}

// alpha * colour + (1 - alpha) * grey, rounded to the nearest integer (255 is odd: never a tie).
std::uint32_t Blend(std::uint32_t colour, std::uint32_t alpha, std::uint32_t grey) {
    return (alpha * colour + (255 - alpha) * grey + 127) / 255;
}

std::uint32_t CheckerGrey(int x, int y) {
    return ((x / kCheckerSquare + y / kCheckerSquare) & 1) == 0 ? kCheckerLight & 0xFF : kCheckerDark & 0xFF;
}

// Adds count texels, channel by channel, to sums. Two channels share a 32-bit word in 16-bit lanes
// (red and blue, green and alpha), which hold the sums of up to 257 texels before they carry.
void AddTexels(const std::uint8_t* texels, std::size_t count, std::array<std::uint64_t, kRgbaBytes>& sums) {
    constexpr std::size_t kTexelsALaneHolds = 256;
    while (count > 0) {
        const std::size_t part = std::min(count, kTexelsALaneHolds);
        std::uint32_t redBlue = 0, greenAlpha = 0;
        for (std::size_t i = 0; i < part; ++i) {
            const std::uint8_t* texel = texels + i * kRgbaBytes;
            const std::uint32_t word =
                texel[0] | texel[1] << 8 | texel[2] << 16 | static_cast<std::uint32_t>(texel[3]) << 24;
            redBlue += word & 0x00FF00FFu;
            greenAlpha += word >> 8 & 0x00FF00FFu;
        }
        sums[0] += redBlue & 0xFFFFu;
        sums[1] += greenAlpha & 0xFFFFu;
        sums[2] += redBlue >> 16;
        sums[3] += greenAlpha >> 16;
        texels += part * kRgbaBytes;
        count -= part;
    }
}

bool HoldsTexels(const RgbaPicture& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.rgba.size() >=
               static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * kRgbaBytes;
}

// Writes the picture's pixels into the frame: each pixel the rounded average of the texels behind
// it, shown opaque or blended over the checkerboard. Sums are gathered a row of texels at a time, so
// that the picture is read in the order it lies in memory.
void DrawPicture(const RgbaPicture& picture, const AxisPlacement& across, const AxisPlacement& down, bool showAlpha,
                 ComposedFrame& frame) {
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * kRgbaBytes;
    std::vector<std::array<std::uint64_t, kRgbaBytes>> sums(across.spans.size());
    for (std::size_t row = 0; row < down.spans.size(); ++row) {
        const TexelSpan rows = down.spans[row];
        std::fill(sums.begin(), sums.end(), std::array<std::uint64_t, kRgbaBytes>{});
        for (int y = rows.begin; y < rows.end; ++y) {
            const std::uint8_t* texels = picture.rgba.data() + static_cast<std::size_t>(y) * rowBytes;
            for (std::size_t column = 0; column < sums.size(); ++column) {
                const TexelSpan columns = across.spans[column];
                const std::uint8_t* texel = texels + static_cast<std::size_t>(columns.begin) * kRgbaBytes;
                AddTexels(texel, static_cast<std::size_t>(columns.end - columns.begin), sums[column]);
            }
        }
        const int paneY = down.start + static_cast<int>(row);
        std::uint32_t* out =
            frame.pixels.data() + static_cast<std::size_t>(paneY) * static_cast<std::size_t>(frame.width);
        for (std::size_t column = 0; column < sums.size(); ++column) {
            const TexelSpan columns = across.spans[column];
            const auto count = static_cast<std::uint64_t>(columns.end - columns.begin) *
                               static_cast<std::uint64_t>(rows.end - rows.begin);
            std::array<std::uint32_t, kRgbaBytes> mean;
            for (std::size_t channel = 0; channel < kRgbaBytes; ++channel) {
                mean[channel] = static_cast<std::uint32_t>((sums[column][channel] + count / 2) / count);
            }
            const int paneX = across.start + static_cast<int>(column);
            if (showAlpha) {
                const std::uint32_t grey = CheckerGrey(paneX, paneY);
                for (std::size_t channel = 0; channel < 3; ++channel)
                    mean[channel] = Blend(mean[channel], mean[3], grey);
            }
            out[paneX] = mean[0] << 16 | mean[1] << 8 | mean[2];
        }
    }
}

}  // namespace

std::pair<int, int> ClampPan(int pictureWidth, int pictureHeight, int paneWidth, int paneHeight, int panX, int panY) {
    const auto clamp = [](int side, int paneSide, int pan) {
        return side > paneSide ? std::clamp(pan, 0, side - paneSide) : 0;
    };
    return {clamp(pictureWidth, paneWidth, panX), clamp(pictureHeight, paneHeight, panY)};
}

ComposedFrame ComposePictureFrame(const RgbaPicture& picture, const FramePlacement& placement) {
    if (placement.paneWidth <= 0 || placement.paneHeight <= 0) return {};
    ComposedFrame frame{placement.paneWidth, placement.paneHeight, {}};
    frame.pixels.assign(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height),
                        kFrameBackground);
    if (!HoldsTexels(picture)) return frame;
    if (placement.scale == FrameScale::Fit) {
        const auto [width, height] = FittedSides(picture.width, picture.height, frame.width, frame.height);
        DrawPicture(picture, FitAxis(picture.width, width, frame.width), FitAxis(picture.height, height, frame.height),
                    placement.showAlpha, frame);
    } else {
        const auto [panX, panY] =
            ClampPan(picture.width, picture.height, frame.width, frame.height, placement.panX, placement.panY);
        DrawPicture(picture, ActualSizeAxis(picture.width, frame.width, panX),
                    ActualSizeAxis(picture.height, frame.height, panY), placement.showAlpha, frame);
    }
    return frame;
}

}  // namespace pelliton
