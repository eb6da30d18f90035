#include "picture/PngPixelConverter.h"

#include <cstring>

namespace pelliton::png {

namespace {

// Grey of 1, 2 and 4 bits, scaled to 0-255: 255 / (2^bits - 1).
constexpr std::uint8_t GreyScale(std::uint8_t bitDepth) {
    switch (bitDepth) {
        case 1: return 0xFF;
        case 2: return 0x55;
        case 4: return 0x11;
        default: return 1;
    }
}

// A big-endian sample of 1 or 2 bytes.
template <std::size_t SampleBytes>
inline std::uint16_t SampleAt(const std::uint8_t* at) {
    if constexpr (SampleBytes == 1) {
        return at[0];
    } else {
        return static_cast<std::uint16_t>(at[0] << 8 | at[1]);
    }
}

}  // namespace

PixelConverter::PixelConverter(const ImageHeader& header, std::span<const std::uint8_t> palette,
                               std::span<const std::uint8_t> transparency)
    : header_(header) {
    const bool transparent = !transparency.empty();
    if (header.colourType == kPalette) {
        // Entries beyond the palette are opaque black; entries beyond tRNS are opaque.
        for (auto& entry : lookup_) entry = {0, 0, 0, 0xFF};
        for (std::size_t i = 0; i < palette.size() / 3; ++i) {
            lookup_[i] = {palette[3 * i], palette[3 * i + 1], palette[3 * i + 2], 0xFF};
        }
        for (std::size_t i = 0; i < transparency.size(); ++i) lookup_[i][3] = transparency[i];
        return;
    }
    if (transparent) {
        // tRNS holds a 16-bit value for each sample; pictures of up to 8 bits use its low byte.
        std::array<std::uint16_t, 3> colour{};
        for (std::size_t i = 0; i < transparency.size() / 2 && i < colour.size(); ++i) {
            const auto value = static_cast<std::uint16_t>(transparency[2 * i] << 8 | transparency[2 * i + 1]);
            colour[i] = header.bitDepth == 16 ? value : value & 0xFF;
        }
        transparentColour_ = colour;
    }
    if (header.colourType == kGrey && header.bitDepth <= 8) {
        const int values = 1 << header.bitDepth;
        for (int value = 0; value < values; ++value) {
            const auto grey = static_cast<std::uint8_t>(value * GreyScale(header.bitDepth));
            const bool clear = transparentColour_ && (*transparentColour_)[0] == value;
            lookup_[static_cast<std::size_t>(value)] = {grey, grey, grey, clear ? std::uint8_t{0} : std::uint8_t{0xFF}};
        }
    }
}

void PixelConverter::Convert(std::span<const std::uint8_t> row, std::uint32_t count, std::uint8_t* out,
                             std::size_t step) const {
    const bool indexed = header_.colourType == kPalette || (header_.colourType == kGrey && header_.bitDepth <= 8);
    if (indexed) {
        ConvertIndexed(row.data(), count, out, step);
    } else if (header_.bitDepth == 16) {
        ConvertWide<2>(row.data(), count, out, step);
    } else {
        ConvertWide<1>(row.data(), count, out, step);
    }
}

void PixelConverter::ConvertIndexed(const std::uint8_t* row, std::uint32_t count, std::uint8_t* out,
                                    std::size_t step) const {
    const int bits = header_.bitDepth;
    const int perByte = 8 / bits;
    const unsigned mask = (1U << bits) - 1;
    for (std::uint32_t i = 0; i < count; ++i, out += step) {
        // The leftmost pixel sits in a byte's high bits.
        const int shift = 8 - bits * (1 + static_cast<int>(i % static_cast<std::uint32_t>(perByte)));
        const unsigned value = static_cast<unsigned>(row[i / static_cast<std::uint32_t>(perByte)] >> shift) & mask;
        std::memcpy(out, lookup_[value].data(), 4);
    }
}

// Grey of 16 bits, grey and alpha, RGB and RGBA of 8 or 16 bits: the high byte of each sample.
template <std::size_t SampleBytes>
void PixelConverter::ConvertWide(const std::uint8_t* row, std::uint32_t count, std::uint8_t* out,
                                 std::size_t step) const {
    constexpr std::size_t S = SampleBytes;
    switch (header_.colourType) {
        case kGrey:
            for (std::uint32_t i = 0; i < count; ++i, row += S, out += step) {
                const bool clear = transparentColour_ && SampleAt<S>(row) == (*transparentColour_)[0];
                out[0] = out[1] = out[2] = row[0];
                out[3] = clear ? 0 : 0xFF;
            }
            break;
        case kGreyAlpha:
            for (std::uint32_t i = 0; i < count; ++i, row += 2 * S, out += step) {
                out[0] = out[1] = out[2] = row[0];
                out[3] = row[S];
            }
            break;
        case kRgb:
            for (std::uint32_t i = 0; i < count; ++i, row += 3 * S, out += step) {
                const bool clear = transparentColour_ && SampleAt<S>(row) == (*transparentColour_)[0] &&
                                   SampleAt<S>(row + S) == (*transparentColour_)[1] &&
                                   SampleAt<S>(row + 2 * S) == (*transparentColour_)[2];
                out[0] = row[0];
                out[1] = row[S];
                out[2] = row[2 * S];
                out[3] = clear ? 0 : 0xFF;
            }
            break;
        default:  // RGBA
            if (S == 1 && step == 4) {
                std::memcpy(out, row, std::size_t{count} * 4);
                break;
            }
            for (std::uint32_t i = 0; i < count; ++i, row += 4 * S, out += step) {
                out[0] = row[0];
                out[1] = row[S];
                out[2] = row[2 * S];
                out[3] = row[3 * S];
            }
            break;
    }
}

}  // namespace pelliton::png
