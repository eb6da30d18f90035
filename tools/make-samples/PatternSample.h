// A team-colour pattern sample: what a skinner's WTP file holds, small enough to commit.
#pragma once

#include "make-samples/SampleFiles.h"

namespace pelliton {

// sample_marine.wtp: 64 x 64, a shaded base picture, primary (the body), trim (a band round it), eyes
// (two dots) and dirt (speckles) layers, and a badge rectangle; no secondary, weapon or banner.
SampleFile MakePatternSample();

// sample_badge.png: a 16 x 16 badge for its rectangle, a gold disc with a dark ring on a clear ground.
SampleFile MakeBadgeSample();

}  // namespace pelliton
