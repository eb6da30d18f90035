// An RSH file read whole, with its chunk tree and textures: what every pelliton-rsh command starts from.
#pragma once

#include <string>
#include <vector>

#include "common/UninitialisedAllocator.h"
#include "rsh/ChunkTree.h"
#include "rsh/TreeTextures.h"

namespace pelliton {

struct RshFile {
    UninitialisedBytes bytes;
    ChunkTree tree;
    std::vector<TreeTexture> textures;  // point into tree

    // Reads path (UTF-8). Throws PellitonError prefixed with path. Not copyable: the textures
    // point into the tree.
    explicit RshFile(const std::string& path);
    RshFile(const RshFile&) = delete;
    RshFile& operator=(const RshFile&) = delete;
};

}  // namespace pelliton
