#include "cli/RshFile.h"

#include "common/PellitonError.h"
#include "rsh/RshInputFile.h"

namespace pelliton {

RshFile::RshFile(const std::string& path) : bytes(ReadWholeFile(path)) {
    try {
        tree = ReadChunkTree(bytes);
    } catch (const PellitonError& error) {
        throw PellitonError(path + ": " + error.what());
    }
    textures = FindTextures(tree, bytes);
}

}  // namespace pelliton
