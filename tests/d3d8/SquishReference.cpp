#include "d3d8/SquishReference.h"

#include <squish.h>

#include "d3d8/TextureFixtures.h"
#include "make-samples/TexelEncoding.h"

namespace pelliton::d3d8::fixtures {

std::vector<D3DCOLOR> SquishDecodeImage(DWORD format, int width, int height, std::span<const std::uint8_t> blocks) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    squish::DecompressImage(rgba.data(), width, height, blocks.data(), SquishFormat(ImageTypeOf(format)));
    std::vector<D3DCOLOR> texels;
    for (std::size_t at = 0; at < rgba.size(); at += 4) {
        texels.push_back(D3DCOLOR{rgba[at + 3]} << 24 | D3DCOLOR{rgba[at]} << 16 | D3DCOLOR{rgba[at + 1]} << 8 |
                         rgba[at + 2]);
    }
    return texels;
}

}  // namespace pelliton::d3d8::fixtures
