// pelliton-rsh list and extract, and its command line, on files shaped like the game's.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/rsh/RshToolFixtures.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "support/TextureRecords.h"

namespace pelliton {
namespace {

using testing::GameFile;
using testing::RunTool;
using testing::TempDir;
using testing::TextureSpec;

TEST(RshToolList, ShowsEveryChunkIndentedByDepthThenEachTexture) {
    const TempDir dir;
    const auto bytes = GameTextureFile("a/t", {GameTextureFolder("a/t", kImageTypeDxt1, 4, 4, 1, std::vector<std::uint8_t>(8))});
    const std::string file = dir.Write("t.rsh", bytes);
    const auto run = RunTool({"list", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, file + ": 461 bytes, \"Relic Chunky\" 1 1\n"
                              "  FOLDSHRF  at 24  version 1  size 413  \"a/t\\0\"\n"
                              "    FOLDTXTR  at 48  version 1  size 112  \"a/t\\0\"\n"
                              "      DATAHEAD  at 72  version 1  size 8\n"
                              "      FOLDIMAG  at 100  version 1  size 64\n"
                              "        DATAATTR  at 120  version 2  size 16\n"
                              "        DATADATA  at 156  version 2  size 8\n"
                              "    FOLDSHDR  at 184  version 1  size 253  \"a/t\\0\"\n"
                              "      DATAINFO  at 208  version 1  size 17\n"
                              "      DATACHAN  at 245  version 3  size 16\n"
                              "      DATACHAN  at 281  version 3  size 16\n"
                              "      DATACHAN  at 317  version 3  size 16\n"
                              "      DATACHAN  at 353  version 3  size 16\n"
                              "      DATACHAN  at 389  version 3  size 16\n"
                              "      DATACHAN  at 425  version 3  size 16\n"
                              "  texture t: image type 8, DXT1, 4 x 4, 1 MIP level\n");
}

TEST(RshToolList, NamesFromTheFileCannotDriveTheTerminal) {
    const TempDir dir;
    ChunkSpec odd{"ODD\x1b", "KIND", 1, "\x1b[2Jname\xe9", {1}, {}};
    const std::string file = dir.Write("odd.rsh", WriteChunkTreeBytes({odd}));
    const auto run = RunTool({"list", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("  ODD\\x1BKIND  at 24  version 1  size 1  \"\\x1B[2Jname\xc3\xa9\"\n"), std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
}

TEST(RshToolList, ABrokenFileIsReportedAndTheNextIsListed) {
    const TempDir dir;
    const std::string broken = dir.Write("broken.rsh", {'R', 'e', 'l'});
    const std::string good = dir.Write("good.rsh", GameFile({testing::BlockTexture("g", kImageTypeDxt5, "DXT5", 4, 4, 1, 1)}));
    const auto run = RunTool({"list", broken, good});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pelliton-rsh: " + broken + ": the file is 3 bytes, too short for the 24-byte file header\n");
    EXPECT_NE(run.out.find("texture g: image type 11, DXT5, 4 x 4, 1 MIP level"), std::string::npos) << run.out;
}

// The textures of one file: DXT5 with its MIP chain, DXT1, DXT3 as the game and as the window
// number it, and uncompressed.
std::vector<TextureSpec> MixedTextures() {
    return {testing::BlockTexture("ig_baneblade_a", kImageTypeDxt5, "DXT5", 16, 8, 5, 1),
            testing::BlockTexture("ig_baneblade_a_spec", kImageTypeDxt1, "DXT1", 8, 8, 4, 2),
            testing::BlockTexture("_reflection_ig_vehicles", kImageTypeDxt3Game, "DXT3", 4, 4, 1, 3),
            testing::BlockTexture("old_dxt3", kImageTypeDxt3, "DXT3", 8, 4, 1, 4),
            {"sky", kImageTypeUncompressed, 4, 2, 1, testing::PatternBytes(4 * 2 * 4, 5)}};
}

// Each texture, alone in a file of its own, as the window exports it.
std::vector<std::uint8_t> WindowExport(const TextureSpec& texture, const TempDir& dir) {
    const std::string file = dir.Write("alone.rsh", GameFile({texture}));
    const auto records = testing::ReadRecordsFile(file);
    return testing::ReadFileBytes(testing::ExportRecords(records.rsh, dir.path(), "alone.rsh"));
}

TEST(RshToolExtract, WritesEveryTextureWithTheBytesTheWindowExports) {
    const TempDir dir;
    const TempDir out;
    const auto textures = MixedTextures();
    const std::string file = dir.Write("ig_baneblade_a.rsh", GameFile(textures));
    const auto run = RunTool({"extract", "-C", out.path().string(), file});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const TextureSpec& texture : textures) {
        const std::string name = texture.name + (texture.imageType == kImageTypeUncompressed ? ".TGA" : ".DDS");
        EXPECT_NE(run.out.find(file + ": " + (out.path() / name).generic_string() + "\n"), std::string::npos) << run.out;
        EXPECT_EQ(testing::ReadFileBytes(out.path() / name), WindowExport(texture, dir)) << name;
    }
    // The first texture is the one the window reads from the whole file.
    const auto records = testing::ReadRecordsFile(file);
    EXPECT_EQ(testing::ReadFileBytes(testing::ExportRecords(records.rsh, dir.path())),
              testing::ReadFileBytes(out.path() / "ig_baneblade_a.DDS"));
}

TEST(RshToolExtract, TexturesThatCannotBeExportedAreReportedAndSkipped) {
    const TempDir dir;
    const TempDir out;
    std::vector<TextureSpec> textures = {
        {"unknown", 3, 4, 4, 1, std::vector<std::uint8_t>(16)},
        {"a:stream", kImageTypeDxt1, 4, 4, 1, std::vector<std::uint8_t>(8)},
        {"short_texels", kImageTypeUncompressed, 4, 4, 1, std::vector<std::uint8_t>(6)},  // 2 texels need 8 bytes
        {"too_wide", kImageTypeUncompressed, 40000, 1, 1, std::vector<std::uint8_t>(8)},
        {"empty", kImageTypeDxt5, 4, 4, 1, {}},
        testing::BlockTexture("fine", kImageTypeDxt1, "DXT1", 4, 4, 1, 9),
        testing::BlockTexture("fine", kImageTypeDxt5, "DXT5", 4, 4, 1, 9),  // would replace the one before
    };
    const std::string file = dir.Write("mixed.rsh", GameFile(textures));
    const auto run = RunTool({"extract", "-C", out.path().string(), file});
    EXPECT_EQ(run.status, 1);
    const std::string prefix = "pelliton-rsh: " + file + ": texture ";
    EXPECT_EQ(run.err, prefix + "unknown: image type 3 is an unknown texture format; skipped\n" + prefix +
                           "a:stream: its name \"a:stream\" holds a character no file name may hold; skipped\n" +
                           prefix + "short_texels: its DATADATA of 6 bytes does not hold 2 whole texels; skipped\n" +
                           prefix + "too_wide: overflow: Width 40000 does not fit the TGA header's 16-bit field; skipped\n" +
                           prefix + "empty: its DATADATA holds no texel data; skipped\n" + prefix +
                           "fine: fine.DDS would replace the export of " + file + "; not written; skipped\n");
    EXPECT_EQ(testing::ReadFileBytes(out.path() / "fine.DDS"), WindowExport(textures[5], dir));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 1);
}

TEST(RshToolExtract, NoExportOfALaterFileReplacesOneOfAnEarlier) {
    const TempDir dir;
    const TempDir out;
    const std::string first = dir.Write("first.rsh", GameFile({testing::BlockTexture("same", kImageTypeDxt1, "DXT1", 4, 4, 1, 1)}));
    const std::string second = dir.Write("second.rsh", GameFile({testing::BlockTexture("same", kImageTypeDxt1, "DXT1", 4, 4, 1, 2)}));
    const auto run = RunTool({"extract", "-C", out.path().string(), first, second});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pelliton-rsh: " + second + ": texture same: same.DDS would replace the export of " + first +
                           "; not written; skipped\n");
    EXPECT_EQ(testing::ReadFileBytes(out.path() / "same.DDS").back(),
              testing::BlockTexture("same", kImageTypeDxt1, "DXT1", 4, 4, 1, 1).texels.back());
}

TEST(RshToolExtract, AFileWithoutTexturesSaysSo) {
    const TempDir dir;
    const std::string file = dir.Write("none.rsh", WriteChunkTreeBytes({DataChunk("INFO", 1, {1, 2, 3})}));
    const auto run = RunTool({"extract", "-C", dir.path().string(), file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pelliton-rsh: " + file + ": it holds no texture (no FOLDTXTR or FOLDTPAT); skipped\n");
}

struct UsageCase {
    std::vector<std::string> args;
    int status;
    std::string firstErrLine;
};

TEST(RshToolCommandLine, UsageErrorsHelpAndVersion) {
    const UsageCase cases[] = {
        {{}, 2, "pelliton-rsh: no command given"},
        {{"frobnicate", "a.rsh"}, 2, "pelliton-rsh: unknown command 'frobnicate'"},
        {{"list"}, 2, "pelliton-rsh: no FILE given"},
        {{"list", "--bogus", "a.rsh"}, 2, "pelliton-rsh: unknown option '--bogus'"},
        {{"list", "-C", "x", "a.rsh"}, 2, "pelliton-rsh: unknown option '-C'"},
        {{"extract", "-C"}, 2, "pelliton-rsh: option '-C' needs a value"},
        {{"extract", "-C", "/no/such/folder", "a.rsh"}, 2, "pelliton-rsh: -C /no/such/folder: no such directory"},
        {{"replace", "a.rsh"}, 2, "pelliton-rsh: replace needs FILE and an IMAGE (or, for a WTP file, --badge or --banner)"},
        {{"replace", "--badge", "1,2,3", "a.wtp"}, 2, "pelliton-rsh: --badge 1,2,3: X,Y,W,H are wanted, four numbers with W and H above 0"},
        {{"preview", "a.wtp"}, 2, "pelliton-rsh: preview needs -o OUT.png"},
        {{"preview", "-o", "x.png", "a.wtp", "b.wtp"}, 2, "pelliton-rsh: preview takes one FILE.wtp"},
        {{"replace", "-o"}, 2, "pelliton-rsh: option '-o' needs a value"},
        {{"-C", "x", "extract"}, 2, "pelliton-rsh: unknown option '-C'"},
        {{"--version"}, 0, ""},
        {{"extract", "--help"}, 0, ""},
    };
    for (const UsageCase& c : cases) {
        const auto run = RunTool(c.args);
        const std::string label = ::testing::PrintToString(c.args);
        EXPECT_EQ(run.status, c.status) << label;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.firstErrLine) << label;
        if (c.status == 2) {
            EXPECT_NE(run.err.find("Usage: pelliton-rsh list FILE..."), std::string::npos) << label;
        }
    }
    EXPECT_EQ(RunTool({"--version"}).out, "pelliton-rsh 1.0.0\n");
    EXPECT_NE(RunTool({"--help"}).out.find("replace   puts each IMAGE"), std::string::npos);
}

TEST(RshToolProgram, RunsAsAProgramWithTheSameOutput) {
    const TempDir dir;
    const std::string file = dir.Write("p.rsh", GameFile(MixedTextures()));
    const auto run = testing::RunProgram(PELLITON_RSH_PROGRAM, {"list", file}, dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, RunTool({"list", file}).out);
    EXPECT_EQ(testing::RunProgram(PELLITON_RSH_PROGRAM, {"list", file + ".missing"}, dir).status, 1);
}

}  // namespace
}  // namespace pelliton
