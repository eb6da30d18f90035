// The chunk tree of an RSH file: every chunk with its place in the file, read from the file's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rsh/modRSH.h"

namespace pelliton {

inline constexpr std::size_t kFileHeaderBytes = 24;
inline constexpr std::size_t kChunkHeaderBytes = 20;  // type, id, version, size, name length
inline constexpr int kMaxFolderDepth = 16;            // real files nest four deep

struct Chunk {
    std::string type;  // "FOLD": the body is child chunks; anything else: the body is data
    std::string id;
    std::int32_t version = 0;
    std::int32_t size = 0;  // bytes of the body, after the name
    std::string name;       // the stored bytes, zeros included
    std::size_t offset = 0;  // of the chunk's header in the file
    std::vector<Chunk> children;

    bool IsFolder() const { return type == "FOLD"; }
    std::string Tag() const { return type + id; }  // "FOLDTXTR"
    std::size_t BodyOffset() const { return offset + kChunkHeaderBytes + name.size(); }
    std::size_t EndOffset() const { return BodyOffset() + static_cast<std::size_t>(size); }
};

struct ChunkTree {
    RshFileHeader header;
    std::vector<Chunk> chunks;  // the top level, in file order
};

// Reads a file that starts with the RSH signature and holds chunks up to its last byte, each
// folder exactly filled by its children. Throws PellitonError naming the chunk, its offset and
// what does not fit, before any allocation or loop the file cannot justify.
ChunkTree ReadChunkTree(std::span<const std::uint8_t> file);

// The body of a chunk of tree read from file.
inline std::span<const std::uint8_t> ChunkBody(std::span<const std::uint8_t> file, const Chunk& chunk) {
    return file.subspan(chunk.BodyOffset(), static_cast<std::size_t>(chunk.size));
}

}  // namespace pelliton
