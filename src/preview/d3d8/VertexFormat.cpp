// Vertex format codes: which ones the device draws, and reading one vertex from memory by its code.
#include "preview/d3d8/VertexFormat.h"

#include <cstring>

namespace pelliton::d3d8 {

namespace {

constexpr std::size_t kFloatSize = sizeof(float);
constexpr DWORD kDrawableElements = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;

float FloatAt(const std::byte* bytes, std::size_t offset) {
    float value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

}  // namespace

std::optional<VertexLayout> LayoutOf(DWORD fvf) {
    if ((fvf & D3DFVF_XYZ) == 0 || (fvf & ~kDrawableElements) != 0) return std::nullopt;
    VertexLayout layout;
    layout.size = 3 * kFloatSize;
    if (fvf & D3DFVF_NORMAL) layout.size += 3 * kFloatSize;
    if (fvf & D3DFVF_DIFFUSE) {
        layout.diffuseOffset = layout.size;
        layout.size += sizeof(D3DCOLOR);
    }
    if (fvf & D3DFVF_TEX1) {
        layout.textureOffset = layout.size;
        layout.size += 2 * kFloatSize;
    }
    return layout;
}

SourceVertex ReadVertex(const std::byte* bytes, const VertexLayout& layout) {
    SourceVertex vertex;
    vertex.x = FloatAt(bytes, 0);
    vertex.y = FloatAt(bytes, kFloatSize);
    vertex.z = FloatAt(bytes, 2 * kFloatSize);
    if (layout.diffuseOffset) {
        D3DCOLOR diffuse;
        std::memcpy(&diffuse, bytes + *layout.diffuseOffset, sizeof diffuse);
        vertex.diffuse = diffuse;
    }
    if (layout.textureOffset) {
        vertex.u = FloatAt(bytes, *layout.textureOffset);
        vertex.v = FloatAt(bytes, *layout.textureOffset + kFloatSize);
    }
    return vertex;
}

}  // namespace pelliton::d3d8
