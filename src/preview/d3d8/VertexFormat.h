// Vertex format codes: which ones the device draws, and reading one vertex from memory by its code.
#pragma once

#include <cstddef>
#include <optional>

#include "preview/d3d8/D3D8Types.h"

namespace pelliton::d3d8 {

// Where each element of a vertex stands, in bytes from its start; elements come in the order
// position, normal, diffuse, texture coordinates.
struct VertexLayout {
    std::size_t size = 0;
    std::optional<std::size_t> diffuseOffset;
    std::optional<std::size_t> textureOffset;
};

// The layout of a code made of D3DFVF_XYZ with any of NORMAL, DIFFUSE and TEX1; nothing for any other code.
std::optional<VertexLayout> LayoutOf(DWORD fvf);

// One vertex as the vertex stage sees it; without DIFFUSE or TEX1 in the format those members are empty.
struct SourceVertex {
    float x = 0, y = 0, z = 0;
    std::optional<D3DCOLOR> diffuse;
    float u = 0, v = 0;
};

// Reads the vertex at bytes; vertex data carries no alignment guarantee, so values are copied out.
SourceVertex ReadVertex(const std::byte* bytes, const VertexLayout& layout);

}  // namespace pelliton::d3d8
