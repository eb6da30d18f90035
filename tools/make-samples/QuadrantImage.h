// The procedural picture of the samples: four coloured quadrants, brightest at the top-left
// corner, so that a preview shows at a glance which way up and which way round it is.
#pragma once

#include "make-samples/RgbaImage.h"

namespace pelliton {

enum class AlphaPattern {
    kOpaque,
    kHorizontalRamp,  // opaque at the left edge, transparent at the right
    kRadial,          // opaque at the centre, fading towards the corners
};

// Top left red, top right green, bottom left blue, bottom right yellow.
RgbaImage MakeQuadrantImage(int width, int height, AlphaPattern alpha);

}  // namespace pelliton
