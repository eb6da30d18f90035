#include "rsh/ChunkTree.h"

#include <array>
#include <string_view>

#include "common/PellitonError.h"
#include "rsh/Latin1.h"

namespace pelliton {

namespace {

constexpr std::string_view kSignature = "Relic Chunky";

std::string Where(const Chunk& chunk) {
    return Latin1ToUtf8(chunk.Tag()) + " at byte " + std::to_string(chunk.offset);
}

std::string ReadText(const ByteSource& file, std::size_t offset, std::size_t count) {
    std::string text(count, '\0');
    file.ReadAt(offset, std::span(reinterpret_cast<std::uint8_t*>(text.data()), count));
    return text;
}

// Reads the chunks that fill file[begin, end) exactly; depth counts the folders around them.
std::vector<Chunk> ReadChunks(const ByteSource& file, std::size_t begin, std::size_t end, int depth) {
    std::vector<Chunk> chunks;
    std::size_t at = begin;
    while (at < end) {
        if (end - at < kChunkHeaderBytes) {
            throw PellitonError("the " + std::to_string(end - at) + " bytes at byte " + std::to_string(at) +
                                " are too few for a chunk header of " + std::to_string(kChunkHeaderBytes));
        }
        std::array<std::uint8_t, kChunkHeaderBytes> header;
        file.ReadAt(at, header);
        Chunk chunk;
        static_cast<ChunkHeader&>(chunk) = DecodeChunkHeader(header);
        chunk.offset = at;

        const std::size_t room = end - at - kChunkHeaderBytes;
        if (chunk.nameLength < 0 || static_cast<std::size_t>(chunk.nameLength) > room) {
            throw PellitonError(Where(chunk) + ": a name of " + std::to_string(chunk.nameLength) + " bytes does not fit the " +
                                std::to_string(room) + " bytes left in its folder");
        }
        if (static_cast<std::size_t>(chunk.nameLength) > kMaxNameBytes) {
            throw PellitonError(Where(chunk) + ": a name of " + std::to_string(chunk.nameLength) +
                                " bytes is longer than the " + std::to_string(kMaxNameBytes) + " a name may have");
        }
        chunk.name = ReadText(file, at + kChunkHeaderBytes, static_cast<std::size_t>(chunk.nameLength));
        if (chunk.size < 0 || static_cast<std::size_t>(chunk.size) > room - chunk.name.size()) {
            throw PellitonError(Where(chunk) + ": a body of " + std::to_string(chunk.size) +
                                " bytes does not fit the " + std::to_string(room - chunk.name.size()) +
                                " bytes left in its folder");
        }
        if (chunk.IsFolder()) {
            if (depth == kMaxFolderDepth) {
                throw PellitonError(Where(chunk) + ": folders nest deeper than " + std::to_string(kMaxFolderDepth));
            }
            chunk.children = ReadChunks(file, chunk.BodyOffset(), chunk.EndOffset(), depth + 1);
        }
        at = chunk.EndOffset();
        chunks.push_back(std::move(chunk));
    }
    return chunks;
}

}  // namespace

ChunkTree ReadChunkTree(const ByteSource& file) {
    if (file.Size() < kFileHeaderBytes) {
        throw PellitonError("the file is " + std::to_string(file.Size()) + " bytes, too short for the " +
                            std::to_string(kFileHeaderBytes) + "-byte file header");
    }
    if (file.Size() > kMaxTreeFileBytes) {
        throw PellitonError("the file is " + std::to_string(file.Size()) + " bytes, more than the " +
                            std::to_string(kMaxTreeFileBytes) + " a chunk tree is read from");
    }
    std::array<std::uint8_t, kFileHeaderBytes> header;
    file.ReadAt(0, header);
    ChunkTree tree;
    tree.header = DecodeFileHeader(header);
    if (tree.header.signature != kSignature) {
        throw PellitonError("not an RSH file: it does not start with \"" + std::string(kSignature) + "\"");
    }
    tree.chunks = ReadChunks(file, kFileHeaderBytes, static_cast<std::size_t>(file.Size()), 0);
    return tree;
}

std::vector<std::uint8_t> ReadChunkBody(const ByteSource& file, const Chunk& chunk) {
    std::vector<std::uint8_t> body(static_cast<std::size_t>(chunk.size));
    file.ReadAt(chunk.BodyOffset(), body);
    return body;
}

}  // namespace pelliton
