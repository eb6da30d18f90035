// A pattern's pictures as files and as decoded pixels, and the pattern painted in an army's colours,
// checked against the formula worked out here texel by texel.
#include <gtest/gtest.h>

#include <cmath>

#include "export/MemoryOutput.h"
#include "picture/PictureFile.h"
#include "teamcolour/ArmyPainter.h"
#include "teamcolour/PatternFixtures.h"
#include "teamcolour/PatternPictures.h"

namespace pelliton {
namespace {

struct Opened {
    std::vector<std::uint8_t> bytes;
    MemorySource file{bytes};
    ChunkTree tree;
    TeamPattern pattern;

    explicit Opened(const PatternSpec& made) : bytes(WritePatternFile(made)) {
        file = MemorySource(bytes);
        tree = ReadChunkTree(file);
        pattern = *FindTeamPattern(tree, file);
    }
};

RgbaPicture Decoded(const Opened& opened, int picture, PatternFileType type) {
    const std::vector<std::uint8_t> content = ContentInMemory(
        [&](OutputFile& out) { WritePatternPicture(opened.pattern, opened.file, picture, type, out); });
    const MemorySource file(content);
    return type == PatternFileType::Png ? DecodePng(file, "picture") : DecodeTga(file, "picture").picture;
}

// The written pattern's texel at column x, row y from the top, RGBA (base) or grey (layer).
std::vector<std::uint8_t> Expected(const PatternSpec& made, int picture, int x, int y) {
    const auto stored = static_cast<std::size_t>((made.height - 1 - y) * made.width + x);
    if (picture != kBasePicture) return {made.layers[static_cast<std::size_t>(picture)].texels[stored]};
    const std::uint8_t* bgra = made.base.data() + stored * 4;
    return {bgra[2], bgra[1], bgra[0], bgra[3]};
}

TEST(PatternPictures, EachPictureAsTgaOrPngShowsTheStoredTexelsUpright) {
    const PatternSpec made = testing::SmallPattern(5, 3, {0, 1});
    const Opened opened(made);
    EXPECT_EQ(PicturesOf(opened.pattern), (std::vector<int>{kBasePicture, 0, 1}));
    for (const PatternFileType type : {PatternFileType::Tga, PatternFileType::Png}) {
        for (const int picture : PicturesOf(opened.pattern)) {
            const RgbaPicture decoded = Decoded(opened, picture, type);
            ASSERT_EQ(decoded.width, 5);
            ASSERT_EQ(decoded.height, 3);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 5; ++x) {
                    const std::uint8_t* rgba = decoded.rgba.data() + (y * 5 + x) * 4;
                    std::vector<std::uint8_t> expected = Expected(made, picture, x, y);
                    if (expected.size() == 1) expected = {expected[0], expected[0], expected[0], 0xFF};
                    EXPECT_EQ(std::vector<std::uint8_t>(rgba, rgba + 4), expected) << picture << " at " << x << ", " << y;
                }
            }
        }
    }
}

TEST(PatternPictures, TgaFilesDeclareTheirAlphaOrGreyAndCopyTheTexels) {
    const PatternSpec made = testing::SmallPattern(2, 2, {3});
    const Opened opened(made);
    const auto file = [&](int picture) {
        return ContentInMemory([&](OutputFile& out) {
            WritePatternPicture(opened.pattern, opened.file, picture, PatternFileType::Tga, out);
        });
    };
    const std::vector<std::uint8_t> base = file(kBasePicture), layer = file(3);
    EXPECT_EQ(base[2], 2);     // true colour
    EXPECT_EQ(base[16], 32);   // bits a pixel
    EXPECT_EQ(base[17], 8);    // alpha bits, origin at the bottom left
    EXPECT_EQ(std::vector<std::uint8_t>(base.begin() + 18, base.end()), made.base);
    EXPECT_EQ(layer[2], 3);    // grey
    EXPECT_EQ(layer[16], 8);
    EXPECT_EQ(std::vector<std::uint8_t>(layer.begin() + 18, layer.end()), made.layers[0].texels);
}

TEST(PatternPictures, NamesEndInTheSuffixSkinnersKnow) {
    EXPECT_EQ(PatternPictureFileName("ork", kBasePicture, PatternFileType::Tga), "ork_default.tga");
    EXPECT_EQ(PatternPictureFileName("ork", 3, PatternFileType::Png), "ork_weapon.png");
    const std::vector<std::pair<const char*, std::optional<int>>> stems = {
        {"ork_default", kBasePicture}, {"space_marine_PRIMARY", 0}, {"a_b_Secondary", 1}, {"x_trim", 2},
        {"_weapon", 3}, {"ork_eyes", 4}, {"ork_dirt", 5}, {"ork", std::nullopt}, {"ork_dirty", std::nullopt},
        {"orkdirt", std::nullopt}, {"ork_dirt_", std::nullopt}};
    for (const auto& [stem, picture] : stems) EXPECT_EQ(PictureNamedBy(stem), picture) << stem;
}

TEST(TeamColour, ParsedAndFormattedAsHashAndSixHexDigits) {
    EXPECT_EQ(ParseTeamColour("#1a2B3c"), (TeamColour{0x1A, 0x2B, 0x3C}));
    EXPECT_EQ(FormatTeamColour({0x1A, 0x2B, 0x3C}), "#1A2B3C");
    for (const char* bad : {"", "#12345", "#1234567", "123456", "#12345G", "#-12345"}) {
        EXPECT_FALSE(ParseTeamColour(bad)) << bad;
    }
}

// The painter's formula, worked out in doubles from the written pattern's own bytes.
std::array<double, 3> PaintedByHand(const PatternSpec& made, const TeamColours& colours, std::size_t stored) {
    std::array<double, 3> painted{};
    for (int c = 0; c < 3; ++c) {
        const double base = made.base[stored * 4 + static_cast<std::size_t>(2 - c)] / 255.0;  // stored BGRA
        double p = base;
        double dirt = 0;
        for (const PatternLayerSpec& layer : made.layers) {
            const double mask = layer.texels[stored] / 255.0;
            if (layer.index == 5) {
                dirt = mask;
                continue;
            }
            const TeamColour colour = colours[static_cast<std::size_t>(layer.index)];
            const double tint = (c == 0 ? colour.red : c == 1 ? colour.green : colour.blue) / 255.0 * base;
            p = p + mask * (tint - p);
        }
        painted[static_cast<std::size_t>(c)] = (p + dirt * (base - p)) * 255.0;
    }
    return painted;
}

TEST(ArmyPainter, EachTexelIsTintedByItsMasksAndDirtLetsTheBaseThrough) {
    const PatternSpec made = testing::SmallPattern(6, 4, {0, 2, 4, 5});
    const Opened opened(made);
    const TeamColours colours = {TeamColour{255, 0, 0}, {0, 255, 0}, {10, 200, 90}, {0, 0, 0}, {128, 64, 250}};
    const RgbaPicture painted = PaintTeamColours(opened.pattern, opened.file, colours);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const auto stored = static_cast<std::size_t>((3 - y) * 6 + x);
            const std::array<double, 3> expected = PaintedByHand(made, colours, stored);
            const std::uint8_t* rgba = painted.rgba.data() + (y * 6 + x) * 4;
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(rgba[c], expected[c], 0.5 + 1e-3) << x << ", " << y << " channel " << c;
            EXPECT_EQ(rgba[3], 0xFF);
        }
    }
}

TEST(ArmyPainter, TheBadgeFillsItsRectangleBlendedByItsAlpha) {
    PatternSpec made = testing::SmallPattern(8, 8, {});
    made.badge = std::array<float, 4>{2, 1, 4, 2};  // texels 2-5 of rows 1-2 from the top
    made.banner = std::array<float, 4>{7, 7, 4, 4}; // clipped to the last texel
    const Opened opened(made);
    RgbaPicture badge{2, 1, {}};
    badge.rgba.assign({255, 255, 255, 255, 0, 0, 0, 0});  // opaque white, then clear
    RgbaPicture banner{1, 1, {}};
    banner.rgba.assign({0, 0, 255, 128});
    const RgbaPicture plain = PaintTeamColours(opened.pattern, opened.file, DefaultTeamColours());
    const RgbaPicture drawn = PaintTeamColours(opened.pattern, opened.file, DefaultTeamColours(), {&badge, &banner});
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * 8 + x) * 4;
            const bool white = y >= 1 && y <= 2 && x >= 2 && x <= 3;
            const bool blue = x == 7 && y == 7;
            for (std::size_t c = 0; c < 3; ++c) {
                const int expected = white ? 255
                                     : blue ? static_cast<int>(std::lround(plain.rgba[at + c] + 128 / 255.0 * ((c == 2 ? 255 : 0) - plain.rgba[at + c])))
                                            : plain.rgba[at + c];
                EXPECT_EQ(drawn.rgba[at + c], expected) << x << ", " << y;
            }
        }
    }
}

}  // namespace
}  // namespace pelliton
