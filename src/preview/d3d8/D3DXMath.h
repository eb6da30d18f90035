// The runtime's plain functions: matrix builders laid out for row vectors.
#pragma once

#include "preview/d3d8/D3D8Types.h"

namespace pelliton::d3d8 {

// Rotation by angle (radians) about axis, which need not be of unit length.
void D3DXMatrixRotationAxis(D3DMATRIX& out, const D3DVECTOR& axis, float angle);

// Left-handed look-at view matrix.
void D3DXMatrixLookAtLH(D3DMATRIX& out, const D3DVECTOR& eye, const D3DVECTOR& at, const D3DVECTOR& up);

// Left-handed perspective projection from a vertical field of view (radians); depth 0 at zn, 1 at zf.
void D3DXMatrixPerspectiveFovLH(D3DMATRIX& out, float fovY, float aspect, float zn, float zf);

}  // namespace pelliton::d3d8
