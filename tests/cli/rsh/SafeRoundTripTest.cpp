// pelliton-rsh never loses a modder's work: outputs that are inputs, exports painted since, and
// changes to a texture that the modder hears of (or, with --strict, refuses).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli/rsh/RshToolFixtures.h"
#include "rshwrite/RshWriter.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::BlockTexture;
using testing::EntriesIn;
using testing::GameFile;
using testing::ReadFileBytes;
using testing::RunTool;
using testing::TempDir;
using testing::TextureSpec;

// `replace -o` naming the picture itself, under its own name or another, would put RSH bytes in the
// place of the modder's picture.
TEST(RshToolSafeWrites, ReplaceRefusesAnOutputThatIsOneOfTheImages) {
    const TempDir dir;
    const auto original = GameFile({BlockTexture("ig_baneblade_a", kImageTypeDxt1, "DXT1", 4, 4, 1, 1)});
    const std::string file = dir.Write("a.rsh", original);
    const auto picture = testing::DdsFileBytes("DXT1", 4, 4, 1, std::vector<std::uint8_t>(8, 3));
    const std::string image = dir.Write("ig_baneblade_a.dds", picture);
    std::filesystem::create_hard_link(image, dir.path() / "linked.rsh");
    for (const std::string& output : {image, (dir.path() / "linked.rsh").string()}) {
        const auto run = RunTool({"replace", "-o", output, file, image});
        EXPECT_EQ(run.status, 1) << output;
        EXPECT_EQ(run.err, "pelliton-rsh: cannot write " + output + ": it is the same file as the input " + image + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadFileBytes(image), picture);
        EXPECT_EQ(ReadFileBytes(file), original);
        EXPECT_EQ(EntriesIn(dir.path()), 3u);
    }
}

TEST(RshToolSafeWrites, ExtractRefusesAnExportThatIsTheFileItReads) {
    const TempDir dir;
    const auto original = GameFile({BlockTexture("a", kImageTypeDxt1, "DXT1", 4, 4, 1, 1)});
    const std::string file = dir.Write("a.rsh", original);
    std::filesystem::create_hard_link(file, dir.path() / "a.DDS");
    const auto run = RunTool({"extract", "--force", "-C", dir.path().string(), file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pelliton-rsh: " + file + ": texture a: cannot write " + (dir.path() / "a.DDS").generic_string() +
                           ": it is the same file as the input " + file + "; skipped\n");
    EXPECT_EQ(ReadFileBytes(file), original);
}

// A modder painted an exported picture, then extracted again: the painting stays unless --force.
TEST(RshToolSafeWrites, ExtractKeepsAnExportWithOtherContentUnlessForced) {
    const TempDir dir;
    const TempDir out;
    const TextureSpec texture = BlockTexture("ig_baneblade_a", kImageTypeDxt1, "DXT1", 4, 4, 1, 1);
    const std::string file = dir.Write("a.rsh", GameFile({texture, BlockTexture("b", kImageTypeDxt1, "DXT1", 4, 4, 1, 2)}));
    ASSERT_EQ(RunTool({"extract", "-C", out.path().string(), file}).status, 0);
    const auto exported = ReadFileBytes(out.path() / "b.DDS");
    const auto export_ = out.path() / "ig_baneblade_a.DDS";
    const std::vector<std::uint8_t> painting(200, 0x77);
    WriteFileBytes(export_.string(), painting);

    const auto again = RunTool({"extract", "-C", out.path().string(), file});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "pelliton-rsh: " + file + ": texture ig_baneblade_a: " + export_.generic_string() +
                             " exists with other content (--force replaces it); skipped\n");
    EXPECT_EQ(again.out, file + ": " + (out.path() / "b.DDS").generic_string() + "\n");
    EXPECT_EQ(ReadFileBytes(export_), painting);
    EXPECT_EQ(ReadFileBytes(out.path() / "b.DDS"), exported);

    const auto forced = RunTool({"extract", "--force", "-C", out.path().string(), file});
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_NE(ReadFileBytes(export_), painting);
    EXPECT_EQ(EntriesIn(out.path()), 2u);
}

TEST(RshToolSafeWrites, ExtractNeverReplacesAReadOnlyExport) {
    const TempDir dir;
    const TempDir out;
    const std::string file = dir.Write("a.rsh", GameFile({BlockTexture("a", kImageTypeDxt1, "DXT1", 4, 4, 1, 1)}));
    const auto export_ = out.path() / "a.DDS";
    WriteFileBytes(export_.string(), std::vector<std::uint8_t>(16, 1));
    std::filesystem::permissions(export_, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                              std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    const auto run = RunTool({"extract", "--force", "-C", out.path().string(), file});
    std::filesystem::permissions(export_, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pelliton-rsh: " + file + ": texture a: cannot write " + export_.generic_string() +
                           ": it is read-only; skipped\n");
    EXPECT_EQ(ReadFileBytes(export_), std::vector<std::uint8_t>(16, 1));
}

struct ChangeCase {
    const char* label;
    TextureSpec before;
    std::string image;  // a DDS of this name is made from after
    TextureSpec after;
    std::vector<std::string> changes;
};

// One line per change, each naming what changed from what to what; --strict refuses them all and
// writes nothing.
TEST(RshToolReplace, EveryChangeToATextureIsReportedAndStrictRefusesIt) {
    const ChangeCase cases[] = {
        {"same shape", BlockTexture("t", kImageTypeDxt5, "DXT5", 8, 8, 4, 1), "t.dds",
         BlockTexture("t", kImageTypeDxt5, "DXT5", 8, 8, 4, 2), {}},
        {"size", BlockTexture("t", kImageTypeDxt5, "DXT5", 8, 8, 1, 1), "t.dds",
         BlockTexture("t", kImageTypeDxt5, "DXT5", 4, 8, 1, 2), {"size 8 x 8 to 4 x 8"}},
        {"format", BlockTexture("t", kImageTypeDxt5, "DXT5", 8, 8, 4, 1), "T.DDS",
         BlockTexture("t", kImageTypeDxt1, "DXT1", 8, 8, 4, 2), {"format DXT5 to DXT1"}},
        {"MIP levels", BlockTexture("t", kImageTypeDxt1, "DXT1", 8, 8, 4, 1), "t.dds",
         BlockTexture("t", kImageTypeDxt1, "DXT1", 8, 8, 1, 2), {"MIP levels 4 to 1"}},
        {"everything", BlockTexture("t", kImageTypeDxt3, "DXT3", 16, 16, 5, 1), "t.dds",
         BlockTexture("t", kImageTypeDxt5, "DXT5", 3, 5, 2, 2),
         {"size 16 x 16 to 3 x 5", "format DXT3 to DXT5", "MIP levels 5 to 2"}},
    };
    for (const ChangeCase& c : cases) {
        for (const bool strict : {false, true}) {
            SCOPED_TRACE(std::string(c.label) + (strict ? " --strict" : ""));
            const TempDir dir;
            const auto original = GameFile({c.before});
            const std::string file = dir.Write("a.rsh", original);
            const std::string image = dir.Write(
                c.image, testing::DdsFileBytes(c.after.imageType == kImageTypeDxt1   ? "DXT1"
                                               : c.after.imageType == kImageTypeDxt5 ? "DXT5"
                                                                                     : "DXT3",
                                               c.after.width, c.after.height, c.after.mipLevels, c.after.texels));
            std::vector<std::string> args = {"replace", file, image};
            if (strict) args.insert(args.begin() + 1, "--strict");
            const auto run = RunTool(args);
            std::string expectedErr;
            for (const std::string& change : c.changes) {
                expectedErr += "pelliton-rsh: " + file + ": texture t: " + change +
                               (strict ? " (refused by --strict)" : "") + "\n";
            }
            const bool refused = strict && !c.changes.empty();
            if (refused) expectedErr += "pelliton-rsh: " + file + ": not written: --strict refuses any change to a texture\n";
            EXPECT_EQ(run.err, expectedErr);
            EXPECT_EQ(run.status, refused ? 1 : 0);
            EXPECT_EQ(ReadFileBytes(file), refused ? original : GameFile({c.after}));
        }
    }
}

// DXT1 keeps alpha as one bit: a picture whose alpha lies between transparent and opaque loses it.
TEST(RshToolReplace, AlphaCutToOneBitByDxt1IsReported) {
    const std::pair<std::uint8_t, const char*> alphas[] = {{255, ""}, {0, ""}, {128, "alpha reduced to one bit by DXT1"}};
    for (const auto& [alpha, change] : alphas) {
        const TempDir dir;
        const std::string file = dir.Write("a.rsh", GameFile({BlockTexture("t", kImageTypeDxt1, "DXT1", 4, 4, 3, 1)}));
        std::vector<std::uint8_t> rgba;
        for (int texel = 0; texel < 16; ++texel) rgba.insert(rgba.end(), {200, 100, 50, texel == 5 ? alpha : std::uint8_t{255}});
        const std::string image = dir.Write("t.tga", testing::TgaFileBytes(4, 4, rgba, true));
        const auto run = RunTool({"replace", file, image});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, *change == '\0' ? "" : "pelliton-rsh: " + file + ": texture t: " + change + "\n")
            << int{alpha};
    }
}

}  // namespace
}  // namespace pelliton
