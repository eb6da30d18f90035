#include "rsh/RshFile.h"

#include "common/PellitonError.h"

namespace pelliton {

RshFile::RshFile(const std::string& path) : source(path) {
    try {
        tree = ReadChunkTree(source);
        textures = FindTextures(tree, source);
    } catch (const PellitonError& error) {
        throw PellitonError(path + ": " + error.what());
    }
}

}  // namespace pelliton
