// The frame the preview should present for a picture, worked out from the camera's geometry in
// double precision without the device's code, and a comparison that tolerates only float rounding.
#pragma once

#include <cstdint>
#include <vector>

#include "preview/d3d8/DeviceWindow.h"

namespace pelliton::testing {

// A picture's texel colours 0xRRGGBB, rows top to bottom: laid out as a frame's pixels.
using Picture = d3d8::Frame;

struct FrameComparison {
    d3d8::Frame expected;
    int wrong = 0;      // pixels that show neither their texel nor, near a boundary, the neighbour's
    int tolerated = 0;  // pixels within rounding reach of a texel or quad edge that show the neighbour
    int firstWrongX = -1, firstWrongY = -1;
};

// Compares actual with the picture drawn on the preview's quad, point-sampled.
FrameComparison CompareWithReference(const d3d8::Frame& actual, const Picture& picture);

}  // namespace pelliton::testing
