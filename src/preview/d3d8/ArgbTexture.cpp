#include <cassert>

#include "preview/d3d8/Direct3DTexture8.h"

namespace pelliton::d3d8 {

namespace {

class ArgbTexture final : public Direct3DTexture8 {
public:
    ArgbTexture(int width, int height, DWORD format, std::vector<D3DCOLOR> texels)
        : Direct3DTexture8(width, height, format), texels_(std::move(texels)) {
        assert(texels_.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    }

    D3DCOLOR Texel(int x, int y) const override {
        const D3DCOLOR texel = texels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width()) +
                                       static_cast<std::size_t>(x)];
        return Format() == D3DFMT_X8R8G8B8 ? texel | kAlphaBits : texel;
    }

private:
    std::vector<D3DCOLOR> texels_;
};

}  // namespace

std::shared_ptr<Direct3DTexture8> MakeArgbTexture(int width, int height, DWORD format, std::vector<D3DCOLOR> texels) {
    return std::make_shared<ArgbTexture>(width, height, format, std::move(texels));
}

}  // namespace pelliton::d3d8
