// Pictures and rectangles back into a WTP file: an unedited round trip gives the file back, edits
// change only what they name, and what does not fit is refused before anything is written.
#include <gtest/gtest.h>

#include "common/PellitonError.h"
#include "export/ExportWriter.h"
#include "picture/PngEncoder.h"
#include "support/TempDir.h"
#include "teamcolour/PatternFixtures.h"
#include "teamcolour/PatternPictures.h"
#include "teamcolour/PatternReplacement.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;
using testing::SmallPattern;

std::string Error(const std::function<void()>& work) {
    try {
        work();
    } catch (const PellitonError& error) {
        return error.what();
    }
    return "no error";
}

std::vector<std::string> PathsOf(const std::vector<std::filesystem::path>& paths) {
    std::vector<std::string> texts;
    for (const auto& path : paths) texts.push_back(path.string());
    return texts;
}

// The pattern's pictures, as extract writes them, beside the file.
std::vector<std::string> Extracted(const std::string& wtp, const testing::TempDir& dir, PatternFileType type) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(wtp);
    const MemorySource file(bytes);
    const ChunkTree tree = ReadChunkTree(file);
    const TeamPattern pattern = *FindTeamPattern(tree, file);
    return PathsOf(ExportPatternPictures(pattern, file, "unit", dir.path(), type, WriteFileAtomically));
}

std::string PngOf(const testing::TempDir& dir, const std::string& name, int width, int height,
                  const std::vector<std::uint8_t>& rgba) {
    RgbaPicture picture{width, height, {}};
    picture.rgba.assign(rgba.begin(), rgba.end());
    return dir.Write(name, EncodePng(picture));
}

TEST(PatternReplacement, ExtractThenReplaceWithoutEditsGivesTheIdenticalFile) {
    for (const PatternFileType type : {PatternFileType::Tga, PatternFileType::Png}) {
        const testing::TempDir dir;
        const std::vector<std::uint8_t> original = WritePatternFile(SmallPattern(7, 5, {0, 1, 2, 3, 4, 5}));
        const std::string wtp = dir.Write("unit.wtp", original);
        const PatternReplacement replacement(wtp, {Extracted(wtp, dir, type), std::nullopt, std::nullopt});
        EXPECT_FALSE(replacement.ChangesFile());
        EXPECT_EQ(replacement.Changes().size(), 7U);
        EXPECT_TRUE(replacement.Notes().empty());
        replacement.WriteTo(wtp);
        EXPECT_EQ(ReadFileBytes(wtp), original);
    }
}

// A colour picture for a layer the file lacks: the layer is added, in grey, after the layer below it;
// the rectangles are set, the missing banner added after the badge. The writer's file of the same
// content is the expected result, byte for byte.
TEST(PatternReplacement, AddedLayerAndRectanglesGiveTheFileTheWriterMakes) {
    const testing::TempDir dir;
    const std::string wtp = dir.Write("unit.wtp", WritePatternFile(SmallPattern(2, 2, {0, 4}, false)));
    // Top row: red, grey 77; bottom row: white, black. Grey of red is 0.299 * 255 = 76.2.
    const std::string trim = PngOf(dir, "unit_Trim.png", 2, 2, {255, 0, 0, 255, 77, 77, 77, 255, 255, 255, 255, 255, 0, 0, 0, 9});
    const PatternReplacement replacement(wtp, {{trim}, PatternRectangle{1, 2, 3, 4}, PatternRectangle{5, 6, 7, 8}});
    EXPECT_EQ(replacement.Notes(), std::vector<std::string>{trim + ": in colour; turned to grey"});
    EXPECT_EQ(replacement.Changes(), (std::vector<std::string>{"trim from " + trim + " (a layer added)",
                                                               "badge at 1, 2, 3 x 4", "banner at 5, 6, 7 x 8"}));
    EXPECT_TRUE(replacement.ChangesFile());
    replacement.WriteTo(wtp);

    PatternSpec expected = SmallPattern(2, 2, {0, 4}, false);
    expected.layers.insert(expected.layers.begin() + 1, PatternLayerSpec{2, {255, 0, 76, 77}});  // rows bottom-up
    expected.badge = std::array<float, 4>{1, 2, 3, 4};
    expected.banner = std::array<float, 4>{5, 6, 7, 8};
    EXPECT_EQ(ReadFileBytes(wtp), WritePatternFile(expected));
}

TEST(PatternReplacement, TheBasePictureKeepsItsAlphaAndGoesInBottomRowFirst) {
    const testing::TempDir dir;
    const std::string wtp = dir.Write("unit.wtp", WritePatternFile(SmallPattern(1, 2, {5})));
    const std::string base = PngOf(dir, "x_default.png", 1, 2, {1, 2, 3, 4, 5, 6, 7, 8});
    PatternReplacement(wtp, {{base}, std::nullopt, std::nullopt}).WriteTo(wtp);
    PatternSpec expected = SmallPattern(1, 2, {5});
    expected.base = {7, 6, 5, 8, 3, 2, 1, 4};
    EXPECT_EQ(ReadFileBytes(wtp), WritePatternFile(expected));
}

TEST(PatternReplacement, WhatDoesNotFitIsRefusedAndNothingWritten) {
    const testing::TempDir dir;
    const std::vector<std::uint8_t> original = WritePatternFile(SmallPattern(2, 2, {0}));
    const std::string wtp = dir.Write("unit.wtp", original);
    const std::string fits = PngOf(dir, "unit_primary.png", 2, 2, std::vector<std::uint8_t>(16, 9));
    const std::string alsoPrimary = PngOf(dir, "b_PRIMARY.png", 2, 2, std::vector<std::uint8_t>(16, 9));
    const std::string tooWide = PngOf(dir, "unit_eyes.png", 3, 2, std::vector<std::uint8_t>(24, 9));
    const std::string noSuffix = PngOf(dir, "unit.png", 2, 2, std::vector<std::uint8_t>(16, 9));
    const std::string dds = dir.Write("unit_dirt.dds", {'D', 'D', 'S', ' '});
    const std::string rsh = dir.Write("plain.rsh", WriteChunkTreeBytes({DataChunk("INFO", 1, {1})}));
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { PatternReplacement(wtp, {{tooWide}, {}, {}}); }, tooWide + ": it is 3 x 2, the pattern 2 x 2"},
        {[&] { PatternReplacement(wtp, {{fits, alsoPrimary}, {}, {}}); }, alsoPrimary + ": " + fits + " is the primary picture already"},
        {[&] { PatternReplacement(wtp, {{noSuffix}, {}, {}}); }, noSuffix + ": its name does not end in _default"},
        {[&] { PatternReplacement(wtp, {{dds}, {}, {}}); }, dds + ": a pattern takes TGA or PNG pictures, not DDS"},
        {[&] { PatternReplacement(rsh, {{fits}, {}, {}}); }, rsh + ": it holds no team colour pattern"},
        {[&] { PatternReplacement(wtp, {{fits}, {}, {}}).WriteTo(fits); }, "it is the same file as the input"},
    };
    for (const auto& [work, error] : cases) {
        EXPECT_NE(Error(work).find(error), std::string::npos) << Error(work) << "\nwanted: " << error;
        EXPECT_EQ(ReadFileBytes(wtp), original);
    }
}

TEST(PatternReplacement, RectanglesAreFourNumbersWithAnArea) {
    EXPECT_EQ(ParseRectangle("47,107,64,64"), (PatternRectangle{47, 107, 64, 64}));
    EXPECT_EQ(ParseRectangle("-1.5,0,0.25,1e2"), (PatternRectangle{-1.5F, 0, 0.25F, 100}));
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,0,4", "1,2,3,-4", "1, 2,3,4", "1,2,3,4x", "nan,1,1,1", "1,inf,1,1"}) {
        EXPECT_FALSE(ParseRectangle(bad)) << bad;
    }
}

}  // namespace
}  // namespace pelliton
