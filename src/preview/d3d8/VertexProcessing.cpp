// The vertex stage: from a vertex read out of memory to clip space, with its lit diffuse colour.
#include "preview/d3d8/VertexProcessing.h"

#include <array>

namespace pelliton::d3d8 {

namespace {

using Rows = std::array<std::array<float, 4>, 4>;

Rows ToRows(const D3DMATRIX& m) {
    return {{{m.m11, m.m12, m.m13, m.m14},
             {m.m21, m.m22, m.m23, m.m24},
             {m.m31, m.m32, m.m33, m.m34},
             {m.m41, m.m42, m.m43, m.m44}}};
}

D3DMATRIX FromRows(const Rows& r) {
    return {r[0][0], r[0][1], r[0][2], r[0][3], r[1][0], r[1][1], r[1][2], r[1][3],
            r[2][0], r[2][1], r[2][2], r[2][3], r[3][0], r[3][1], r[3][2], r[3][3]};
}

constexpr D3DCOLOR kWhite = 0xFFFFFFFFU;

float Channel(D3DCOLOR colour, int shift) { return static_cast<float>((colour >> shift) & 0xFFU); }

}  // namespace

D3DMATRIX IdentityMatrix() {
    D3DMATRIX identity;
    identity.m11 = identity.m22 = identity.m33 = identity.m44 = 1;
    return identity;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    const Rows left = ToRows(a);
    const Rows right = ToRows(b);
    Rows product{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            for (int k = 0; k < 4; ++k) product[row][column] += left[row][k] * right[k][column];
        }
    }
    return FromRows(product);
}

ClipVertex ToClipSpace(const SourceVertex& vertex, const D3DMATRIX& m, bool lighting) {
    ClipVertex clip;
    clip.x = vertex.x * m.m11 + vertex.y * m.m21 + vertex.z * m.m31 + m.m41;
    clip.y = vertex.x * m.m12 + vertex.y * m.m22 + vertex.z * m.m32 + m.m42;
    clip.z = vertex.x * m.m13 + vertex.y * m.m23 + vertex.z * m.m33 + m.m43;
    clip.w = vertex.x * m.m14 + vertex.y * m.m24 + vertex.z * m.m34 + m.m44;
    clip.u = vertex.u;
    clip.v = vertex.v;
    if (lighting) return clip;  // lit by no light: the diffuse colour stays black
    const D3DCOLOR diffuse = vertex.diffuse.value_or(kWhite);
    clip.red = Channel(diffuse, 16);
    clip.green = Channel(diffuse, 8);
    clip.blue = Channel(diffuse, 0);
    return clip;
}

}  // namespace pelliton::d3d8
