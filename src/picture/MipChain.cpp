// Makes the smaller levels of a MIP chain by averaging each 2 x 2 square of the level above.
#include "picture/MipChain.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <utility>

#include "common/Counted.h"
#include "common/PellitonError.h"

namespace pelliton {

RgbaPicture MipLevelBelow(const RgbaPicture& above) {
    RgbaPicture level{std::max(1, above.width / 2), std::max(1, above.height / 2), {}};
    level.rgba.resize(static_cast<std::size_t>(level.width) * static_cast<std::size_t>(level.height) * 4);
    return level;
}

// Along a side of 1 both taps are the same texel, and (a + a + b + b + 2) / 4 = (a + b + 1) / 2:
// the rounded mean of the two texels along the other side.
void FilterMipRows(const RgbaPicture& above, RgbaPicture& level, int first, int end) {
    const auto texel = [&above](int x, int y) {
        const std::size_t at =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(above.width) + static_cast<std::size_t>(x);
        return &above.rgba[at * 4];
    };
    std::uint8_t* out = level.rgba.data() + static_cast<std::size_t>(first) * static_cast<std::size_t>(level.width) * 4;
    for (int y = first; y < end; ++y) {
        const int top = 2 * y;
        const int bottom = std::min(top + 1, above.height - 1);
        for (int x = 0; x < level.width; ++x) {
            const int left = 2 * x;
            const int right = std::min(left + 1, above.width - 1);
            const std::uint8_t* taps[] = {texel(left, top), texel(right, top), texel(left, bottom),
                                          texel(right, bottom)};
            for (int channel = 0; channel < 4; ++channel) {
                const int sum = taps[0][channel] + taps[1][channel] + taps[2][channel] + taps[3][channel];
                *out++ = static_cast<std::uint8_t>((sum + 2) / 4);  // rounded mean, alpha straight too
            }
        }
    }
}

int FullMipLevels(int width, int height) {
    int levels = 1;
    while (width > 1 || height > 1) {
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
        ++levels;
    }
    return levels;
}

void CheckMipLevels(const RgbaPicture& picture, int levels) {
    const int fullLevels = FullMipLevels(picture.width, picture.height);
    if (levels < 1 || levels > fullLevels) {
        // A count of 1 is always valid, so a refused count is never 1.
        throw PellitonError("cannot make " + std::to_string(levels) + " MIP levels of a " +
                            std::to_string(picture.width) + " x " + std::to_string(picture.height) +
                            " picture; it has at most " +
                            Counted(static_cast<std::uint64_t>(fullLevels), "level", "levels"));
    }
}

std::vector<RgbaPicture> MakeMipChain(const RgbaPicture& picture, int levels) {
    assert(picture.rgba.size() ==
           static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4);
    CheckMipLevels(picture, levels);
    std::vector<RgbaPicture> chain;
    chain.reserve(static_cast<std::size_t>(levels));
    chain.push_back(picture);
    while (chain.size() < static_cast<std::size_t>(levels)) {
        RgbaPicture level = MipLevelBelow(chain.back());
        FilterMipRows(chain.back(), level, 0, level.height);
        chain.push_back(std::move(level));
    }
    return chain;
}

}  // namespace pelliton
