// An RSH file opened for pelliton-rsh: its chunk tree and textures, the file itself read only where
// a command needs it.
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
