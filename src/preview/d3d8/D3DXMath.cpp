// The runtime's plain functions: matrix builders laid out for row vectors.
#include "preview/d3d8/D3DXMath.h"

#include <cmath>

namespace pelliton::d3d8 {

namespace {

float Dot(const D3DVECTOR& a, const D3DVECTOR& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

D3DVECTOR Cross(const D3DVECTOR& a, const D3DVECTOR& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

D3DVECTOR Subtract(const D3DVECTOR& a, const D3DVECTOR& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

// A zero vector stays zero rather than turning into NaNs.
D3DVECTOR Normalize(const D3DVECTOR& v) {
    const float length = std::sqrt(Dot(v, v));
    if (length == 0) return {};
    return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

// Rodrigues' formula for the unit axis a, laid out for row vectors: with c = cos, s = sin, t = 1 - c,
// m_ij = t a_i a_j + c [i == j] + s e_ijk a_k (e: the permutation sign).
void D3DXMatrixRotationAxis(D3DMATRIX& out, const D3DVECTOR& axis, float angle) {
    const D3DVECTOR a = Normalize(axis);
    const float c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    out = {t * a.x * a.x + c,       t * a.x * a.y + s * a.z, t * a.x * a.z - s * a.y, 0,  //
           t * a.x * a.y - s * a.z, t * a.y * a.y + c,       t * a.y * a.z + s * a.x, 0,  //
           t * a.x * a.z + s * a.y, t * a.y * a.z - s * a.x, t * a.z * a.z + c,       0,  //
           0,                       0,                       0,                       1};
}

void D3DXMatrixLookAtLH(D3DMATRIX& out, const D3DVECTOR& eye, const D3DVECTOR& at, const D3DVECTOR& up) {
    const D3DVECTOR zAxis = Normalize(Subtract(at, eye));
    const D3DVECTOR xAxis = Normalize(Cross(up, zAxis));
    const D3DVECTOR yAxis = Cross(zAxis, xAxis);
    out = {xAxis.x,          yAxis.x,          zAxis.x,          0,  //
           xAxis.y,          yAxis.y,          zAxis.y,          0,  //
           xAxis.z,          yAxis.z,          zAxis.z,          0,  //
           -Dot(xAxis, eye), -Dot(yAxis, eye), -Dot(zAxis, eye), 1};
}

void D3DXMatrixPerspectiveFovLH(D3DMATRIX& out, float fovY, float aspect, float zn, float zf) {
    const float yScale = 1 / std::tan(fovY / 2);
    const float xScale = yScale / aspect;
    const float depthScale = zf / (zf - zn);
    out = {xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, depthScale, 1, 0, 0, -zn * depthScale, 0};
}

}  // namespace pelliton::d3d8
