// The vertex stage: from a vertex read out of memory to clip space, with its lit diffuse colour.
#pragma once

#include "preview/d3d8/ClipSpace.h"
#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/VertexFormat.h"

namespace pelliton::d3d8 {

D3DMATRIX IdentityMatrix();

// a then b, for row vectors: v * (a * b) == (v * a) * b.
D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b);

// The position [x y z 1] times worldViewProjection. With lighting on the diffuse colour is what the
// lights give, and the device has none: black. With lighting off it is the vertex's own diffuse
// colour, or opaque white when the format has none.
ClipVertex ToClipSpace(const SourceVertex& vertex, const D3DMATRIX& worldViewProjection, bool lighting);

}  // namespace pelliton::d3d8
