// Reading the team colour pattern of a WTP file, in every shape the game's files take and in shapes
// a hostile file may take.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/PellitonError.h"
#include "teamcolour/PatternText.h"
#include "teamcolour/TeamPattern.h"
#include "teamcolour/PatternFixtures.h"

namespace pelliton {
namespace {

struct Read {
    std::vector<std::uint8_t> bytes;
    MemorySource file{bytes};
    ChunkTree tree;
    std::optional<TeamPattern> pattern;

    explicit Read(std::vector<std::uint8_t> content) : bytes(std::move(content)) {
        file = MemorySource(bytes);
        tree = ReadChunkTree(file);
        pattern = FindTeamPattern(tree, file);
    }
};

TEST(TeamPattern, EveryShapeOfTheGamesFilesIsRead) {
    struct Shape {
        std::vector<int> layers;
        bool banner;
    };
    for (const Shape& shape : {Shape{{0, 1, 2, 3, 4, 5}, true}, Shape{{0, 2, 4, 5}, false}, Shape{{5, 1}, true},
                               Shape{{}, false}}) {
        PatternSpec made = testing::SmallPattern(5, 3, {}, shape.banner);
        for (const int layer : shape.layers) made.layers.push_back(testing::SmallPattern(5, 3, {layer}).layers[0]);
        const Read read(WritePatternFile(made));
        ASSERT_TRUE(read.pattern);
        const TeamPattern& pattern = *read.pattern;
        EXPECT_EQ(pattern.name, "default");
        EXPECT_EQ(pattern.width, 5);
        EXPECT_EQ(pattern.height, 3);
        for (int layer = 0; layer < kPatternLayerCount; ++layer) {
            const bool present = std::ranges::find(shape.layers, layer) != shape.layers.end();
            ASSERT_EQ(pattern.layers[layer] != nullptr, present) << layer;
            if (!present) continue;
            const ByteRange texels = pattern.LayerTexels(read.file, layer);
            ASSERT_EQ(texels.Size(), 15U);
            std::vector<std::uint8_t> stored(15);
            read.file.ReadAt(texels.offset, stored);
            EXPECT_EQ(stored, testing::SmallPattern(5, 3, {layer}).layers[0].texels);
        }
        EXPECT_EQ(pattern.BaseTexels(read.file).Size(), 60U);
        EXPECT_EQ(pattern.imageName, made.imageName);
        EXPECT_EQ(pattern.badge, (PatternRectangle{47, 107, 64, 64}));
        EXPECT_EQ(pattern.banner.has_value(), shape.banner);
        if (shape.banner) {
            EXPECT_EQ(pattern.banner, (PatternRectangle{1.5F, 2, 3, 4.25F}));
        }
    }
}

TEST(TeamPattern, AFileWithoutAPatternHasNone) {
    const Read read(WriteChunkTreeBytes({DataChunk("INFO", 1, {1, 2, 3})}));
    EXPECT_FALSE(read.pattern);
}

TEST(TeamPattern, DescriptionNamesTheLayersAndRectangles) {
    const Read read(WritePatternFile(testing::SmallPattern(4, 2, {0, 4}, false)));
    EXPECT_EQ(DescribePattern(*read.pattern),
              (std::vector<std::string>{"team colour pattern \"default\": 4 x 2", "layer 0 primary", "layer 4 eyes",
                                        "base picture \"" + testing::SmallPattern(1, 1, {}).imageName + "\": 32-bit, 4 x 2",
                                        "badge at 47, 107, 64 x 64", "no banner"}));
}

// Each case spoils one field of a well-formed file; the reader must refuse it naming the chunk.
TEST(TeamPattern, HostileFieldsAreRefusedNamingTheChunk) {
    const auto longs = [](std::initializer_list<std::int32_t> values) {
        std::vector<std::uint8_t> bytes;
        for (const std::int32_t value : values) {
            for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
        }
        return bytes;
    };
    struct Case {
        const char* what;
        std::function<void(ChunkSpec&)> spoil;
        const char* error;
    };
    const std::vector<Case> cases = {
        {"no DATAINFO", [](ChunkSpec& p) { p.children.erase(p.children.begin()); }, "FOLDTPAT at byte 24: it has no DATAINFO"},
        {"short DATAINFO", [](ChunkSpec& p) { p.children[0].data.resize(7); }, "DATAINFO at byte 52: it holds 7 bytes, not 8"},
        {"zero width", [&](ChunkSpec& p) { p.children[0].data = longs({0, 3}); }, "its size 0 x 3 is outside 1 to 16384"},
        {"huge sides", [&](ChunkSpec& p) { p.children[0].data = longs({-1, -1}); }, "is outside 1 to 16384 texels a side"},
        {"layer 6", [&](ChunkSpec& p) { p.children[1].data = longs({6, 12}); p.children[1].data.resize(20); },
         "its layer index 6 is not 0 to 5"},
        {"layer -1", [&](ChunkSpec& p) { p.children[1].data = longs({-1, 12}); p.children[1].data.resize(20); },
         "its layer index 4294967295 is not 0 to 5"},
        {"layer twice", [](ChunkSpec& p) { p.children[2] = p.children[1]; }, "holds the primary layer a second time"},
        {"count beyond the body", [&](ChunkSpec& p) { std::ranges::copy(longs({0, 1000}), p.children[1].data.begin()); },
         "its primary layer holds 1000 texels in 20 bytes, not 4 x 3"},
        {"layer header cut", [](ChunkSpec& p) { p.children[1].data.resize(5); }, "fewer than its layer header"},
        {"no FOLDIMAG", [](ChunkSpec& p) { std::erase_if(p.children, [](const ChunkSpec& c) { return c.id == "IMAG"; }); },
         "it has no FOLDIMAG"},
        {"no DATADATA", [](ChunkSpec& p) { p.children[3].children.pop_back(); }, "FOLDIMAG at byte 160: it has no DATADATA"},
        {"compressed base", [&](ChunkSpec& p) { p.children[3].children[0].data = longs({11, 4, 3, 1}); },
         "image type 11 with 1 MIP levels, not image type 0 with 1"},
        {"base of another size", [&](ChunkSpec& p) { p.children[3].children[0].data = longs({0, 3, 4, 1}); },
         "the base picture is 3 x 4, the pattern 4 x 3"},
        {"base cut short", [](ChunkSpec& p) { p.children[3].children[1].data.resize(47); },
         "it holds 47 bytes, not 48 for the base picture"},
        {"badge of 12 bytes", [](ChunkSpec& p) { p.children[4].data.resize(12); }, "DATAPTBD at byte"},
    };
    for (const Case& test : cases) {
        ChunkSpec folder = PatternFolder(testing::SmallPattern(4, 3, {0, 1}));
        test.spoil(folder);
        const std::vector<std::uint8_t> bytes = WriteChunkTreeBytes({folder});
        const MemorySource file(bytes);
        const ChunkTree tree = ReadChunkTree(file);
        try {
            FindTeamPattern(tree, file);
            ADD_FAILURE() << test.what << ": no error";
        } catch (const PellitonError& error) {
            EXPECT_NE(std::string(error.what()).find(test.error), std::string::npos) << test.what << ": " << error.what();
        }
    }
}

}  // namespace
}  // namespace pelliton
