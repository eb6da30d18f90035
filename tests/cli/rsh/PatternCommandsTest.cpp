// pelliton-rsh on WTP files, as a skinner uses it: list, extract, an edit of the primary mask,
// replace, and the pattern painted in an army's colours, each pixel checked against the painter's
// formula worked out here.
#include <gtest/gtest.h>

#include <cmath>

#include "cli/rsh/RshToolFixtures.h"
#include "common/FileSource.h"
#include "picture/PictureFile.h"
#include "picture/PngEncoder.h"
#include "rshwrite/PatternWriter.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;
using testing::RunTool;

constexpr int kWidth = 8;
constexpr int kHeight = 6;

// Primary everywhere on the left half (rows bottom-up, so columns tell it apart), eyes on one
// texel, dirt at half strength in the right half; the base picture grey shades by column.
PatternSpec SkinnersPattern() {
    PatternSpec pattern;
    pattern.width = kWidth;
    pattern.height = kHeight;
    const auto layer = [](int index, auto rule) {
        PatternLayerSpec made{index, {}};
        for (int texel = 0; texel < kWidth * kHeight; ++texel) made.texels.push_back(rule(texel % kWidth, texel / kWidth));
        return made;
    };
    pattern.layers = {layer(0, [](int x, int) { return x < 4 ? 255 : 0; }),
                      layer(4, [](int x, int y) { return x == 6 && y == 0 ? 255 : 0; }),
                      layer(5, [](int x, int) { return x >= 4 ? 128 : 0; })};
    for (int texel = 0; texel < kWidth * kHeight; ++texel) {
        const auto grey = static_cast<std::uint8_t>(100 + 20 * (texel % kWidth));
        pattern.base.insert(pattern.base.end(), {grey, grey, grey, 255});
    }
    pattern.badge = std::array<float, 4>{0, 0, 2, 2};
    return pattern;
}

RgbaPicture ReadPng(const std::filesystem::path& path) {
    const FileSource file(path.string());
    return DecodePng(file, path.string());
}

TEST(PatternCommands, ExtractEditReplaceAndPreviewGiveTheExpectedPixels) {
    const testing::TempDir dir;
    const std::string wtp = dir.Write("marine.wtp", WritePatternFile(SkinnersPattern()));
    const std::string out = (dir.path() / "out").string();
    std::filesystem::create_directory(out);

    const auto extract = RunTool({"extract", "--png", "-C", out, wtp});
    ASSERT_EQ(extract.status, 0) << extract.err;
    for (const char* name : {"marine_default.png", "marine_primary.png", "marine_eyes.png", "marine_dirt.png"}) {
        EXPECT_NE(extract.out.find("/out/" + std::string(name) + "\n"), std::string::npos) << name << " in " << extract.out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out" / "marine_trim.png")) << "the file has no trim layer";

    // The skinner paints the primary mask's top-left 2 x 2 texels black, in a colour-capable editor.
    const std::filesystem::path primaryPath = dir.path() / "out" / "marine_primary.png";
    RgbaPicture primary = ReadPng(primaryPath);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) std::fill_n(primary.rgba.begin() + (y * kWidth + x) * 4, 3, 0);
    }
    dir.Write("out/marine_primary.png", EncodePng(primary));
    const auto replace = RunTool({"replace", wtp, primaryPath.string()});
    ASSERT_EQ(replace.status, 0) << replace.err;
    EXPECT_EQ(replace.out, wtp + ": primary from " + primaryPath.string() + "\n");

    const std::string badge = dir.Write("badge.png", EncodePng(RgbaPicture{1, 1, {255, 255, 0, 255}}));
    const std::string preview = (dir.path() / "preview.png").string();
    const auto painted = RunTool({"preview", wtp, "--colours", "#ff0000,#00ff00,#0000ff,#ffffff,#00FFFF", "--badge",
                                  badge, "-o", preview});
    ASSERT_EQ(painted.status, 0) << painted.err;
    const RgbaPicture shown = ReadPng(preview);
    ASSERT_EQ(shown.width, kWidth);
    ASSERT_EQ(shown.height, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int storedRow = kHeight - 1 - y;
            const double base = (100 + 20 * x) / 255.0;
            const double mask = x < 4 && !(x < 2 && y < 2) ? 1 : 0;  // the edit cleared the top-left texels
            const double eyes = x == 6 && storedRow == 0 ? 1 : 0;
            const double dirt = x >= 4 ? 128 / 255.0 : 0;
            const std::array<double, 3> primaryColour = {1, 0, 0}, eyesColour = {0, 1, 1};
            for (int c = 0; c < 3; ++c) {
                double p = base + mask * (primaryColour[c] * base - base);
                p += eyes * (eyesColour[c] * base - p);
                p += dirt * (base - p);
                const double expected = x < 2 && y < 2 ? (c < 2 ? 255 : 0) : p * 255;  // the yellow badge
                EXPECT_NEAR(shown.rgba[(y * kWidth + x) * 4 + c], expected, 0.5 + 1e-6) << x << ", " << y << " channel " << c;
            }
        }
    }
}

TEST(PatternCommands, ListShowsTheLayersAndRectanglesAndFolderBatchesTakeWtpFiles) {
    const testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "mod" / "races");
    dir.Write("mod/races/marine.wtp", WritePatternFile(SkinnersPattern()));
    const auto list = RunTool({"list", (dir.path() / "mod/races/marine.wtp").string()});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("  team colour pattern \"default\": 8 x 6\n    layer 0 primary\n    layer 4 eyes\n"
                            "    layer 5 dirt\n"),
              std::string::npos) << list.out;
    EXPECT_NE(list.out.find("    badge at 0, 0, 2 x 2\n    no banner\n"), std::string::npos) << list.out;

    const auto batch = RunTool({"extract", "-r", "-C", (dir.path() / "pictures").string(), (dir.path() / "mod").string()});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "pictures/races/marine/marine_default.tga"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "pictures/races/marine/marine_dirt.tga"));

    // The way back: unchanged pictures change nothing; a new trim layer saved as a PNG goes in.
    const std::vector<std::string> back = {"replace", "-r", (dir.path() / "pictures").string(), (dir.path() / "mod").string()};
    EXPECT_EQ(RunTool(back).out, (dir.path() / "pictures").string() + ": 0 of 1 file changed, 0 textures replaced\n");
    RgbaPicture trim{kWidth, kHeight, {}};
    for (int texel = 0; texel < kWidth * kHeight; ++texel) trim.rgba.insert(trim.rgba.end(), {9, 9, 9, 255});
    dir.Write("pictures/races/marine/MARINE_trim.png", EncodePng(trim));
    const auto replaced = RunTool(back);
    ASSERT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_NE(replaced.out.find("marine.wtp: trim from "), std::string::npos) << replaced.out;
    EXPECT_NE(RunTool({"list", (dir.path() / "mod/races/marine.wtp").string()}).out.find("    layer 2 trim\n"),
              std::string::npos);
    EXPECT_EQ(RunTool(back).out, (dir.path() / "pictures").string() + ": 0 of 1 file changed, 0 textures replaced\n");
}

TEST(PatternCommands, StrictRefusesAColourLayerAndBadColoursAreNamed) {
    const testing::TempDir dir;
    const std::vector<std::uint8_t> original = WritePatternFile(SkinnersPattern());
    const std::string wtp = dir.Write("marine.wtp", original);
    RgbaPicture red{kWidth, kHeight, {}};
    for (int texel = 0; texel < kWidth * kHeight; ++texel) red.rgba.insert(red.rgba.end(), {255, 0, 0, 255});
    const std::string eyes = dir.Write("marine_eyes.png", EncodePng(red));
    const auto strict = RunTool({"replace", "--strict", wtp, eyes});
    EXPECT_EQ(strict.status, 1);
    EXPECT_NE(strict.err.find(eyes + ": in colour; turned to grey (refused by --strict)"), std::string::npos) << strict.err;
    EXPECT_EQ(ReadFileBytes(wtp), original);

    const auto colours = RunTool({"preview", wtp, "--colours", "#ff0000,#00ff00", "-o", (dir.path() / "p.png").string()});
    EXPECT_EQ(colours.status, 1);
    EXPECT_NE(colours.err.find("--colours #ff0000,#00ff00: five colours #RRGGBB are wanted"), std::string::npos) << colours.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "p.png"));
}

}  // namespace
}  // namespace pelliton
