// The chunk tree reader of pelliton-rsh on any bytes, then what extract and replace do with a tree
// it accepts: every texture exported, every texture's texels given a new length.
#include <algorithm>
#include <vector>

#include "common/PellitonError.h"
#include "export/TreeTextureExport.h"
#include "fuzz/FuzzTarget.h"
#include "rsh/ChunkTreeEdit.h"
#include "rsh/TreeTextures.h"
#include "support/EditedBytes.h"

namespace pelliton::fuzz {

namespace {

void ExpectInside(const std::vector<Chunk>& chunks, std::size_t begin, std::size_t end) {
    std::size_t at = begin;
    for (const Chunk& chunk : chunks) {
        Expect(chunk.offset == at && chunk.EndOffset() <= end, "each chunk follows the last, inside its folder");
        if (chunk.IsFolder()) ExpectInside(chunk.children, chunk.BodyOffset(), chunk.EndOffset());
        at = chunk.EndOffset();
    }
    Expect(at == end, "the chunks fill their folder exactly");
}

// Counts what an export writes, reading every range it copies from the file as a write would.
class CountingOutput final : public OutputFile {
public:
    void Write(std::span<const std::byte> bytes) override { count += bytes.size(); }
    void Write(const ByteRange& content) override {
        if (content.source != nullptr) {
            std::vector<std::uint8_t> slice(static_cast<std::size_t>(std::min<std::uint64_t>(content.length, 1 << 16)));
            for (std::uint64_t done = 0; done < content.length; done += slice.size()) {
                const auto piece = static_cast<std::size_t>(std::min<std::uint64_t>(content.length - done, slice.size()));
                content.source->ReadAt(content.offset + done, std::span(slice).first(piece));
            }
        }
        count += static_cast<std::size_t>(content.Size());
    }
    std::size_t count = 0;
};

// What an export of the texture writes with exporter, or 0 when it refuses the texture.
std::size_t ExportedBytes(const TreeTexture& texture, const ByteSource& file, TextureExporter exporter) {
    std::size_t written = 0;
    const ExportWriter count = [&written](const std::filesystem::path&,
                                          const std::function<void(OutputFile&)>& writeContent) {
        CountingOutput out;
        writeContent(out);
        written = out.count;
    };
    try {
        exporter(texture, file, {}, count);
    } catch (const PellitonError&) {
        return 0;
    }
    return written;
}

}  // namespace

void FuzzOneInput(std::span<const std::uint8_t> input) {
    const MemorySource file(input);
    ChunkTree tree;
    try {
        tree = ReadChunkTree(file);
    } catch (const PellitonError&) {
        return;  // the one way the reader may refuse a file
    }
    ExpectInside(tree.chunks, kFileHeaderBytes, input.size());
    const std::vector<TreeTexture> textures = FindTextures(tree, file);

    const std::vector<std::uint8_t> shortBody = {1, 2, 3};
    std::vector<BodyReplacement> replacements;
    std::int64_t growth = 0;
    for (const TreeTexture& texture : textures) {
        if (const std::size_t written = ExportedBytes(texture, file, ExportTreeTexture); written != 0) {
            // A DDS is its header and the data chunk; a TGA its header and at most the data chunk.
            Expect(written <= 128 + static_cast<std::size_t>(texture.data->size), "an export holds only its texels");
        }
        ExportedBytes(texture, file, ExportTreeTextureAsPng);  // decodes whatever blocks the file holds
        if (texture.data != nullptr) {
            replacements.push_back({texture.data, ByteRange::InMemory(shortBody)});
            growth += static_cast<std::int64_t>(shortBody.size()) - texture.data->size;
        }
    }
    const EditedFile edited = EditChunkTree(tree, file, replacements);
    Expect(static_cast<std::int64_t>(edited.Size()) == static_cast<std::int64_t>(input.size()) + growth,
           "the edited file changes by what the new bodies change");
    const std::vector<std::uint8_t> joined = testing::EditedBytes(edited);
    const ChunkTree reread = ReadChunkTree(joined);  // a refusal here aborts: the edit broke the tree
    Expect(FindTextures(reread, joined).size() == textures.size(), "the edited file holds the same textures");
}

}  // namespace pelliton::fuzz
