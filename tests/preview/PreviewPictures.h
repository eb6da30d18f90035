// Test pictures for the preview: exported files of known colours, and measures of a presented frame.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "preview/d3d8/DeviceWindow.h"
#include "support/FramePixels.h"

namespace pelliton::testing {

// Colours of the four quadrants, 0xRRGGBB: top-left, top-right, bottom-left, bottom-right.
using Quadrants = std::array<std::uint32_t, 4>;
inline constexpr Quadrants kQuadrants = {kRed, kGreen, kBlue, kWhite};

// Writes a width x height picture of four quadrants into folder the way the exporter does, as
// "<stem>.TGA" (stored bottom row first, as its lower-left origin says) or, for the DXT image
// types, "<stem>.DDS". DXT pictures need sides that are multiples of 8 and colours that 5:6:5 bits
// hold exactly. Returns the file's path.
std::filesystem::path WriteQuadrantExport(const std::filesystem::path& folder, const std::string& stem,
                                          std::int32_t imageType, int width, int height,
                                          const Quadrants& colours = kQuadrants);

}  // namespace pelliton::testing
