// The chunk tree reader on files shaped like the game's, and on every way a tree can be broken.
#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/PellitonError.h"
#include "rsh/ChunkTree.h"
#include "rsh/TreeTextures.h"
#include "rshwrite/ChunkTreeWriter.h"
#include "support/AllocationWatch.h"

namespace pelliton {
namespace {

const std::string kShared = "Art/EBPs/races/imperial_guard/texture_share/ig_baneblade_a";

std::vector<std::uint8_t> ThreeTextureFile() {
    return GameTextureFile(kShared, {GameTextureFolder(kShared, kImageTypeDxt1, 8, 4, 2, std::vector<std::uint8_t>(24, 1)),
                                     GameTextureFolder(kShared + "_spec", kImageTypeDxt5, 4, 4, 1,
                                                       std::vector<std::uint8_t>(16, 2)),
                                     GameTextureFolder("Art\\shared\\_reflection_ig_vehicles", kImageTypeUncompressed,
                                                       2, 2, 1, std::vector<std::uint8_t>(16, 3))});
}

// Type, id, depth and offset of every chunk, in file order.
void Flatten(const std::vector<Chunk>& chunks, int depth, std::vector<std::string>& out) {
    for (const Chunk& chunk : chunks) {
        out.push_back(std::string(2 * depth, ' ') + chunk.Tag() + "@" + std::to_string(chunk.offset));
        Flatten(chunk.children, depth + 1, out);
    }
}

std::string TreeError(const std::vector<std::uint8_t>& bytes) {
    try {
        ReadChunkTree(bytes);
    } catch (const PellitonError& error) {
        return error.what();
    }
    return "(read without an error)";
}

TEST(ChunkTree, ReadsTheGamesLayoutWithEveryChunkInPlace) {
    const auto bytes = ThreeTextureFile();
    const ChunkTree tree = ReadChunkTree(bytes);
    EXPECT_EQ(tree.header.signature, "Relic Chunky");
    EXPECT_EQ(tree.header.version, 1);
    ASSERT_EQ(tree.chunks.size(), 1u);
    const Chunk& shared = tree.chunks[0];
    EXPECT_EQ(shared.Tag(), "FOLDSHRF");
    EXPECT_EQ(shared.name, kShared + std::string(1, '\0'));
    EXPECT_EQ(shared.EndOffset(), bytes.size());  // the sizes add up to the file

    std::vector<std::string> flat;
    Flatten(tree.chunks, 0, flat);
    ASSERT_EQ(flat.size(), 1u + 3 * 5 + 1 + 7);
    EXPECT_EQ(flat[0], "FOLDSHRF@24");
    EXPECT_EQ(flat[1], "  FOLDTXTR@" + std::to_string(24 + 20 + shared.name.size()));
    EXPECT_TRUE(flat[3].starts_with("    FOLDIMAG@")) << flat[3];
    EXPECT_TRUE(flat[5].starts_with("      DATADATA@")) << flat[5];
    EXPECT_TRUE(flat[16].starts_with("  FOLDSHDR@")) << flat[16];
    EXPECT_TRUE(flat.back().starts_with("    DATACHAN@")) << flat.back();

    const Chunk& data = shared.children[0].children[1].children[1];
    EXPECT_EQ(data.Tag(), "DATADATA");
    EXPECT_EQ(data.version, 2);
    EXPECT_EQ(ReadChunkBody(MemorySource(bytes), data), std::vector<std::uint8_t>(24, 1));
}

TEST(ChunkTree, FindsEveryTextureWithItsNameAndAttributes) {
    const auto bytes = ThreeTextureFile();
    const ChunkTree tree = ReadChunkTree(bytes);
    const auto textures = FindTextures(tree, bytes);
    ASSERT_EQ(textures.size(), 3u);
    EXPECT_EQ(textures[0].name, "ig_baneblade_a");
    EXPECT_EQ(textures[1].name, "ig_baneblade_a_spec");
    EXPECT_EQ(textures[2].name, "_reflection_ig_vehicles");  // after a backslash too
    EXPECT_EQ(textures[0].attributes.imageType, kImageTypeDxt1);
    EXPECT_EQ(textures[0].attributes.width, 8);
    EXPECT_EQ(textures[0].attributes.height, 4);
    EXPECT_EQ(textures[0].attributes.mipLevels, 2);
    EXPECT_EQ(textures[2].attributes.imageType, kImageTypeUncompressed);
    for (const TreeTexture& texture : textures) {
        EXPECT_EQ(texture.problem, "") << texture.name;
        EXPECT_EQ(texture.head->Tag(), "DATAHEAD");
        EXPECT_EQ(texture.data->Tag(), "DATADATA");
    }
}

TEST(ChunkTree, ChunkKindsNobodyKnowsAreReadAsWhatTheyAre) {
    ChunkSpec odd{"BLOB", "XYZW", 7, "odd name", {9, 9, 9}, {}};
    const auto bytes = WriteChunkTreeBytes(
        {FoldChunk("ZZZZ", 3, "", {odd, FoldChunk("EMPT", 1, "e", {})}), DataChunk("TAIL", 1, {1, 2})});
    const ChunkTree tree = ReadChunkTree(bytes);
    ASSERT_EQ(tree.chunks.size(), 2u);
    ASSERT_EQ(tree.chunks[0].children.size(), 2u);
    EXPECT_EQ(tree.chunks[0].children[0].Tag(), "BLOBXYZW");
    EXPECT_FALSE(tree.chunks[0].children[0].IsFolder());
    EXPECT_EQ(tree.chunks[0].children[0].version, 7);
    EXPECT_TRUE(tree.chunks[0].children[1].children.empty());
    EXPECT_EQ(tree.chunks[1].Tag(), "DATATAIL");
    EXPECT_TRUE(FindTextures(tree, bytes).empty());
}

// Writes a 32-bit little-endian value into bytes at offset.
void Poke(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
}

struct BrokenTree {
    const char* label;
    std::function<void(std::vector<std::uint8_t>&)> corrupt;
    std::string reasonPart;
};

constexpr std::size_t kTopSize = 24 + 12;  // the top chunk's size field
constexpr std::size_t kTopNameLength = 24 + 16;

class BrokenTrees : public ::testing::TestWithParam<BrokenTree> {};

TEST_P(BrokenTrees, AreClearErrorsBeforeAnyLargeAllocation) {
    auto bytes = ThreeTextureFile();
    GetParam().corrupt(bytes);
    const testing::AllocationWatch watch;
    const std::string reason = TreeError(bytes);
    EXPECT_NE(reason.find(GetParam().reasonPart), std::string::npos) << reason;
    EXPECT_LT(watch.LargestRequest(), 64u * 1024);
}

const std::size_t kFirstTexture = 24 + 20 + kShared.size() + 1;

INSTANTIATE_TEST_SUITE_P(
    ChunkTree, BrokenTrees,
    ::testing::Values(
        BrokenTree{"signature", [](auto& b) { b[0] = 'r'; }, "not an RSH file"},
        BrokenTree{"header only", [](auto& b) { b.resize(20); }, "too short for the 24-byte file header"},
        BrokenTree{"top body past the file", [](auto& b) { Poke(b, kTopSize, 0x7FFFFFF0); },
                   "FOLDSHRF at byte 24: a body of 2147483632 bytes does not fit"},
        BrokenTree{"negative size", [](auto& b) { Poke(b, kTopSize, -4); }, "a body of -4 bytes"},
        BrokenTree{"name past the file", [](auto& b) { Poke(b, kTopNameLength, 0x7FFFFFFF); },
                   "a name of 2147483647 bytes does not fit"},
        BrokenTree{"negative name length", [](auto& b) { Poke(b, kTopNameLength, -1); }, "a name of -1 bytes"},
        BrokenTree{"child larger than its folder",
                   [](auto& b) { Poke(b, kFirstTexture + 12, 100000); },
                   "FOLDTXTR at byte " + std::to_string(kFirstTexture) + ": a body of 100000 bytes"},
        BrokenTree{"a folder not filled by whole chunks",
                   [](auto& b) {
                       // Two bytes more for the top folder, which its children do not fill.
                       b.insert(b.end(), {0, 0});
                       Poke(b, kTopSize, static_cast<std::int32_t>(b.size() - kFirstTexture));
                   },
                   "the 2 bytes at byte"},
        BrokenTree{"trailing bytes after the top chunk", [](auto& b) { b.insert(b.end(), 7, 0); },
                   "are too few for a chunk header"}),
    [](const auto& info) {
        std::string name = info.param.label;
        for (char& c : name) if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

// A file of the header alone is an empty tree; cut anywhere else, the file is broken.
TEST(ChunkTree, EveryTruncationIsAnError) {
    const auto whole = ThreeTextureFile();
    EXPECT_TRUE(ReadChunkTree(std::span(whole).first(kFileHeaderBytes)).chunks.empty());
    for (std::size_t length = 0; length < whole.size(); ++length) {
        if (length == kFileHeaderBytes) continue;
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_NE(TreeError(cut), "(read without an error)") << "length " << length;
    }
}

TEST(ChunkTree, NestingIsBounded) {
    for (const int depth : {kMaxFolderDepth, kMaxFolderDepth + 1}) {
        ChunkSpec chunk = DataChunk("LEAF", 1, {1});
        for (int i = 0; i < depth; ++i) chunk = FoldChunk("NEST", 1, "", {chunk});
        const std::string reason = TreeError(WriteChunkTreeBytes({chunk}));
        if (depth == kMaxFolderDepth) {
            EXPECT_EQ(reason, "(read without an error)");
        } else {
            EXPECT_NE(reason.find("folders nest deeper than 16"), std::string::npos) << reason;
        }
    }
}

TEST(ChunkTree, ATextureWithoutItsChunksSaysWhatIsMissing) {
    struct Case {
        ChunkSpec folder;
        const char* problem;
    };
    const std::vector<std::uint8_t> attr(16, 0);
    const Case cases[] = {
        {FoldChunk("TXTR", 1, "a", {DataChunk("HEAD", 1, std::vector<std::uint8_t>(8))}), "it has no FOLDIMAG"},
        {FoldChunk("TXTR", 1, "a", {FoldChunk("IMAG", 1, "", {DataChunk("DATA", 2, {1})})}),
         "its FOLDIMAG has no DATAATTR"},
        {FoldChunk("TXTR", 1, "a", {FoldChunk("IMAG", 1, "", {DataChunk("ATTR", 2, attr)})}),
         "its FOLDIMAG has no DATADATA"},
        {FoldChunk("TXTR", 1, "a",
                   {FoldChunk("IMAG", 1, "", {DataChunk("ATTR", 2, {1, 2}), DataChunk("DATA", 2, {1})})}),
         "its DATAATTR holds 2 bytes, not 16"},
        {FoldChunk("TXTR", 1, "a",
                   {DataChunk("HEAD", 1, {5}),
                    FoldChunk("IMAG", 1, "", {DataChunk("ATTR", 2, attr), DataChunk("DATA", 2, {1})})}),
         "its DATAHEAD holds 1 bytes, not 8"},
    };
    for (const Case& c : cases) {
        const auto bytes = WriteChunkTreeBytes({FoldChunk("SHRF", 1, "s", {c.folder})});
        const auto textures = FindTextures(ReadChunkTree(bytes), bytes);
        ASSERT_EQ(textures.size(), 1u);
        EXPECT_EQ(textures[0].problem, c.problem);
    }
}

}  // namespace
}  // namespace pelliton
