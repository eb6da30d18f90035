// New bodies for chunks of a tree: the sizes around them follow, every other byte stays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/PellitonError.h"
#include "rsh/ChunkTreeEdit.h"
#include "rsh/TreeTextures.h"
#include "rshwrite/ChunkTreeWriter.h"
#include "support/EditedBytes.h"

namespace pelliton {
namespace {

std::vector<std::uint8_t> Joined(const EditedFile& edited) {
    std::vector<std::uint8_t> bytes = testing::EditedBytes(edited);
    EXPECT_EQ(edited.Size(), bytes.size());
    return bytes;
}


std::vector<std::uint8_t> TwoTextureFile(std::vector<std::uint8_t> firstTexels, std::vector<std::uint8_t> lastTexels) {
    return GameTextureFile("Art/x/tank", {GameTextureFolder("Art/x/tank", kImageTypeDxt1, 4, 4, 1, std::move(firstTexels)),
                                          GameTextureFolder("Art/x/tank_spec", kImageTypeDxt5, 4, 4, 1,
                                                            std::move(lastTexels))});
}

// Each case gives the first texture's data chunk a body of another length: the edited file must
// be exactly the file a writer makes of the new content, sizes and all.
TEST(ChunkTreeEdit, ABodyOfAnyLengthGivesTheFileWrittenWithIt) {
    const std::vector<std::uint8_t> last(16, 0xEE);
    const auto original = TwoTextureFile(std::vector<std::uint8_t>(8, 0x11), last);
    const MemorySource file(original);
    const ChunkTree tree = ReadChunkTree(file);
    const TreeTexture first = FindTextures(tree, file)[0];
    for (const std::size_t length : {std::size_t{8}, std::size_t{0}, std::size_t{3}, std::size_t{4096}}) {
        const std::vector<std::uint8_t> body(length, 0x77);
        const BodyReplacement replacement{first.data, ByteRange::InMemory(body)};
        const auto edited = Joined(EditChunkTree(tree, file, std::span(&replacement, 1)));
        EXPECT_EQ(edited, TwoTextureFile(body, last)) << "length " << length;
        const ChunkTree reread = ReadChunkTree(edited);  // still a whole tree
        EXPECT_EQ(reread.chunks[0].EndOffset(), edited.size());
    }
}

TEST(ChunkTreeEdit, SeveralBodiesInSeveralFoldersAtOnce) {
    const auto original = TwoTextureFile(std::vector<std::uint8_t>(8, 0x11), std::vector<std::uint8_t>(16, 0x22));
    const MemorySource file(original);
    const ChunkTree tree = ReadChunkTree(file);
    const auto textures = FindTextures(tree, file);
    const std::vector<std::uint8_t> longer(40, 0x33);
    const std::vector<std::uint8_t> shorter(1, 0x44);
    const std::vector<BodyReplacement> replacements = {{textures[1].data, ByteRange::InMemory(shorter)},
                                                       {textures[0].data, ByteRange::InMemory(longer)}};
    EXPECT_EQ(Joined(EditChunkTree(tree, file, replacements)), TwoTextureFile(longer, shorter));
}

// Chunks put after the last chunk of a nested folder, after a top-level chunk and after a chunk whose
// body is replaced too: the result must be the file a writer makes with those chunks in place.
TEST(ChunkTreeEdit, InsertedChunksLandAfterTheirChunkWithEveryFolderSizeGrown) {
    const auto inner = [](std::vector<ChunkSpec> extra, std::vector<std::uint8_t> data) {
        std::vector<ChunkSpec> children = {DataChunk("AAAA", 1, std::move(data))};
        children.insert(children.end(), extra.begin(), extra.end());
        return FoldChunk("INNR", 1, "in", {FoldChunk("DEEP", 2, "", std::move(children))});
    };
    const auto fileOf = [&](std::vector<ChunkSpec> deep, std::vector<std::uint8_t> data, std::vector<ChunkSpec> top) {
        std::vector<ChunkSpec> chunks = {inner(std::move(deep), std::move(data))};
        chunks.insert(chunks.end(), top.begin(), top.end());
        return WriteChunkTreeBytes(chunks);
    };
    const ChunkSpec first = DataChunk("NEW1", 1, {1, 2, 3}, "n");
    const ChunkSpec second = DataChunk("NEW2", 1, {4});
    const ChunkSpec top = DataChunk("TOPP", 1, {5, 6});
    const auto original = fileOf({}, {9, 9}, {});
    const MemorySource file(original);
    const ChunkTree tree = ReadChunkTree(file);
    const Chunk& leaf = tree.chunks[0].children[0].children[0];
    const auto bytesOf = [](const ChunkSpec& chunk) {
        const std::vector<std::uint8_t> whole = WriteChunkTreeBytes({chunk});
        return std::vector<std::uint8_t>(whole.begin() + kFileHeaderBytes, whole.end());
    };
    const auto firstBytes = bytesOf(first), secondBytes = bytesOf(second), topBytes = bytesOf(top);
    const std::vector<std::uint8_t> newData = {7, 7, 7, 7, 7};
    const std::vector<ChunkInsertion> insertions = {{&leaf, ByteRange::InMemory(firstBytes)},
                                                    {&tree.chunks[0], ByteRange::InMemory(topBytes)},
                                                    {&leaf, ByteRange::InMemory(secondBytes)}};
    const BodyReplacement replacement{&leaf, ByteRange::InMemory(newData)};
    const auto edited = Joined(EditChunkTree(tree, file, std::span(&replacement, 1), insertions));
    EXPECT_EQ(edited, fileOf({first, second}, newData, {top}));
}

TEST(ChunkTreeEdit, NoReplacementGivesTheFileUnchanged) {
    const auto original = TwoTextureFile(std::vector<std::uint8_t>(8, 0x11), std::vector<std::uint8_t>(16, 0x22));
    const MemorySource file(original);
    EXPECT_EQ(Joined(EditChunkTree(ReadChunkTree(file), file, {})), original);
}

TEST(ChunkTreeEdit, ASizeBeyondThe32BitRangeIsAnError) {
    const auto original = TwoTextureFile(std::vector<std::uint8_t>(8, 0x11), std::vector<std::uint8_t>(16, 0x22));
    const MemorySource file(original);
    const ChunkTree tree = ReadChunkTree(file);
    const TreeTexture first = FindTextures(tree, file)[0];
    // A range of a source that claims a huge body; it is never read, since the sizes are refused first.
    const BodyReplacement replacement{first.data, ByteRange::Of(file, 0, 0x7FFFFFFF - 10)};
    try {
        EditChunkTree(tree, file, std::span(&replacement, 1));
        FAIL() << "no error";
    } catch (const PellitonError& error) {
        EXPECT_NE(std::string(error.what()).find("more than a chunk can"), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace pelliton
