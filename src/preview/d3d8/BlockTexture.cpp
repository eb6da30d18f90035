// A texture that keeps DXT blocks as stored and decodes the one texel asked for.
#include <cassert>

#include "preview/d3d8/Direct3DTexture8.h"
#include "preview/d3d8/DxtFormat.h"

namespace pelliton::d3d8 {

namespace {

class BlockTexture final : public Direct3DTexture8 {
public:
    BlockTexture(int width, int height, const DxtFormat& dxt, UninitialisedBytes blocks)
        : Direct3DTexture8(width, height, dxt.format),
          decodeTexel_(dxt.texel),
          decodeColour_(dxt.colour),
          bytesPerBlock_(dxt.bytesPerBlock),
          blocksAcross_(DxtBlocksAlong(width)),
          blocks_(std::move(blocks)) {
        assert(blocks_.size() == DxtLevelBytes(dxt, width, height));
    }

    D3DCOLOR Texel(int x, int y) const override { return decodeTexel_(BlockOf(x, y), x % 4, y % 4); }
    std::uint32_t TexelColour(int x, int y) const override { return decodeColour_(BlockOf(x, y), x % 4, y % 4); }

    void TexelColours(std::span<const TexelCoordinate> at, std::span<std::uint32_t> out) const override {
        constexpr std::size_t kAhead = 16;  // blocks asked for ahead of their decoding
        for (std::size_t i = 0; i < at.size(); ++i) {
            if (i + kAhead < at.size()) Prefetch(BlockOf(at[i + kAhead].x, at[i + kAhead].y).data());
            out[i] = decodeColour_(BlockOf(at[i].x, at[i].y), at[i].x % 4, at[i].y % 4);
        }
    }

private:
    static void Prefetch(const std::uint8_t* address) {
#if defined(__GNUC__)
        __builtin_prefetch(address);
#else
        (void)address;
#endif
    }

    std::span<const std::uint8_t> BlockOf(int x, int y) const {
        assert(x >= 0 && x < Width() && y >= 0 && y < Height());
        const std::size_t block = static_cast<std::size_t>(y / 4) * blocksAcross_ + static_cast<std::size_t>(x / 4);
        return std::span(blocks_).subspan(block * bytesPerBlock_, bytesPerBlock_);
    }

    DxtTexelDecoder decodeTexel_;
    DxtColourDecoder decodeColour_;
    std::size_t bytesPerBlock_;
    std::size_t blocksAcross_;
    UninitialisedBytes blocks_;
};

}  // namespace

std::shared_ptr<Direct3DTexture8> MakeBlockTexture(int width, int height, DWORD format, UninitialisedBytes blocks) {
    const DxtFormat* dxt = FindDxtFormat(format);
    assert(dxt != nullptr);
    return std::make_shared<BlockTexture>(width, height, *dxt, std::move(blocks));
}

}  // namespace pelliton::d3d8
