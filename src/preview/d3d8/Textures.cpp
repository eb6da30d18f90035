// The two kinds of texture: pixels and DXT blocks, both as stored and decoded per sampled texel.
#include <cassert>
#include <cstring>

#include "preview/d3d8/Direct3DTexture8.h"

namespace pelliton::d3d8 {

namespace {

// A drawn row's texels sampled in one call, each without a call of its own.
template <typename Texture>
class RowSampled : public Direct3DTexture8 {
public:
    using Direct3DTexture8::Direct3DTexture8;

    void TexelColours(std::span<const TexelCoordinate> at, std::span<std::uint32_t> out) const final {
        const auto& texture = static_cast<const Texture&>(*this);
        for (std::size_t i = 0; i < at.size(); ++i) out[i] = texture.TexelColour(at[i].x, at[i].y);
    }
};

// Pixels as a TGA file stores them, converted only when sampled.
class PixelTexture final : public RowSampled<PixelTexture> {
public:
    PixelTexture(int width, int height, DWORD format, std::size_t bytesPerPixel, bool rightToLeft, TexelRows rows)
        : RowSampled(width, height, format),
          bytesPerPixel_(bytesPerPixel),
          rightToLeft_(rightToLeft),
          rows_(std::move(rows)) {}

    std::uint32_t TexelColour(int x, int y) const override {
        const auto column = static_cast<std::size_t>(rightToLeft_ ? Width() - 1 - x : x);
        const std::uint8_t* bgr = rows_.Row(y) + column * bytesPerPixel_;
        return std::uint32_t{bgr[2]} << 16 | std::uint32_t{bgr[1]} << 8 | bgr[0];
    }
    void ReleaseFile() override { rows_.ReleaseFile(); }
    const std::optional<std::string>& ReadFailure() const override { return rows_.ReadFailure(); }

private:
    std::size_t bytesPerPixel_;
    bool rightToLeft_;
    TexelRows rows_;
};

// 5 and 6 bits widen to 8 by repeating their top bits: 0 stays 0 and the maximum becomes 255.
constexpr std::uint32_t Widen565(std::uint32_t colour) {
    const std::uint32_t red = colour >> 11, green = (colour >> 5) & 0x3FU, blue = colour & 0x1FU;
    return ((red << 3) | (red >> 2)) << 16 | ((green << 2) | (green >> 4)) << 8 | ((blue << 3) | (blue >> 2));
}

// How an index mixes the end points, per channel: (weight0 * end0 + weight1 * end1) * scale >> shift,
// which divides the sum by 1, 2 or 3 and rounds down (exactly, for sums up to 765). Looked up rather
// than branched on: the indices of a drawn row jump from block to block.
struct Mix {
    std::uint32_t weight0, weight1, scale, shift;
};
constexpr std::uint32_t kThirdScale = 0xAAAB, kThirdShift = 17;
constexpr Mix kMixes[2][4] = {
    // four colours: end0, end1, (2 end0 + end1) / 3, (end0 + 2 end1) / 3
    {{1, 0, 1, 0}, {0, 1, 1, 0}, {2, 1, kThirdScale, kThirdShift}, {1, 2, kThirdScale, kThirdShift}},
    // three colours and black: end0, end1, (end0 + end1) / 2, 0
    {{1, 0, 1, 0}, {0, 1, 1, 0}, {1, 1, 1, 1}, {0, 0, 1, 0}},
};

// Texel (x, y) of a colour block: two little-endian 5:6:5 end points, then one byte of 2-bit
// indices per row, texel x at bits 2x. DXT1 alone switches to three colours and black when
// colour0 <= colour1 (the black is transparent, which the device cannot show); DXT3 and DXT5
// always use four colours. Runs once per drawn pixel, so it reads only the bytes it needs.
std::uint32_t ColourBlockTexel(const std::uint8_t* block, int x, int y, bool threeColourAllowed) {
    const std::uint32_t colour0 = block[0] | block[1] << 8;
    const std::uint32_t colour1 = block[2] | block[3] << 8;
    const unsigned index = (block[4 + y] >> (2 * x)) & 0x3U;
    const Mix& mix = kMixes[threeColourAllowed && colour0 <= colour1][index];
    const std::uint32_t end0 = Widen565(colour0), end1 = Widen565(colour1);
    std::uint32_t texel = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t sum = mix.weight0 * ((end0 >> shift) & 0xFFU) + mix.weight1 * ((end1 >> shift) & 0xFFU);
        texel |= (sum * mix.scale >> mix.shift) << shift;
    }
    return texel;
}

// Keeps, per row of blocks, only the colour halves: the device never shows alpha.
class BlockTexture final : public RowSampled<BlockTexture> {
public:
    BlockTexture(int width, int height, DWORD format, TexelRows colourRows)
        : RowSampled(width, height, format), rows_(std::move(colourRows)) {}

    std::uint32_t TexelColour(int x, int y) const override {
        return ColourBlockTexel(ColourBlockOf(x, y), x % 4, y % 4, Format() == D3DFMT_DXT1);
    }

    void ReleaseFile() override { rows_.ReleaseFile(); }
    const std::optional<std::string>& ReadFailure() const override { return rows_.ReadFailure(); }

private:
    const std::uint8_t* ColourBlockOf(int x, int y) const {
        assert(x >= 0 && x < Width() && y >= 0 && y < Height());
        return rows_.Row(y / 4) + static_cast<std::size_t>(x / 4) * kColourBlockBytes;
    }

    TexelRows rows_;
};

}  // namespace

std::shared_ptr<Direct3DTexture8> MakeArgbTexture(int width, int height, DWORD format, std::vector<D3DCOLOR> texels) {
    assert(texels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    UninitialisedBytes pixels(texels.size() * kBgraBytes);
    for (std::size_t i = 0; i < texels.size(); ++i) {
        for (std::size_t byte = 0; byte < kBgraBytes; ++byte) {
            pixels[i * kBgraBytes + byte] = static_cast<std::uint8_t>(texels[i] >> (8 * byte));
        }
    }
    return MakePixelTexture(width, height, format, kBgraBytes, false,
                            TexelRows(height, RowBytes(width, kBgraBytes), std::move(pixels)));
}

std::shared_ptr<Direct3DTexture8> MakePixelTexture(int width, int height, DWORD format, std::size_t bytesPerPixel,
                                                   bool rightToLeft, TexelRows rows) {
    return std::make_shared<PixelTexture>(width, height, format, bytesPerPixel, rightToLeft, std::move(rows));
}

std::shared_ptr<Direct3DTexture8> MakeBlockTexture(int width, int height, DWORD format, TexelRows colourRows) {
    return std::make_shared<BlockTexture>(width, height, format, std::move(colourRows));
}

}  // namespace pelliton::d3d8
