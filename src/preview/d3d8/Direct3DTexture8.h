// Textures of the runtime: level 0 of an image, sampled texel by texel by the device.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/UninitialisedAllocator.h"
#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/LiveCounted.h"
#include "preview/d3d8/TexelRows.h"

namespace pelliton::d3d8 {

struct TexelCoordinate {
    int x, y;
};

class Direct3DTexture8 : public LiveCounted<Direct3DTexture8> {
public:
    Direct3DTexture8(int width, int height, DWORD format) : width_(width), height_(height), format_(format) {}
    virtual ~Direct3DTexture8() = default;
    Direct3DTexture8(const Direct3DTexture8&) = delete;
    Direct3DTexture8& operator=(const Direct3DTexture8&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    DWORD Format() const { return format_; }

    // The colour of texel (x, y) of level 0 as 0x00RRGGBB, 0 <= x < Width(), 0 <= y < Height(),
    // row 0 at the top of the image. Never its alpha: the device's back buffer has none. A texture
    // read from a file reads each row when it is first sampled: a row that the file no longer
    // holds throws PellitonError, and ReadFailure keeps the reason.
    virtual std::uint32_t TexelColour(int x, int y) const = 0;

    // TexelColour of many texels at once, into out (as long as at): one call for a drawn row.
    virtual void TexelColours(std::span<const TexelCoordinate> at, std::span<std::uint32_t> out) const = 0;

    // Lets the image file go once drawing is done, so that other programs may replace it.
    virtual void ReleaseFile() = 0;
    virtual const std::optional<std::string>& ReadFailure() const = 0;

private:
    int width_;
    int height_;
    DWORD format_;
};

// Bytes that a row of texels or of blocks takes.
inline std::size_t RowBytes(int count, std::size_t bytesEach) { return static_cast<std::size_t>(count) * bytesEach; }

// Pixels as a TGA file stores them: blue, green, red and, in pixels of kBgraBytes, alpha. Rows top
// to bottom, columns right to left when rightToLeft; format is D3DFMT_A8R8G8B8 or D3DFMT_X8R8G8B8.
inline constexpr std::size_t kBgraBytes = 4;
std::shared_ptr<Direct3DTexture8> MakePixelTexture(int width, int height, DWORD format, std::size_t bytesPerPixel,
                                                   bool rightToLeft, TexelRows rows);
// The same from texels 0xAARRGGBB, rows top to bottom.
std::shared_ptr<Direct3DTexture8> MakeArgbTexture(int width, int height, DWORD format, std::vector<D3DCOLOR> texels);

// The colour half of a DXT block: two 5:6:5 end points, then a byte of 2-bit indices per row.
inline constexpr std::size_t kColourBlockBytes = 8;

// A DXT1, DXT3 or DXT5 texture that decodes a texel only when it is sampled: drawing a small pane
// from a large texture touches few blocks. Each row holds the colour halves of a row of blocks,
// rows of blocks top to bottom.
std::shared_ptr<Direct3DTexture8> MakeBlockTexture(int width, int height, DWORD format, TexelRows colourRows);

}  // namespace pelliton::d3d8
