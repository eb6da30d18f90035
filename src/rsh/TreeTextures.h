// The textures of a chunk tree: each FOLDTXTR with the chunks that hold its attributes and texels.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rsh/ChunkTree.h"
#include "rsh/RshRecords.h"

namespace pelliton {

inline constexpr std::size_t kAttrBodyBytes = 16;  // image type, width, height, MIP levels
inline constexpr std::size_t kHeadBodyBytes = 8;   // format code, then 1

struct TreeTexture {
    // The last component of the folder's name (after the last "/" or "\"), zeros dropped, as
    // UTF-8: the name its exported file takes.
    std::string name;
    const Chunk* folder = nullptr;  // FOLDTXTR
    const Chunk* head = nullptr;    // DATAHEAD, when the folder has one
    const Chunk* attr = nullptr;    // DATAATTR in FOLDIMAG
    const Chunk* data = nullptr;    // DATADATA in FOLDIMAG
    TextureAttributes attributes;   // from the attr chunk
    std::string problem;            // why the texture cannot be used; empty when it can
};

// Every FOLDTXTR of the tree, in file order, wherever it lies. The pointers point into tree.
std::vector<TreeTexture> FindTextures(const ChunkTree& tree, const ByteSource& file);
inline std::vector<TreeTexture> FindTextures(const ChunkTree& tree, std::span<const std::uint8_t> file) {
    return FindTextures(tree, MemorySource(file));
}

}  // namespace pelliton
