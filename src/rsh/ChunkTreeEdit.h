// Gives chunks of a tree new bodies and puts new chunks into it: the edited file is the original with
// those bodies and chunks, and the sizes of the chunks and every folder around them, changed; every
// other byte stays as it was.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "rsh/ChunkTree.h"

namespace pelliton {

struct BodyReplacement {
    const Chunk* chunk;  // a chunk of the tree, not a folder
    ByteRange body;
};

// A whole chunk (header, name and body, as written) put right after a chunk of the tree, in the same
// folder. Chunks put after the same one follow it in the order given.
struct ChunkInsertion {
    const Chunk* after;
    ByteRange chunk;
};

// The edited file as pieces in order: ranges of the original file, new bytes and ranges of other
// files, so that it is written without the whole file being read or copied first.
struct EditedFile {
    std::vector<ByteRange> pieces;
    std::vector<std::uint8_t> sizeFields;  // the changed size fields the pieces point into

    std::uint64_t Size() const;
};

// Throws PellitonError when a chunk's new size leaves the 32-bit range. The replacements and file
// must outlive the result.
EditedFile EditChunkTree(const ChunkTree& tree, const ByteSource& file, std::span<const BodyReplacement> replacements,
                         std::span<const ChunkInsertion> insertions = {});

}  // namespace pelliton
