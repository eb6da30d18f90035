// A texture stage: point sampling, and the colour operation that mixes texel and diffuse colour.
#include "preview/d3d8/TextureStage.h"

namespace pelliton::d3d8 {

namespace {

std::uint32_t ModulateChannel(std::uint32_t a, std::uint32_t b, int shift) {
    const std::uint32_t product = ((a >> shift) & 0xFFU) * ((b >> shift) & 0xFFU);
    return ((product + 127U) / 255U) << shift;
}

std::uint32_t Modulate(std::uint32_t a, std::uint32_t b) {
    return ModulateChannel(a, b, 16) | ModulateChannel(a, b, 8) | ModulateChannel(a, b, 0);
}

}  // namespace

bool IsHonouredOperation(DWORD operation) {
    return operation == D3DTOP_DISABLE || operation == D3DTOP_SELECTARG1 || operation == D3DTOP_SELECTARG2 ||
           operation == D3DTOP_MODULATE;
}

bool IsHonouredArgument(DWORD argument) {
    return argument == D3DTA_DIFFUSE || argument == D3DTA_CURRENT || argument == D3DTA_TEXTURE;
}

bool StageShowsTexelAsIs(const TextureStageSettings& stage, std::uint32_t uniformDiffuse) {
    const bool arg1Texture = stage.colorArgument1 == D3DTA_TEXTURE;
    const bool arg2Texture = stage.colorArgument2 == D3DTA_TEXTURE;
    switch (stage.colorOperation) {
        case D3DTOP_SELECTARG1:
            return arg1Texture;
        case D3DTOP_SELECTARG2:
            return arg2Texture;
        case D3DTOP_MODULATE:
            return arg1Texture != arg2Texture && (uniformDiffuse & kColourBits) == kColourBits;
        default:
            return false;
    }
}

std::uint32_t StageColour(const TextureStageSettings& stage, const Direct3DTexture8* texture, std::uint32_t diffuse,
                          double u, double v) {
    const auto argument = [&](DWORD source) { return source == D3DTA_TEXTURE ? SampleTexel(texture, u, v) : diffuse; };
    switch (stage.colorOperation) {
        case D3DTOP_SELECTARG1:
            return argument(stage.colorArgument1);
        case D3DTOP_SELECTARG2:
            return argument(stage.colorArgument2);
        case D3DTOP_MODULATE:
            return Modulate(argument(stage.colorArgument1), argument(stage.colorArgument2));
        default:  // D3DTOP_DISABLE
            return diffuse;
    }
}

}  // namespace pelliton::d3d8
