// The colour half of a DXT block decoded texel by texel: inline, because the rasterizer decodes a
// texel for every pixel it draws.
#pragma once

#include <cstdint>

namespace pelliton::d3d8 {

// 5 and 6 bits widen to 8 by repeating their top bits: 0 stays 0 and the maximum becomes 255.
constexpr std::uint32_t Widen565(std::uint32_t colour) {
    const std::uint32_t red = colour >> 11, green = (colour >> 5) & 0x3FU, blue = colour & 0x1FU;
    return ((red << 3) | (red >> 2)) << 16 | ((green << 2) | (green >> 4)) << 8 | ((blue << 3) | (blue >> 2));
}

// How an index mixes the end points, per channel: (weight0 * end0 + weight1 * end1) * scale >> shift,
// which divides the sum by 1, 2 or 3 and rounds down (exactly, for sums up to 765). Looked up rather
// than branched on: the indices of a drawn row jump from block to block.
struct ColourMix {
    std::uint32_t weight0, weight1, scale, shift;
};
inline constexpr std::uint32_t kThirdScale = 0xAAAB, kThirdShift = 17;
inline constexpr ColourMix kColourMixes[2][4] = {
    // four colours: end0, end1, (2 end0 + end1) / 3, (end0 + 2 end1) / 3
    {{1, 0, 1, 0}, {0, 1, 1, 0}, {2, 1, kThirdScale, kThirdShift}, {1, 2, kThirdScale, kThirdShift}},
    // three colours and black: end0, end1, (end0 + end1) / 2, 0
    {{1, 0, 1, 0}, {0, 1, 1, 0}, {1, 1, 1, 1}, {0, 0, 1, 0}},
};

// Texel (x, y) of a colour block: two little-endian 5:6:5 end points, then one byte of 2-bit
// indices per row, texel x at bits 2x. DXT1 alone switches to three colours and black when
// colour0 <= colour1 (the black is transparent, which the device cannot show); DXT3 and DXT5
// always use four colours. Runs once per drawn pixel, so it reads only the bytes it needs.
inline std::uint32_t ColourBlockTexel(const std::uint8_t* block, int x, int y, bool threeColourAllowed) {
    const std::uint32_t colour0 = block[0] | block[1] << 8;
    const std::uint32_t colour1 = block[2] | block[3] << 8;
    const unsigned index = (block[4 + y] >> (2 * x)) & 0x3U;
    const ColourMix& mix = kColourMixes[threeColourAllowed && colour0 <= colour1][index];
    const std::uint32_t end0 = Widen565(colour0), end1 = Widen565(colour1);
    std::uint32_t texel = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t sum = mix.weight0 * ((end0 >> shift) & 0xFFU) + mix.weight1 * ((end1 >> shift) & 0xFFU);
        texel |= (sum * mix.scale >> mix.shift) << shift;
    }
    return texel;
}

}  // namespace pelliton::d3d8
