// The chunk tree of an RSH file: every chunk with its place in the file, read from the file's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/ByteSource.h"
#include "rsh/ChunkHeader.h"

namespace pelliton {

inline constexpr int kMaxFolderDepth = 16;            // real files nest four deep
inline constexpr std::size_t kMaxNameBytes = 65536;   // real names are game paths
inline constexpr std::uint64_t kMaxTreeFileBytes = std::uint64_t{1} << 31;  // chunk sizes are 32-bit

struct Chunk : ChunkHeader {
    std::string name;        // the stored bytes, zeros included
    std::size_t offset = 0;  // of the chunk's header in the file
    std::vector<Chunk> children;

    bool IsFolder() const { return type == "FOLD"; }
    std::size_t BodyOffset() const { return offset + kChunkHeaderBytes + name.size(); }
    std::size_t EndOffset() const { return BodyOffset() + static_cast<std::size_t>(size); }
};

struct ChunkTree {
    RshFileHeader header;
    std::vector<Chunk> chunks;  // the top level, in file order
};

// Reads a file that starts with the RSH signature and holds chunks up to its last byte, each
// folder exactly filled by its children. Only headers and names are read, not the bodies. Throws
// PellitonError naming the chunk, its offset and what does not fit, before any allocation or loop
// the file cannot justify.
ChunkTree ReadChunkTree(const ByteSource& file);
inline ChunkTree ReadChunkTree(std::span<const std::uint8_t> file) { return ReadChunkTree(MemorySource(file)); }

// The body of a chunk of the tree read from file: where it lies, or its bytes, read.
inline ByteRange ChunkBodyRange(const ByteSource& file, const Chunk& chunk) {
    return ByteRange::Of(file, chunk.BodyOffset(), static_cast<std::uint64_t>(chunk.size));
}
std::vector<std::uint8_t> ReadChunkBody(const ByteSource& file, const Chunk& chunk);

}  // namespace pelliton
