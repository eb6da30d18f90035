// How a refusal names the DXGI format that a DX10 DDS file declares.
#pragma once

#include <cstdint>
#include <string>

namespace pelliton {

// "BC7_UNORM (98)" for a format Direct3D names; the bare number for any other.
std::string DxgiFormatText(std::uint32_t dxgiFormat);

}  // namespace pelliton
