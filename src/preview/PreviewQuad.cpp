#include "preview/PreviewQuad.h"

namespace pelliton {

QuadVertices MakeQuadVertices(std::int32_t width, std::int32_t height) {
    // Halves are formed in double precision from the integers (negated first), then stored as floats.
    const auto half = [](std::int32_t size) { return static_cast<float>(size / 2.0); };
    const auto negativeHalf = [](std::int32_t size) { return static_cast<float>(-static_cast<double>(size) / 2.0); };
    const float left = negativeHalf(width);
    const float right = half(width);
    const float top = half(height);
    const float bottom = negativeHalf(height);
    return {{
        {left, top, 0, 0, 0, 1, 0, 0},
        {right, top, 0, 0, 0, 1, 1, 0},
        {left, bottom, 0, 0, 0, 1, 0, 1},
        {right, bottom, 0, 0, 0, 1, 1, 1},
    }};
}

}  // namespace pelliton
