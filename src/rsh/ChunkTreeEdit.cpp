#include "rsh/ChunkTreeEdit.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string>

#include "common/PellitonError.h"
#include "rsh/Latin1.h"

namespace pelliton {

namespace {

constexpr std::size_t kSizeFieldOffset = 12;  // after type, id and version
constexpr std::size_t kSizeFieldBytes = 4;

// One range of the original file that the edited file holds other bytes for; an inserted chunk
// stands for none.
struct Patch {
    std::size_t offset;
    std::size_t length;                   // bytes of the original it stands for
    ByteRange bytes;  // a new body; a size field's bytes are stored later
    bool isSizeField = false;
    std::int32_t newSize = 0;
};

class Editor {
public:
    Editor(std::span<const BodyReplacement> replacements, std::span<const ChunkInsertion> insertions) {
        for (const BodyReplacement& replacement : replacements) bodies_.emplace(replacement.chunk, replacement.body);
        for (const ChunkInsertion& insertion : insertions) inserted_.emplace(insertion.after, insertion.chunk);
    }

    // The change of the chunk's size that the replacements below it make.
    std::int64_t Edit(const Chunk& chunk) {
        std::int64_t delta = 0;
        if (chunk.IsFolder()) {
            for (const Chunk& child : chunk.children) delta += Edit(child) + Inserted(child);
        } else if (const auto body = bodies_.find(&chunk); body != bodies_.end()) {
            patches_.push_back({chunk.BodyOffset(), static_cast<std::size_t>(chunk.size), body->second});
            delta = static_cast<std::int64_t>(body->second.Size()) - chunk.size;
        }
        if (delta != 0) {
            const std::int64_t newSize = chunk.size + delta;
            if (newSize > std::numeric_limits<std::int32_t>::max()) {
                throw PellitonError(Latin1ToUtf8(chunk.Tag()) + " at byte " + std::to_string(chunk.offset) +
                                    " would hold " + std::to_string(newSize) + " bytes, more than a chunk can");
            }
            patches_.push_back({chunk.offset + kSizeFieldOffset, kSizeFieldBytes, {}, true, static_cast<std::int32_t>(newSize)});
        }
        return delta;
    }

    // The bytes of the chunks put after chunk, each a patch of its own.
    std::int64_t Inserted(const Chunk& chunk) {
        std::int64_t bytes = 0;
        const auto [first, last] = inserted_.equal_range(&chunk);
        for (auto insertion = first; insertion != last; ++insertion) {
            patches_.push_back({chunk.EndOffset(), 0, insertion->second});
            bytes += static_cast<std::int64_t>(insertion->second.Size());
        }
        return bytes;
    }

    std::vector<Patch>& Patches() { return patches_; }

private:
    std::map<const Chunk*, ByteRange> bodies_;
    std::multimap<const Chunk*, ByteRange> inserted_;  // keeps the order of equal keys
    std::vector<Patch> patches_;
};

}  // namespace

std::uint64_t EditedFile::Size() const {
    std::uint64_t size = 0;
    for (const ByteRange& piece : pieces) size += piece.Size();
    return size;
}

EditedFile EditChunkTree(const ChunkTree& tree, const ByteSource& file, std::span<const BodyReplacement> replacements,
                         std::span<const ChunkInsertion> insertions) {
    Editor editor(replacements, insertions);
    for (const Chunk& chunk : tree.chunks) {
        editor.Edit(chunk);
        editor.Inserted(chunk);
    }
    std::vector<Patch>& patches = editor.Patches();
    // Stable: chunks put after the same one keep their order.
    std::stable_sort(patches.begin(), patches.end(), [](const Patch& a, const Patch& b) { return a.offset < b.offset; });

    EditedFile edited;
    const auto sizeFields = std::count_if(patches.begin(), patches.end(), [](const Patch& p) { return p.isSizeField; });
    edited.sizeFields.resize(kSizeFieldBytes * static_cast<std::size_t>(sizeFields));  // never reallocated below
    std::size_t stored = 0;
    std::size_t copied = 0;  // the original up to here is in the pieces
    for (Patch& patch : patches) {
        if (patch.isSizeField) {
            const auto bits = static_cast<std::uint32_t>(patch.newSize);
            const std::span field(edited.sizeFields.data() + stored, kSizeFieldBytes);
            for (std::size_t i = 0; i < kSizeFieldBytes; ++i) field[i] = static_cast<std::uint8_t>(bits >> (8 * i));
            stored += kSizeFieldBytes;
            patch.bytes = ByteRange::InMemory(field);
        }
        edited.pieces.push_back(ByteRange::Of(file, copied, patch.offset - copied));
        edited.pieces.push_back(patch.bytes);
        copied = patch.offset + patch.length;
    }
    edited.pieces.push_back(ByteRange::Of(file, copied, file.Size() - copied));
    std::erase_if(edited.pieces, [](const ByteRange& piece) { return piece.Size() == 0; });
    return edited;
}

}  // namespace pelliton
