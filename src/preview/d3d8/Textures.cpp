// The two kinds of texture: 32-bit texels as loaded, and DXT blocks as stored, decoded per texel.
#include <cassert>
#include <cstring>

#include "preview/d3d8/Direct3DTexture8.h"

namespace pelliton::d3d8 {

namespace {

class ArgbTexture final : public Direct3DTexture8 {
public:
    ArgbTexture(int width, int height, DWORD format, TexelRows rows)
        : Direct3DTexture8(width, height, format), rows_(std::move(rows)) {}

    std::uint32_t TexelColour(int x, int y) const override {
        D3DCOLOR texel;
        std::memcpy(&texel, rows_.Row(y) + static_cast<std::size_t>(x) * sizeof texel, sizeof texel);
        return texel & kColourBits;
    }
    void ReleaseFile() override { rows_.ReleaseFile(); }
    const std::optional<std::string>& ReadFailure() const override { return rows_.ReadFailure(); }

private:
    TexelRows rows_;
};

// 5 and 6 bits widen to 8 by repeating their top bits: 0 stays 0 and the maximum becomes 255.
constexpr std::uint32_t Widen565(std::uint32_t colour) {
    const std::uint32_t red = colour >> 11, green = (colour >> 5) & 0x3FU, blue = colour & 0x1FU;
    return ((red << 3) | (red >> 2)) << 16 | ((green << 2) | (green >> 4)) << 8 | ((blue << 3) | (blue >> 2));
}

// (weightA * a + weightB * b) / (weightA + weightB) per channel, rounded down.
constexpr std::uint32_t Blend(std::uint32_t a, std::uint32_t weightA, std::uint32_t b, std::uint32_t weightB) {
    std::uint32_t blended = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t channel = (weightA * ((a >> shift) & 0xFFU) + weightB * ((b >> shift) & 0xFFU));
        blended |= channel / (weightA + weightB) << shift;
    }
    return blended;
}

// Texel (x, y) of a colour block: two little-endian 5:6:5 end points, then one byte of 2-bit
// indices per row, texel x at bits 2x. DXT1 alone switches to three colours and black when
// colour0 <= colour1 (the black is transparent, which the device cannot show); DXT3 and DXT5
// always use four colours. Runs once per drawn pixel, so it reads only the bytes it needs.
std::uint32_t ColourBlockTexel(const std::uint8_t* block, int x, int y, bool threeColourAllowed) {
    const std::uint32_t colour0 = block[0] | block[1] << 8;
    const std::uint32_t colour1 = block[2] | block[3] << 8;
    const unsigned index = (block[4 + y] >> (2 * x)) & 0x3U;
    const std::uint32_t end0 = Widen565(colour0), end1 = Widen565(colour1);
    if (index < 2) return index == 0 ? end0 : end1;
    if (threeColourAllowed && colour0 <= colour1) return index == 2 ? Blend(end0, 1, end1, 1) : 0;
    return index == 2 ? Blend(end0, 2, end1, 1) : Blend(end0, 1, end1, 2);
}

// Keeps, per row of blocks, only the colour halves: the device never shows alpha.
class BlockTexture final : public Direct3DTexture8 {
public:
    BlockTexture(int width, int height, DWORD format, TexelRows colourRows)
        : Direct3DTexture8(width, height, format), rows_(std::move(colourRows)) {}

    std::uint32_t TexelColour(int x, int y) const override {
        return ColourBlockTexel(ColourBlockOf(x, y), x % 4, y % 4, Format() == D3DFMT_DXT1);
    }

    void TexelColours(std::span<const TexelCoordinate> at, std::span<std::uint32_t> out) const override {
        constexpr std::size_t kAhead = 16;  // blocks asked for ahead of their decoding
        for (std::size_t i = 0; i < at.size(); ++i) {
            if (i + kAhead < at.size()) __builtin_prefetch(ColourBlockOf(at[i + kAhead].x, at[i + kAhead].y));
            out[i] = TexelColour(at[i].x, at[i].y);
        }
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
    const auto bytes = std::as_bytes(std::span(texels));
    UninitialisedBytes rows(bytes.size());
    std::memcpy(rows.data(), bytes.data(), bytes.size());
    return MakeArgbTexture(width, height, format, TexelRows(height, RowBytes(width, sizeof(D3DCOLOR)), std::move(rows)));
}

std::shared_ptr<Direct3DTexture8> MakeArgbTexture(int width, int height, DWORD format, TexelRows rows) {
    return std::make_shared<ArgbTexture>(width, height, format, std::move(rows));
}

std::shared_ptr<Direct3DTexture8> MakeBlockTexture(int width, int height, DWORD format, TexelRows colourRows) {
    return std::make_shared<BlockTexture>(width, height, format, std::move(colourRows));
}

}  // namespace pelliton::d3d8
