// DXT blocks decoded texel by texel: the one decoder of the preview, which decodes a texel for every
// pixel it draws (so all of it is inline), and of the pictures made of textures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/DdsFormat.h"

namespace pelliton::dxt {

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

// The two end points of a colour block, little-endian 5:6:5 each.
inline std::uint32_t ColourEnd(const std::uint8_t* block, int end) {
    return block[2 * end] | static_cast<std::uint32_t>(block[2 * end + 1]) << 8;
}

// The 2-bit index of texel (x, y): one byte of indices per row after the end points, texel x at bits 2x.
inline unsigned ColourIndex(const std::uint8_t* block, int x, int y) { return (block[4 + y] >> (2 * x)) & 0x3U; }

// DXT1 alone switches to three colours and black when colour0 <= colour1; DXT3 and DXT5 always use
// four colours.
inline bool InThreeColourMode(const std::uint8_t* block) { return ColourEnd(block, 0) <= ColourEnd(block, 1); }

// Texel (x, y) of a colour block as 0x00RRGGBB. Runs once per drawn pixel, so it reads only the
// bytes it needs.
inline std::uint32_t ColourBlockTexel(const std::uint8_t* block, int x, int y, bool threeColourAllowed) {
    const std::uint32_t colour0 = ColourEnd(block, 0), colour1 = ColourEnd(block, 1);
    const ColourMix& mix = kColourMixes[threeColourAllowed && colour0 <= colour1][ColourIndex(block, x, y)];
    const std::uint32_t end0 = Widen565(colour0), end1 = Widen565(colour1);
    std::uint32_t texel = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t sum = mix.weight0 * ((end0 >> shift) & 0xFFU) + mix.weight1 * ((end1 >> shift) & 0xFFU);
        texel |= (sum * mix.scale >> mix.shift) << shift;
    }
    return texel;
}

// The black of DXT1's three-colour mode is transparent: alpha 0. Every other DXT1 texel is opaque.
inline std::uint8_t Dxt1Alpha(const std::uint8_t* colourBlock, int x, int y) {
    constexpr unsigned kTransparentIndex = 3;
    return InThreeColourMode(colourBlock) && ColourIndex(colourBlock, x, y) == kTransparentIndex ? 0 : 0xFF;
}

// DXT3: 4 bits of alpha per texel, two texels a byte, the lower nibble first; 4 bits widen to 8 by
// repeating them.
inline std::uint8_t ExplicitAlpha(const std::uint8_t* alphaBlock, int x, int y) {
    const unsigned nibble = (alphaBlock[2 * y + x / 2] >> (4 * (x % 2))) & 0xFU;
    return static_cast<std::uint8_t>(nibble * 0x11U);
}

// DXT5: two end points of 8 bits, then 3-bit indices, little-endian over 6 bytes. When alpha0 >
// alpha1 the indices choose among the ends and six values between them; otherwise among the ends,
// four values between them, 0 and 255. Values between divide by 7 or 5, rounding down.
inline std::uint8_t InterpolatedAlpha(const std::uint8_t* alphaBlock, int x, int y) {
    const unsigned alpha0 = alphaBlock[0], alpha1 = alphaBlock[1];
    std::uint64_t indices = 0;
    for (int at = 7; at >= 2; --at) indices = indices << 8 | alphaBlock[at];
    const auto index = static_cast<unsigned>(indices >> (3 * (4 * y + x))) & 0x7U;
    if (index < 2) return static_cast<std::uint8_t>(index == 0 ? alpha0 : alpha1);
    if (alpha0 > alpha1) return static_cast<std::uint8_t>(((8 - index) * alpha0 + (index - 1) * alpha1) / 7);
    if (index >= 6) return index == 6 ? 0 : 0xFF;
    return static_cast<std::uint8_t>(((6 - index) * alpha0 + (index - 1) * alpha1) / 5);
}

inline constexpr std::size_t kTexelsPerBlock = 16;
inline constexpr std::size_t kRgbaBlockBytes = 4 * kTexelsPerBlock;

// A whole block of a DXT1, DXT3 or DXT5 level (dds::BlockBytes(fourCC) bytes) as 16 texels of red,
// green, blue and alpha, rows of 4 from the top.
inline void DecodeBlockRgba(std::uint32_t fourCC, const std::uint8_t* block,
                            std::span<std::uint8_t, kRgbaBlockBytes> rgba) {
    const bool dxt1 = fourCC == dds::kDxt1;
    const std::uint8_t* colours = dxt1 ? block : block + dds::kColourBlockBytes;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            std::uint8_t* texel = &rgba[static_cast<std::size_t>(4 * (4 * y + x))];
            const std::uint32_t colour = ColourBlockTexel(colours, x, y, dxt1);
            texel[0] = static_cast<std::uint8_t>(colour >> 16);
            texel[1] = static_cast<std::uint8_t>(colour >> 8);
            texel[2] = static_cast<std::uint8_t>(colour);
            texel[3] = dxt1 ? Dxt1Alpha(colours, x, y)
                            : fourCC == dds::kDxt3 ? ExplicitAlpha(block, x, y) : InterpolatedAlpha(block, x, y);
        }
    }
}

}  // namespace pelliton::dxt
