#include "rsh/ChunkTree.h"

#include <array>
#include <string_view>

#include "common/LittleEndianReader.h"
#include "common/PellitonError.h"
#include "rsh/Latin1.h"

namespace pelliton {

namespace {

constexpr std::string_view kSignature = "Relic Chunky";

std::string Where(const Chunk& chunk) {
    return Latin1ToUtf8(chunk.Tag()) + " at byte " + std::to_string(chunk.offset);
}

std::string Text(std::span<const std::uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string ReadText(const ByteSource& file, std::size_t offset, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    file.ReadAt(offset, bytes);
    return Text(bytes);
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
        chunk.offset = at;
        chunk.type = Text(std::span(header).first(kTagLength));
        chunk.id = Text(std::span(header).subspan(kTagLength, kTagLength));
        LittleEndianReader fields{std::span(header).subspan(2 * kTagLength)};
        chunk.version = static_cast<std::int32_t>(fields.UInt32());
        chunk.size = static_cast<std::int32_t>(fields.UInt32());
        const auto nameLength = static_cast<std::int32_t>(fields.UInt32());

        const std::size_t room = end - at - kChunkHeaderBytes;
        if (nameLength < 0 || static_cast<std::size_t>(nameLength) > room) {
            throw PellitonError(Where(chunk) + ": a name of " + std::to_string(nameLength) + " bytes does not fit the " +
                                std::to_string(room) + " bytes left in its folder");
        }
        if (static_cast<std::size_t>(nameLength) > kMaxNameBytes) {
            throw PellitonError(Where(chunk) + ": a name of " + std::to_string(nameLength) +
                                " bytes is longer than the " + std::to_string(kMaxNameBytes) + " a name may have");
        }
        chunk.name = ReadText(file, at + kChunkHeaderBytes, static_cast<std::size_t>(nameLength));
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
    const std::span bytes(header);
    ChunkTree tree;
    tree.header.Signature = Text(bytes.first(kSignatureLength));
    if (tree.header.Signature != kSignature) {
        throw PellitonError("not an RSH file: it does not start with \"" + std::string(kSignature) + "\"");
    }
    tree.header.SignatureEnd = Text(bytes.subspan(kSignatureLength, kSignatureEndLength));
    LittleEndianReader longs(bytes.subspan(kSignatureLength + kSignatureEndLength, 8));
    tree.header.HeaderLong1 = static_cast<std::int32_t>(longs.UInt32());
    tree.header.HeaderLong2 = static_cast<std::int32_t>(longs.UInt32());
    tree.chunks = ReadChunks(file, kFileHeaderBytes, static_cast<std::size_t>(file.Size()), 0);
    return tree;
}

std::vector<std::uint8_t> ReadChunkBody(const ByteSource& file, const Chunk& chunk) {
    std::vector<std::uint8_t> body(static_cast<std::size_t>(chunk.size));
    file.ReadAt(chunk.BodyOffset(), body);
    return body;
}

}  // namespace pelliton
