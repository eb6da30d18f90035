// libsquish's reading of DXT blocks: the reference the loaded colours are held against.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "preview/d3d8/D3D8Types.h"

namespace pelliton::d3d8::fixtures {

// libsquish's decoding of a whole level, as 0xAARRGGBB texels, rows top to bottom.
std::vector<D3DCOLOR> SquishDecodeImage(DWORD format, int width, int height, std::span<const std::uint8_t> blocks);

}  // namespace pelliton::d3d8::fixtures
