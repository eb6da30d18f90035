// An RSH file opened as a chunk tree: its tree and textures, the file itself read only where it is
// needed.
#pragma once

#include <string>
#include <vector>

#include "common/FileSource.h"
#include "rsh/ChunkTree.h"
#include "rsh/TreeTextures.h"

namespace pelliton {

struct RshFile {
    FileSource source;
    ChunkTree tree;
    std::vector<TreeTexture> textures;  // point into tree

    // Reads path (UTF-8). Throws PellitonError prefixed with path. Not copyable: the textures
    // point into the tree.
    explicit RshFile(const std::string& path);
    RshFile(const RshFile&) = delete;
    RshFile& operator=(const RshFile&) = delete;
};

}  // namespace pelliton
