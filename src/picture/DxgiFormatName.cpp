// The names of the DXGI formats up to BC7, by number, without their DXGI_FORMAT_ prefix: the ones a
// DX10 DDS file is likely to hold. Later numbers are video and palette formats.
#include "picture/DxgiFormatName.h"

#include <array>
#include <string_view>

namespace pelliton {

namespace {

constexpr std::array<std::string_view, 100> kDxgiFormatNames = {
    "UNKNOWN",                                                                                      // 0
    "R32G32B32A32_TYPELESS", "R32G32B32A32_FLOAT", "R32G32B32A32_UINT", "R32G32B32A32_SINT",        // 1
    "R32G32B32_TYPELESS", "R32G32B32_FLOAT", "R32G32B32_UINT", "R32G32B32_SINT",                    // 5
    "R16G16B16A16_TYPELESS", "R16G16B16A16_FLOAT", "R16G16B16A16_UNORM", "R16G16B16A16_UINT",       // 9
    "R16G16B16A16_SNORM", "R16G16B16A16_SINT",                                                      // 13
    "R32G32_TYPELESS", "R32G32_FLOAT", "R32G32_UINT", "R32G32_SINT",                                // 15
    "R32G8X24_TYPELESS", "D32_FLOAT_S8X24_UINT", "R32_FLOAT_X8X24_TYPELESS", "X32_TYPELESS_G8X24_UINT",  // 19
    "R10G10B10A2_TYPELESS", "R10G10B10A2_UNORM", "R10G10B10A2_UINT", "R11G11B10_FLOAT",             // 23
    "R8G8B8A8_TYPELESS", "R8G8B8A8_UNORM", "R8G8B8A8_UNORM_SRGB", "R8G8B8A8_UINT",                  // 27
    "R8G8B8A8_SNORM", "R8G8B8A8_SINT",                                                              // 31
    "R16G16_TYPELESS", "R16G16_FLOAT", "R16G16_UNORM", "R16G16_UINT", "R16G16_SNORM", "R16G16_SINT",  // 33
    "R32_TYPELESS", "D32_FLOAT", "R32_FLOAT", "R32_UINT", "R32_SINT",                               // 39
    "R24G8_TYPELESS", "D24_UNORM_S8_UINT", "R24_UNORM_X8_TYPELESS", "X24_TYPELESS_G8_UINT",         // 44
    "R8G8_TYPELESS", "R8G8_UNORM", "R8G8_UINT", "R8G8_SNORM", "R8G8_SINT",                          // 48
    "R16_TYPELESS", "R16_FLOAT", "D16_UNORM", "R16_UNORM", "R16_UINT", "R16_SNORM", "R16_SINT",     // 53
    "R8_TYPELESS", "R8_UNORM", "R8_UINT", "R8_SNORM", "R8_SINT", "A8_UNORM",                        // 60
    "R1_UNORM", "R9G9B9E5_SHAREDEXP", "R8G8_B8G8_UNORM", "G8R8_G8B8_UNORM",                         // 66
    "BC1_TYPELESS", "BC1_UNORM", "BC1_UNORM_SRGB",                                                  // 70
    "BC2_TYPELESS", "BC2_UNORM", "BC2_UNORM_SRGB",                                                  // 73
    "BC3_TYPELESS", "BC3_UNORM", "BC3_UNORM_SRGB",                                                  // 76
    "BC4_TYPELESS", "BC4_UNORM", "BC4_SNORM",                                                       // 79
    "BC5_TYPELESS", "BC5_UNORM", "BC5_SNORM",                                                       // 82
    "B5G6R5_UNORM", "B5G5R5A1_UNORM", "B8G8R8A8_UNORM", "B8G8R8X8_UNORM",                           // 85
    "R10G10B10_XR_BIAS_A2_UNORM",                                                                   // 89
    "B8G8R8A8_TYPELESS", "B8G8R8A8_UNORM_SRGB", "B8G8R8X8_TYPELESS", "B8G8R8X8_UNORM_SRGB",         // 90
    "BC6H_TYPELESS", "BC6H_UF16", "BC6H_SF16",                                                      // 94
    "BC7_TYPELESS", "BC7_UNORM", "BC7_UNORM_SRGB",                                                  // 97
};
static_assert(kDxgiFormatNames[70] == "BC1_TYPELESS" && kDxgiFormatNames[99] == "BC7_UNORM_SRGB");

}  // namespace

std::string DxgiFormatText(std::uint32_t dxgiFormat) {
    const std::string number = std::to_string(dxgiFormat);
    if (dxgiFormat >= kDxgiFormatNames.size()) return number;
    return std::string(kDxgiFormatNames[dxgiFormat]) + " (" + number + ")";
}

}  // namespace pelliton
