// A sample shaped like a game file: several textures of one model and its shader folder, as the
// examples of the round trip show.
#pragma once

#include "make-samples/SampleFiles.h"

namespace pelliton {

// sample_tank.rsh: the tank's 128 x 128 DXT1 map, its 64 x 64 DXT5 _spec map and a 32 x 32 DXT3
// reflection map of image type 10, each with its full MIP chain.
SampleFile MakeGameShapedSample();

}  // namespace pelliton
