// pelliton-rsh replace: DDS images as they are, pictures encoded to the texture's format, the round
// trip, and every refusal leaving the file as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/Utf8Path.h"
#include "cli/rsh/RshToolFixtures.h"
#include "rsh/Latin1.h"
#include "rshwrite/RshWriter.h"
#include "support/ImageMagick.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::BlockTexture;
using testing::GameFile;
using testing::ReadFileBytes;
using testing::RunTool;
using testing::TempDir;
using testing::TextureSpec;

const TextureSpec kSpec = BlockTexture("ig_baneblade_a_spec", kImageTypeDxt1, "DXT1", 8, 8, 4, 7);

struct DdsCase {
    std::int32_t storedType;
    const char* fourCC;
    std::int32_t expectedType;  // DATAHEAD follows with its format's code
};

// A DDS replacing the first of two textures: the file must be exactly the one written with the new
// texture in its place, down to the sizes of every folder around it.
TEST(RshToolReplace, ADdsImageGoesInAsItIsWithItsFormatSidesAndLevels) {
    const DdsCase cases[] = {
        {kImageTypeDxt1, "DXT5", kImageTypeDxt5},      {kImageTypeDxt5, "DXT1", kImageTypeDxt1},
        {kImageTypeDxt3, "DXT3", kImageTypeDxt3},      {kImageTypeDxt3Game, "DXT3", kImageTypeDxt3Game},
        {kImageTypeDxt1, "DXT3", kImageTypeDxt3Game},  {kImageTypeUncompressed, "DXT1", kImageTypeDxt1},
        {3, "DXT5", kImageTypeDxt5},
    };
    for (const DdsCase& c : cases) {
        const TempDir dir;
        const TextureSpec before{"ig_baneblade_a", c.storedType, 4, 4, 1, std::vector<std::uint8_t>(64, 0xAB)};
        const std::string file = dir.Write("ig_baneblade_a.rsh", GameFile({before, kSpec}));
        const TextureSpec after = BlockTexture("ig_baneblade_a", c.expectedType, c.fourCC, 32, 16, 6, 42);
        const std::string image =
            dir.Write("ig_baneblade_a.dds", testing::DdsFileBytes(c.fourCC, 32, 16, 6, after.texels));

        const auto run = RunTool({"replace", file, image});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadFileBytes(file), GameFile({after, kSpec})) << "type " << c.storedType << " with " << c.fourCC;
        EXPECT_EQ(run.out, file + ": texture ig_baneblade_a from " + image + ": image type " +
                               std::to_string(c.expectedType) + ", " + c.fourCC + ", 32 x 16, 6 MIP levels\n");
    }
}

// rgba of a picture whose colours and alpha vary smoothly, as a painted texture does.
std::vector<std::uint8_t> SmoothPicture(int width, int height, bool opaque) {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rgba.insert(rgba.end(), {static_cast<std::uint8_t>(x * 255 / (width - 1)),
                                     static_cast<std::uint8_t>(y * 255 / (height - 1)), 96,
                                     static_cast<std::uint8_t>(opaque ? 255 : 255 - x * 200 / (width - 1))});
        }
    }
    return rgba;
}

double MeanDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    EXPECT_EQ(a.size(), b.size());
    double sum = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) sum += std::abs(int{a[i]} - int{b[i]});
    return a.empty() ? 0 : sum / static_cast<double>(a.size());
}

struct PictureCase {
    std::int32_t storedType;
    const char* fourCC;
    const char* extension;
    bool opaque;  // DXT1 keeps one bit of alpha
};

// The texture keeps its format; ImageMagick, reading the DDS that extract then writes, sees the
// picture that went in, within what DXT compression loses.
TEST(RshToolReplace, APictureIsEncodedToTheTexturesFormatWithAFullMipChain) {
    PELLITON_NEEDS_IMAGEMAGICK();
    const PictureCase cases[] = {
        {kImageTypeDxt1, "DXT1", ".png", true},  {kImageTypeDxt5, "DXT5", ".png", false},
        {kImageTypeDxt3Game, "DXT3", ".tga", false}, {kImageTypeDxt3, "DXT3", ".png", false},
        {kImageTypeDxt5, "DXT5", ".tga", false},
    };
    constexpr int kWidth = 64;
    constexpr int kHeight = 32;
    for (const PictureCase& c : cases) {
        const TempDir dir;
        const std::string label = std::string(c.fourCC) + c.extension;
        const std::string file = dir.Write("tank.rsh", GameFile({BlockTexture("tank", c.storedType, c.fourCC, 4, 4, 1, 1), kSpec}));
        const auto picture = SmoothPicture(kWidth, kHeight, c.opaque);
        const auto image = dir.path() / (std::string("tank") + c.extension);
        if (std::string(c.extension) == ".png") {
            testing::WritePng(image, kWidth, kHeight, picture);
        } else {
            WriteFileBytes(image.string(), testing::TgaFileBytes(kWidth, kHeight, picture, false));
        }
        const auto replaced = RunTool({"replace", file, image.string()});
        ASSERT_EQ(replaced.status, 0) << label << ": " << replaced.err;
        EXPECT_NE(replaced.out.find(", " + std::string(c.fourCC) + ", 64 x 32, 7 MIP levels\n"), std::string::npos)
            << replaced.out;

        const TempDir out;
        ASSERT_EQ(RunTool({"extract", "-C", out.path().string(), file}).status, 0) << label;
        const auto dds = ReadFileBytes(out.path() / "tank.DDS");
        EXPECT_EQ(dds.size(), 128 + dds::MipChainBytes(dds::FourCC(c.fourCC), kWidth, kHeight, 7)) << label;
        EXPECT_LT(MeanDifference(testing::DecodeWithImageMagick(out.path() / "tank.DDS", dir), picture), 4.0) << label;
        EXPECT_EQ(ReadFileBytes(out.path() / "ig_baneblade_a_spec.DDS").size(), 128 + kSpec.texels.size()) << label;
    }
}

// Uncompressed texels are stored red, green, blue, alpha, the bottom row first: exactly the picture.
TEST(RshToolReplace, AnUncompressedTextureTakesThePictureExactly) {
    PELLITON_NEEDS_IMAGEMAGICK();
    const std::vector<std::uint8_t> picture = {1, 2, 3, 4,     5, 6, 7, 8,     9, 10, 11, 12,  // top row
                                               13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    const std::vector<std::uint8_t> stored = {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,
                                              1, 2, 3, 4,     5, 6, 7, 8,     9, 10, 11, 12};
    for (const bool topFirst : {true, false}) {
        const TempDir dir;
        const std::string file = dir.Write("sky.rsh", GameFile({{"sky", kImageTypeUncompressed, 1, 1, 1, {9, 9, 9, 9}}}));
        const std::string image = dir.Write("sky.tga", testing::TgaFileBytes(3, 2, picture, topFirst));
        ASSERT_EQ(RunTool({"replace", file, image}).status, 0);
        EXPECT_EQ(ReadFileBytes(file), GameFile({{"sky", kImageTypeUncompressed, 3, 2, 1, stored}}));
        // And the TGA that extract writes of it is the picture again, to an independent reader.
        ASSERT_EQ(RunTool({"extract", "-C", dir.path().string(), file}).status, 0);
        EXPECT_EQ(testing::DecodeWithImageMagick(dir.path() / "sky.TGA", dir), picture);
    }
}

TEST(RshToolReplace, AnUncompressedTextureKeepsItsMipCount) {
    const TempDir dir;
    const std::string file =
        dir.Write("sky.rsh", GameFile({{"sky", kImageTypeUncompressed, 2, 2, 2, std::vector<std::uint8_t>(20)}}));
    // 2 x 2 of grey levels 0, 40 (top), 80, 120 (bottom): the 1 x 1 level is their mean, 60.
    std::vector<std::uint8_t> picture;
    for (const std::uint8_t grey : {0, 40, 80, 120}) picture.insert(picture.end(), {grey, grey, grey, 255});
    const std::string image = dir.Write("sky.tga", testing::TgaFileBytes(2, 2, picture, true));
    ASSERT_EQ(RunTool({"replace", file, image}).status, 0);
    const std::vector<std::uint8_t> stored = {80, 80, 80, 255, 120, 120, 120, 255, 0, 0, 0, 255,
                                              40, 40, 40, 255, 60, 60, 60, 255};
    EXPECT_EQ(ReadFileBytes(file), GameFile({{"sky", kImageTypeUncompressed, 2, 2, 2, stored}}));
}

// extract, then replace with every file it wrote, unchanged: the very same file, even for an
// uncompressed texture whose lower MIP levels travel after its picture in the TGA.
TEST(RshToolReplace, TheRoundTripGivesBackTheSameFile) {
    const TempDir dir;
    const TempDir out;
    const std::vector<std::uint8_t> original = GameFile({
        BlockTexture("ig_baneblade_a", kImageTypeDxt5, "DXT5", 16, 8, 5, 1),
        kSpec,
        BlockTexture("_reflection_ig_vehicles", kImageTypeDxt3Game, "DXT3", 8, 8, 4, 3),
        BlockTexture("old", kImageTypeDxt3, "DXT3", 4, 4, 1, 4),
        {"sky", kImageTypeUncompressed, 4, 2, 3, testing::PatternBytes((8 + 2 + 1) * 4, 5)},
        {"flat", kImageTypeUncompressed, 4, 2, 1, testing::PatternBytes(8 * 4, 6)},
    });
    const std::string file = dir.Write("ig_baneblade_a.rsh", original);
    ASSERT_EQ(RunTool({"extract", "-C", out.path().string(), file}).status, 0);
    std::vector<std::string> args = {"replace", file};
    for (const auto& entry : std::filesystem::directory_iterator(out.path())) args.push_back(entry.path().string());
    ASSERT_EQ(args.size(), 8u);
    const auto run = RunTool(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(file), original);
}

TEST(RshToolReplace, OWritesTheResultElsewhereAndLeavesTheSourceAsItWas) {
    const TempDir dir;
    const auto original = GameFile({BlockTexture("a", kImageTypeDxt1, "DXT1", 4, 4, 1, 1)});
    const std::string file = dir.Write("a.rsh", original);
    const TextureSpec after = BlockTexture("a", kImageTypeDxt1, "DXT1", 8, 4, 1, 2);
    const std::string image = dir.Write("a.DDS", testing::DdsFileBytes("DXT1", 8, 4, 1, after.texels));
    const std::string result = (dir.path() / "mod" ).string() + ".rsh";
    ASSERT_EQ(RunTool({"replace", "-o", result, file, image}).status, 0);
    EXPECT_EQ(ReadFileBytes(file), original);
    EXPECT_EQ(ReadFileBytes(result), GameFile({after}));
}

struct Refusal {
    const char* label;
    std::string image;  // file name in the test folder
    std::vector<std::uint8_t> content;
    std::string reasonPart;
};

// Every refusal names its cause, and neither the RSH file nor its folder changes.
TEST(RshToolReplace, EveryRefusalWritesNothing) {
    const std::vector<std::uint8_t> block(8, 1);
    const Refusal refusals[] = {
        {"no texture of the name", "nope.dds", testing::DdsFileBytes("DXT1", 4, 4, 1, block),
         "has no texture named \"nope\"; its textures are: ig_baneblade_a, ig_baneblade_a_spec, unknown, sky"},
        {"no picture format", "ig_baneblade_a.bmp", {1, 2, 3}, "not a DDS, TGA or PNG file by its name"},
        {"DDS chain too short", "ig_baneblade_a.dds", testing::DdsFileBytes("DXT1", 8, 8, 1, block),
         "ig_baneblade_a.dds: it holds 8 bytes of texels"},
        {"not a DDS", "ig_baneblade_a.dds", std::vector<std::uint8_t>(200, 0), "not a DDS file"},
        {"not a PNG", "ig_baneblade_a.png", std::vector<std::uint8_t>(200, 0), "ig_baneblade_a.png: "},
        {"a PNG named as a TGA", "ig_baneblade_a.tga", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13},
         "ig_baneblade_a.tga is a PNG file, not a TGA file"},
        {"a DDS named as a PNG", "ig_baneblade_a.png", testing::DdsFileBytes("DXT1", 4, 4, 1, block),
         "ig_baneblade_a.png is a DDS file, not a PNG file"},
        {"a picture for an unknown format", "unknown.tga", testing::TgaFileBytes(1, 1, {1, 2, 3, 4}, true),
         "has image type 3, an unknown texture format; only a DDS image can replace it"},
        {"more levels than the picture has", "sky.tga", testing::TgaFileBytes(2, 2, std::vector<std::uint8_t>(16), true),
         "texture sky has 3 MIP levels, more than a picture of 2 x 2 has"},
    };
    for (const Refusal& refusal : refusals) {
        const TempDir dir;
        const auto original = GameFile({BlockTexture("ig_baneblade_a", kImageTypeDxt5, "DXT5", 4, 4, 1, 1), kSpec,
                                        {"unknown", 3, 4, 4, 1, {1}},
                                        {"sky", kImageTypeUncompressed, 4, 4, 3, std::vector<std::uint8_t>(84)}});
        const std::string file = dir.Write("ig_baneblade_a.rsh", original);
        const std::string image = dir.Write(refusal.image, refusal.content);
        const auto run = RunTool({"replace", file, image});
        EXPECT_EQ(run.status, 1) << refusal.label;
        EXPECT_NE(run.err.find(refusal.reasonPart), std::string::npos) << refusal.label << ": " << run.err;
        EXPECT_EQ(ReadFileBytes(file), original) << refusal.label;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << refusal.label;
    }
}

TEST(RshToolReplace, AFolderAsImageIsNamedAsAFolder) {
    const TempDir dir;
    const auto original = GameFile({BlockTexture("a", kImageTypeDxt1, "DXT1", 4, 4, 1, 1)});
    const std::string file = dir.Write("a.rsh", original);
    std::filesystem::create_directory(dir.path() / "edit");
    const std::string folder = (dir.path() / "edit").string() + "/";
    const auto run = RunTool({"replace", file, folder});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pelliton-rsh: " + folder + " is a folder\n");
    EXPECT_EQ(ReadFileBytes(file), original);
}

// Names are compared as the game's file system compares them, without regard to case.
TEST(RshToolReplace, ATextureNameThatTwoTexturesShareIsRefused) {
    const std::pair<std::string, std::string> sharedNames[] = {
        {"a", "a"}, {"a", "A"}, {"\xC9p\xE9" "e", "\xE9P\xC9" "E"}};  // as the file stores them, one byte a letter
    for (const auto& [first, second] : sharedNames) {
        const std::string imageName = Latin1ToUtf8(first);
        const TempDir dir;
        const auto original = GameFile({BlockTexture(first, kImageTypeDxt1, "DXT1", 4, 4, 1, 1),
                                        BlockTexture(second, kImageTypeDxt1, "DXT1", 4, 4, 1, 2)});
        const std::string file = dir.Write("a.rsh", original);
        const std::string dds =
            dir.Write(imageName + ".dds", testing::DdsFileBytes("DXT1", 4, 4, 1, std::vector<std::uint8_t>(8)));
        const auto run = RunTool({"replace", file, dds});
        EXPECT_EQ(run.status, 1) << second;
        EXPECT_EQ(run.err, "pelliton-rsh: " + dds + ": " + file + " has more than one texture named \"" + imageName +
                               "\" (letter case aside)\n");
        EXPECT_EQ(ReadFileBytes(file), original);
    }
}

TEST(RshToolReplace, AnImageNameMatchesItsTextureInAnyLetterCase) {
    const std::pair<std::string, std::string> names[] = {{"ig_baneblade_a", "IG_BANEBLADE_A.DDS"},
                                                         {"Ig_Baneblade_A", "ig_baneblade_a.dds"},
                                                         {"\xC9p\xE9" "e", "\xC3\xA9P\xC3\x89" "E.dds"}};
    for (const auto& [texture, image] : names) {
        const TempDir dir;
        const std::string file = dir.Write("a.rsh", GameFile({BlockTexture(texture, kImageTypeDxt1, "DXT1", 4, 4, 1, 1)}));
        const TextureSpec after = BlockTexture(texture, kImageTypeDxt1, "DXT1", 4, 4, 1, 9);
        const std::string dds = dir.Write(image, testing::DdsFileBytes("DXT1", 4, 4, 1, after.texels));
        const auto run = RunTool({"replace", file, dds});
        EXPECT_EQ(run.status, 0) << image << ": " << run.err;
        EXPECT_EQ(ReadFileBytes(file), GameFile({after})) << image;
    }
}

TEST(RshToolReplace, ATextureWithoutItsImageChunksIsRefused) {
    const TempDir dir;
    const auto original = WriteChunkTreeBytes({FoldChunk("SHRF", 1, "s", {FoldChunk("TXTR", 1, "Art/broken", {})})});
    const std::string file = dir.Write("s.rsh", original);
    const std::string dds = dir.Write("broken.dds", testing::DdsFileBytes("DXT1", 4, 4, 1, std::vector<std::uint8_t>(8)));
    const auto run = RunTool({"replace", file, dds});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pelliton-rsh: " + dds + ": texture broken cannot be replaced: it has no FOLDIMAG\n");
    EXPECT_EQ(ReadFileBytes(file), original);
}

TEST(RshToolReplace, TwoImagesForOneTextureAreRefused) {
    const TempDir dir;
    const auto original = GameFile({BlockTexture("a", kImageTypeDxt1, "DXT1", 4, 4, 1, 1)});
    const std::string file = dir.Write("a.rsh", original);
    const std::string dds = dir.Write("a.dds", testing::DdsFileBytes("DXT1", 4, 4, 1, std::vector<std::uint8_t>(8)));
    const std::string tga = dir.Write("a.tga", testing::TgaFileBytes(4, 4, std::vector<std::uint8_t>(64), true));
    const auto run = RunTool({"replace", file, dds, tga});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "pelliton-rsh: " + tga + ": texture a is already replaced by " + dds + "\n");
    EXPECT_EQ(ReadFileBytes(file), original);
}

}  // namespace
}  // namespace pelliton
