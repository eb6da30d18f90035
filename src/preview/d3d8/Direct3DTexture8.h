// Textures of the runtime: level 0 of an image as its file stores it, each texel decoded only when
// the device samples it.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "common/DdsFormat.h"
#include "common/DxtBlock.h"
#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/LiveCounted.h"
#include "preview/d3d8/TexelRows.h"

namespace pelliton::d3d8 {

// Bytes that a row of texels or of blocks takes.
inline std::size_t RowBytes(int count, std::size_t bytesEach) { return static_cast<std::size_t>(count) * bytesEach; }

class Direct3DTexture8 : public LiveCounted<Direct3DTexture8> {
public:
    // Pixels as a TGA file stores them: blue, green, red and, in 32-bit pixels, alpha. Rows top to
    // bottom, columns right to left when rightToLeft; format is D3DFMT_A8R8G8B8 or D3DFMT_X8R8G8B8.
    Direct3DTexture8(int width, int height, DWORD format, std::size_t bytesPerPixel, bool rightToLeft, TexelRows rows)
        : width_(width),
          height_(height),
          format_(format),
          bytesPerPixel_(bytesPerPixel),
          rightToLeft_(rightToLeft),
          rows_(std::move(rows)) {}
    // DXT1, DXT3 or DXT5: each row holds the colour halves of a row of blocks, rows of blocks top to
    // bottom. Drawing a small pane from a large texture decodes few blocks.
    Direct3DTexture8(int width, int height, DWORD format, TexelRows colourRows)
        : Direct3DTexture8(width, height, format, 0, false, std::move(colourRows)) {}
    Direct3DTexture8(const Direct3DTexture8&) = delete;
    Direct3DTexture8& operator=(const Direct3DTexture8&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    DWORD Format() const { return format_; }

    // The colour of texel (x, y) of level 0 as 0x00RRGGBB, 0 <= x < Width(), 0 <= y < Height(),
    // row 0 at the top of the image. Never its alpha: the device's back buffer has none. Each row
    // is read from the file when it is first sampled: a row that the file no longer holds throws
    // PellitonError, and ReadFailure keeps the reason.
    std::uint32_t TexelColour(int x, int y) const {
        assert(x >= 0 && x < width_ && y >= 0 && y < height_);
        if (bytesPerPixel_ == 0) {
            const std::uint8_t* block = rows_.Row(y / 4) + static_cast<std::size_t>(x / 4) * dds::kColourBlockBytes;
            return dxt::ColourBlockTexel(block, x % 4, y % 4, format_ == D3DFMT_DXT1);
        }
        const auto column = static_cast<std::size_t>(rightToLeft_ ? width_ - 1 - x : x);
        const std::uint8_t* bgr = rows_.Row(y) + column * bytesPerPixel_;
        return std::uint32_t{bgr[2]} << 16 | std::uint32_t{bgr[1]} << 8 | bgr[0];
    }

    // Lets the image file go once drawing is done, so that other programs may replace it.
    void ReleaseFile() { rows_.ReleaseFile(); }
    const std::optional<std::string>& ReadFailure() const { return rows_.ReadFailure(); }

private:
    int width_;
    int height_;
    DWORD format_;
    std::size_t bytesPerPixel_;  // 0 for blocks
    bool rightToLeft_;
    TexelRows rows_;
};

}  // namespace pelliton::d3d8
