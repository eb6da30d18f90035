// Values, records and result codes of the Direct3D-8-like runtime, each named once.
#pragma once

#include <cstdint>

#include "common/DdsFormat.h"

namespace pelliton::d3d8 {

using HRESULT = std::int32_t;  // negative: failure
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using D3DCOLOR = std::uint32_t;  // 0xAARRGGBB

inline constexpr HRESULT D3D_OK = 0;
inline constexpr HRESULT D3DERR_INVALIDCALL = static_cast<HRESULT>(0x8876086CU);
inline constexpr HRESULT D3DERR_NOTAVAILABLE = static_cast<HRESULT>(0x8876086AU);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000EU);
inline constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59U);

inline constexpr bool FAILED(HRESULT result) { return result < 0; }

// Formats.
inline constexpr DWORD D3DFMT_UNKNOWN = 0;
inline constexpr DWORD D3DFMT_A8R8G8B8 = 21;
inline constexpr DWORD D3DFMT_X8R8G8B8 = 22;
inline constexpr DWORD D3DFMT_D16 = 80;
// The block-compressed formats are named by the fourCC codes a DDS file stores.
inline constexpr DWORD D3DFMT_DXT1 = dds::kDxt1;
inline constexpr DWORD D3DFMT_DXT3 = dds::kDxt3;
inline constexpr DWORD D3DFMT_DXT5 = dds::kDxt5;

// Adapters, device types, creation flags and presentation.
inline constexpr UINT D3DADAPTER_DEFAULT = 0;
inline constexpr DWORD D3DDEVTYPE_HAL = 1;
inline constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;
inline constexpr DWORD D3DSWAPEFFECT_COPY_VSYNC = 4;

// Render states and their values.
inline constexpr DWORD D3DRS_ZENABLE = 7;
inline constexpr DWORD D3DRS_CULLMODE = 22;
inline constexpr DWORD D3DRS_ZFUNC = 23;
inline constexpr DWORD D3DRS_LIGHTING = 137;
inline constexpr DWORD D3DZB_TRUE = 1;
inline constexpr DWORD D3DCULL_NONE = 1;
inline constexpr DWORD D3DCMP_LESSEQUAL = 4;

// Transforms.
inline constexpr DWORD D3DTS_VIEW = 2;
inline constexpr DWORD D3DTS_PROJECTION = 3;
inline constexpr DWORD D3DTS_WORLD = 256;

// Clearing.
inline constexpr DWORD D3DCLEAR_TARGET = 1;
inline constexpr DWORD D3DCLEAR_ZBUFFER = 2;

// Vertex formats and primitives.
inline constexpr DWORD D3DFVF_XYZ = 0x002;
inline constexpr DWORD D3DFVF_NORMAL = 0x010;
inline constexpr DWORD D3DFVF_TEX1 = 0x100;
inline constexpr DWORD D3DPT_TRIANGLESTRIP = 5;

// Texture stages.
inline constexpr DWORD D3DTSS_COLOROP = 1;
inline constexpr DWORD D3DTSS_COLORARG1 = 2;
inline constexpr DWORD D3DTSS_COLORARG2 = 3;
inline constexpr DWORD D3DTSS_ALPHAOP = 4;
inline constexpr DWORD D3DTOP_DISABLE = 1;
inline constexpr DWORD D3DTOP_MODULATE = 4;
inline constexpr DWORD D3DTA_DIFFUSE = 0;
inline constexpr DWORD D3DTA_TEXTURE = 2;

struct D3DVECTOR {
    float x = 0, y = 0, z = 0;
};

// Row vectors multiply on the left, so a translation stands in the fourth row.
struct D3DMATRIX {
    float m11 = 0, m12 = 0, m13 = 0, m14 = 0;
    float m21 = 0, m22 = 0, m23 = 0, m24 = 0;
    float m31 = 0, m32 = 0, m33 = 0, m34 = 0;
    float m41 = 0, m42 = 0, m43 = 0, m44 = 0;
};

inline constexpr D3DMATRIX kIdentityMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct D3DDISPLAYMODE {
    DWORD Format = D3DFMT_UNKNOWN;
};

// What the preview asks of its device; the back buffer takes the window's client size.
struct D3DPRESENT_PARAMETERS {
    DWORD BackBufferFormat = D3DFMT_UNKNOWN;
    UINT BackBufferCount = 0;
    DWORD SwapEffect = 0;
    std::int32_t Windowed = 0;
    std::int32_t EnableAutoDepthStencil = 0;
    DWORD AutoDepthStencilFormat = D3DFMT_UNKNOWN;
};

struct D3DRECT {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

}  // namespace pelliton::d3d8
