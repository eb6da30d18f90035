// The runtime's plain functions: matrix builders and the vertex-buffer fill.
#pragma once

#include "preview/d3d8/D3D8Types.h"
#include "preview/d3d8/Direct3D8.h"

namespace pelliton::d3d8 {

// Rotation by angle (radians) about axis, which need not be of unit length.
void D3DXMatrixRotationAxis(D3DMATRIX& out, const D3DVECTOR& axis, float angle);

// Left-handed look-at view matrix.
void D3DXMatrixLookAtLH(D3DMATRIX& out, const D3DVECTOR& eye, const D3DVECTOR& at, const D3DVECTOR& up);

// Left-handed perspective projection from a vertical field of view (radians); depth 0 at zn, 1 at zf.
void D3DXMatrixPerspectiveFovLH(D3DMATRIX& out, float fovY, float aspect, float zn, float zf);

// Copies size bytes from data into the buffer at offset; fails when they do not fit.
HRESULT D3DVertexBuffer8SetData(Direct3DVertexBuffer8& buffer, int offset, int size, DWORD flags, const void* data);

}  // namespace pelliton::d3d8
