// Encodes pictures as PNG files of 8 bits a channel: grey, or red, green, blue and, when asked, alpha. Rows
// are taken one at a time and the file handed on in pieces, so that a large picture is never held
// twice; the same rows give the same bytes on every platform.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "picture/RgbaPicture.h"

namespace pelliton {

enum class PngChannels {
    kGrey = 1,  // colour type 0
    kRgb = 3,   // colour type 2
    kRgba = 4,  // colour type 6
};

struct PngShape {
    int width = 0;
    int height = 0;
    PngChannels channels = PngChannels::kRgba;
};

// Fills row y (0 at the top) with width x channels bytes, red (or grey) first. Each row is asked for once, in order.
using PngRowSource = std::function<void(int y, std::span<std::uint8_t> row)>;
// Takes the file's bytes, in order, in pieces of any size.
using PngByteSink = std::function<void(std::span<const std::uint8_t> bytes)>;

// Throws PellitonError for sides outside 1 to kLargestImageSide, before anything is handed on; what
// rows and out throw passes through.
void EncodePng(const PngShape& shape, const PngRowSource& rows, const PngByteSink& out);

// The whole file of a picture, alpha kept.
std::vector<std::uint8_t> EncodePng(const RgbaPicture& picture);

}  // namespace pelliton
