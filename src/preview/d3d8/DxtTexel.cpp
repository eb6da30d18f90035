// Per-texel DXT decoding: a 5:6:5 colour block with 2-bit indices, preceded in DXT3 by explicit
// 4-bit alphas and in DXT5 by two alpha end points with 3-bit indices.
#include "preview/d3d8/DxtTexel.h"

#include <cassert>

#include "common/LittleEndianReader.h"

namespace pelliton::d3d8 {

namespace {

constexpr D3DCOLOR kTransparentBlack = 0x00000000U;
constexpr std::size_t kAlphaBlockBytes = 8;  // DXT3 and DXT5: the alpha half comes first

struct Rgb {
    unsigned red;
    unsigned green;
    unsigned blue;
};

// 5 and 6 bits widen to 8 by repeating their top bits: 0 stays 0 and the maximum becomes 255.
constexpr unsigned Widen5(unsigned value) { return (value << 3) | (value >> 2); }
constexpr unsigned Widen6(unsigned value) { return (value << 2) | (value >> 4); }

constexpr Rgb Widen565(std::uint16_t colour) {
    return {Widen5(colour >> 11), Widen6((colour >> 5) & 0x3FU), Widen5(colour & 0x1FU)};
}

// (weightA * a + weightB * b) / (weightA + weightB) per channel, rounded down.
constexpr Rgb Blend(const Rgb& a, unsigned weightA, const Rgb& b, unsigned weightB) {
    const unsigned total = weightA + weightB;
    return {(weightA * a.red + weightB * b.red) / total, (weightA * a.green + weightB * b.green) / total,
            (weightA * a.blue + weightB * b.blue) / total};
}

constexpr D3DCOLOR OpaqueColour(const Rgb& colour) {
    return kAlphaBits | colour.red << 16 | colour.green << 8 | colour.blue;
}

// Texel (x, y) of a colour block: two little-endian 5:6:5 end points, then one byte of 2-bit
// indices per row, texel x at bits 2x. DXT1 alone switches to three colours and transparent black
// when colour0 <= colour1; DXT3 and DXT5 always use four colours. Runs once per drawn pixel, so it
// reads only the bytes it needs.
D3DCOLOR ColourBlockTexel(std::span<const std::uint8_t> block, int x, int y, bool threeColourAllowed) {
    assert(block.size() >= kDxt1BlockBytes);
    const std::uint8_t* bytes = block.data();
    const auto colour0 = static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
    const auto colour1 = static_cast<std::uint16_t>(bytes[2] | bytes[3] << 8);
    const unsigned index = (bytes[4 + y] >> (2 * x)) & 0x3U;

    if (index == 0) return OpaqueColour(Widen565(colour0));
    if (index == 1) return OpaqueColour(Widen565(colour1));
    const Rgb end0 = Widen565(colour0);
    const Rgb end1 = Widen565(colour1);
    if (threeColourAllowed && colour0 <= colour1) {
        return index == 2 ? OpaqueColour(Blend(end0, 1, end1, 1)) : kTransparentBlack;
    }
    return index == 2 ? OpaqueColour(Blend(end0, 2, end1, 1)) : OpaqueColour(Blend(end0, 1, end1, 2));
}

D3DCOLOR WithAlpha(D3DCOLOR colour, unsigned alpha) { return (colour & kColourBits) | alpha << 24; }

// Eight bytes of 4-bit alphas, two texels a byte, the even texel in the low nibble.
unsigned ExplicitAlpha(std::span<const std::uint8_t> block, int x, int y) {
    const int texel = 4 * y + x;
    const unsigned pair = block[static_cast<std::size_t>(texel / 2)];
    const unsigned nibble = texel % 2 == 0 ? pair & 0xFU : pair >> 4;
    return nibble | nibble << 4;
}

// Two end points and 16 3-bit indices. alpha0 > alpha1: six values between them;
// otherwise four between them, then 0 and 255.
unsigned InterpolatedAlpha(std::span<const std::uint8_t> block, int x, int y) {
    LittleEndianReader in(block);
    const unsigned alpha0 = in.UInt8();
    const unsigned alpha1 = in.UInt8();
    const std::uint64_t indices = in.UInt48();
    const unsigned index = static_cast<unsigned>(indices >> (3 * (4 * y + x))) & 0x7U;

    if (index == 0) return alpha0;
    if (index == 1) return alpha1;
    if (alpha0 > alpha1) return ((8 - index) * alpha0 + (index - 1) * alpha1) / 7;  // rounded down
    if (index == 6) return 0;
    if (index == 7) return 255;
    return ((6 - index) * alpha0 + (index - 1) * alpha1) / 5;  // rounded down
}

}  // namespace

std::uint32_t Dxt1TexelColour(std::span<const std::uint8_t> block, int x, int y) {
    return ColourBlockTexel(block, x, y, true) & kColourBits;
}

std::uint32_t Dxt35TexelColour(std::span<const std::uint8_t> block, int x, int y) {
    return ColourBlockTexel(block.subspan(kAlphaBlockBytes), x, y, false) & kColourBits;
}

D3DCOLOR Dxt1Texel(std::span<const std::uint8_t> block, int x, int y) {
    assert(block.size() == kDxt1BlockBytes);
    return ColourBlockTexel(block, x, y, true);
}

D3DCOLOR Dxt3Texel(std::span<const std::uint8_t> block, int x, int y) {
    assert(block.size() == kDxt35BlockBytes);
    const D3DCOLOR colour = ColourBlockTexel(block.subspan(kAlphaBlockBytes), x, y, false);
    return WithAlpha(colour, ExplicitAlpha(block, x, y));
}

D3DCOLOR Dxt5Texel(std::span<const std::uint8_t> block, int x, int y) {
    assert(block.size() == kDxt35BlockBytes);
    const D3DCOLOR colour = ColourBlockTexel(block.subspan(kAlphaBlockBytes), x, y, false);
    return WithAlpha(colour, InterpolatedAlpha(block, x, y));
}

}  // namespace pelliton::d3d8
