// Small helpers around the runtime's records.
#pragma once

#include "preview/d3d8/D3D8Types.h"

namespace pelliton {

inline d3d8::D3DVECTOR MakeVector(float x, float y, float z) { return d3d8::D3DVECTOR{x, y, z}; }

}  // namespace pelliton
