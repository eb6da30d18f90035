// Small WTP files made by our writer, in the shapes the game's files take, for the pattern tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "rshwrite/PatternWriter.h"

namespace pelliton::testing {

// Texel i of layer L holds 40 * L + 3 * i, so that every layer and texel differs; the base
// picture's texel i is B, G, R, A = i, 100 + i, 200 - i, 255 - 2 * i; rows bottom-up as stored.
inline PatternSpec SmallPattern(int width, int height, std::initializer_list<int> layers, bool banner = true) {
    PatternSpec pattern;
    pattern.width = width;
    pattern.height = height;
    const int texels = width * height;
    for (const int layer : layers) {
        PatternLayerSpec made{layer, {}};
        for (int i = 0; i < texels; ++i) made.texels.push_back(static_cast<std::uint8_t>(40 * layer + 3 * i));
        pattern.layers.push_back(made);
    }
    for (int i = 0; i < texels; ++i) {
        pattern.base.insert(pattern.base.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(100 + i),
                                                 static_cast<std::uint8_t>(200 - i), static_cast<std::uint8_t>(255 - 2 * i)});
    }
    pattern.badge = std::array<float, 4>{47, 107, 64, 64};
    if (banner) pattern.banner = std::array<float, 4>{1.5F, 2, 3, 4.25F};
    return pattern;
}

}  // namespace pelliton::testing
