#include "make-samples/GameShapedSample.h"

#include "make-samples/QuadrantImage.h"
#include "make-samples/TexelEncoding.h"
#include "rsh/TextureFormats.h"
#include "rshwrite/ChunkTreeWriter.h"

namespace pelliton {

namespace {

constexpr char kFolder[] = "Art/EBPs/races/sample_army/texture_share/";

ChunkSpec Texture(const std::string& name, std::int32_t imageType, int side, int mipLevels, AlphaPattern alpha) {
    const RgbaImage image = MakeQuadrantImage(side, side, alpha);
    return GameTextureFolder(kFolder + name, imageType, side, side, mipLevels,
                             CompressDxtMipChain(image, imageType, mipLevels));
}

}  // namespace

SampleFile MakeGameShapedSample() {
    return {"sample_tank.rsh",
            GameTextureFile(std::string(kFolder) + "sample_tank",
                            {Texture("sample_tank", kImageTypeDxt1, 128, 8, AlphaPattern::kOpaque),
                             Texture("sample_tank_spec", kImageTypeDxt5, 64, 7, AlphaPattern::kRadial),
                             Texture("_reflection_sample_vehicles", kImageTypeDxt3Game, 32, 6,
                                     AlphaPattern::kHorizontalRamp)})};
}

}  // namespace pelliton
