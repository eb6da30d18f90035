// Turns the restored rows of a PNG picture into RGBA, whatever its colour type and depth: samples
// of 16 bits keep their high byte, grey of fewer than 8 bits is scaled to 0-255, palette entries
// take their alpha from the transparency chunk (tRNS), and grey or RGB equal to the transparent
// colour it names gets alpha 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "picture/PngLayout.h"

namespace pelliton::png {

class PixelConverter {
public:
    // palette is the PLTE chunk's data (three bytes an entry), transparency the tRNS chunk's; the
    // caller has checked their lengths against the colour type.
    PixelConverter(const ImageHeader& header, std::span<const std::uint8_t> palette,
                   std::span<const std::uint8_t> transparency);

    // Writes count pixels of a restored row to out, the RGBA of one every step bytes.
    void Convert(std::span<const std::uint8_t> row, std::uint32_t count, std::uint8_t* out, std::size_t step) const;

private:
    template <std::size_t SampleBytes>
    void ConvertWide(const std::uint8_t* row, std::uint32_t count, std::uint8_t* out, std::size_t step) const;
    void ConvertIndexed(const std::uint8_t* row, std::uint32_t count, std::uint8_t* out, std::size_t step) const;

    ImageHeader header_;
    // Palette pictures and grey of up to 8 bits: the RGBA of each value a pixel can hold.
    std::array<std::array<std::uint8_t, 4>, 256> lookup_{};
    // The grey or red, green, blue samples that are transparent.
    std::optional<std::array<std::uint16_t, 3>> transparentColour_;
};

}  // namespace pelliton::png
