// A texture stage: point sampling, and the colour operation that mixes texel and diffuse colour.
#pragma once

#include <cstdint>

#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/Direct3DTexture8.h"

namespace pelliton::d3d8 {

struct TextureStageSettings {
    DWORD colorOperation = D3DTOP_DISABLE;
    DWORD colorArgument1 = D3DTA_TEXTURE;
    DWORD colorArgument2 = D3DTA_CURRENT;
};

bool IsHonouredOperation(DWORD operation);  // DISABLE, SELECTARG1, SELECTARG2, MODULATE
bool IsHonouredArgument(DWORD argument);    // DIFFUSE, CURRENT, TEXTURE

inline int TexelIndex(double coordinate, int size) {
    const double scaled = coordinate * size;
    if (!(scaled > 0)) return 0;  // also NaN
    if (scaled >= size) return size - 1;
    return static_cast<int>(scaled);  // truncating a positive value is its floor
}

// Sampling rule: point sampling, texel = clamp(floor(u * width), 0, width - 1) and likewise
// clamp(floor(v * height), 0, height - 1); v = 0 is row 0, the top of the image. Without a
// texture the sample is opaque black. Returns 0x00RRGGBB. Inline: it runs once per pixel.
inline std::uint32_t SampleTexel(const Direct3DTexture8* texture, double u, double v) {
    if (!texture || texture->Width() <= 0 || texture->Height() <= 0) return 0;
    return texture->TexelColour(TexelIndex(u, texture->Width()), TexelIndex(v, texture->Height()));
}

// Whether the stage's colour is the texel itself for a diffuse colour that all pixels share, so
// that drawing can skip the colour operation (the texture modulated by white, or selected alone).
bool StageShowsTexelAsIs(const TextureStageSettings& stage, std::uint32_t uniformDiffuse);

// The stage's colour 0x00RRGGBB for one pixel. It is stage 0, so CURRENT is the diffuse colour, and
// a disabled stage passes the diffuse colour through. MODULATE multiplies per channel, round(a * b / 255).
std::uint32_t StageColour(const TextureStageSettings& stage, const Direct3DTexture8* texture, std::uint32_t diffuse,
                          double u, double v);

}  // namespace pelliton::d3d8
