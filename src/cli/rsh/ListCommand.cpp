// pelliton-rsh list: the chunk tree of a file and its textures.
#include "cli/rsh/Commands.h"
#include "rsh/RshFile.h"
#include "rsh/TreeText.h"

namespace pelliton {

namespace {

void ListChunks(const std::vector<Chunk>& chunks, int depth, std::ostream& out) {
    for (const Chunk& chunk : chunks) {
        out << ChunkLine(chunk, depth) << '\n';
        ListChunks(chunk.children, depth + 1, out);
    }
}

}  // namespace

void ListRshFile(const std::string& path, std::ostream& out) {
    const RshFile file(path);
    out << path << ": " << file.source.Size() << " bytes, \"" << PrintableText(file.tree.header.signature) << "\" "
        << file.tree.header.version << ' ' << file.tree.header.platform << '\n';
    ListChunks(file.tree.chunks, 1, out);
    for (const TreeTexture& texture : file.textures) {
        out << "  texture " << EscapeControls(texture.name) << ": "
            << (texture.problem.empty() ? DescribeTexture(texture.attributes) : "unusable: " + texture.problem) << '\n';
    }
}

}  // namespace pelliton
