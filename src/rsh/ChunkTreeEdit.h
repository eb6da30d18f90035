// Gives chunks of a tree new bodies: the edited file is the original with those bodies, and the sizes
// of the chunks and every folder around them, changed; every other byte stays as it was.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "rsh/ChunkTree.h"

namespace pelliton {

struct BodyReplacement {
    const Chunk* chunk;  // a chunk of the tree, not a folder
    std::span<const std::uint8_t> body;
};

// The edited file as pieces in order: spans of the original file and of new bytes, so that it is
// written without a copy of the whole file being made first.
struct EditedFile {
    std::vector<std::span<const std::uint8_t>> pieces;
    std::vector<std::uint8_t> sizeFields;  // the changed size fields the pieces point into

    std::uint64_t Size() const;
};

// Throws PellitonError when a chunk's new size leaves the 32-bit range. The replacements and file
// must outlive the result.
EditedFile EditChunkTree(const ChunkTree& tree, std::span<const std::uint8_t> file,
                         std::span<const BodyReplacement> replacements);

}  // namespace pelliton
