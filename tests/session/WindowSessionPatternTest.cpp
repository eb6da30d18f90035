// A team-colour pattern in the window: its rows, its pictures through the pane in every view, the
// team colours chosen, its pictures exported, a malformed pattern, and a texture file after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <utility>

#include "common/ByteSource.h"
#include "rsh/ChunkTree.h"
#include "rshwrite/PatternWriter.h"
#include "teamcolour/ArmyPainter.h"
#include "teamcolour/TeamPattern.h"
#include "WindowSessionFixture.h"

namespace pelliton {
namespace {

using testing::WindowSessionFixture;

constexpr int kSide = 4;
constexpr int kTexels = kSide * kSide;

// Every texel of the base picture and of each mask differs, so that a misplaced texel shows; the
// base's alpha falls from the top row to the bottom.
PatternSpec FourByFour() {
    PatternSpec made;
    made.width = made.height = kSide;
    for (int i = 0; i < kTexels; ++i) {
        const int bottomUpRow = i / kSide;
        made.base.insert(made.base.end(), {static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(200 - i * 8),
                                           static_cast<std::uint8_t>(30 + i * 12),
                                           static_cast<std::uint8_t>(60 + bottomUpRow * 60)});
    }
    const auto mask = [](auto texel) {
        std::vector<std::uint8_t> texels;
        for (int i = 0; i < kTexels; ++i) texels.push_back(static_cast<std::uint8_t>(texel(i)));
        return texels;
    };
    made.layers = {{0, mask([](int i) { return i * 17; })},
                   {2, mask([](int i) { return (i % 2) * 255; })},
                   {4, mask([](int i) { return i < kSide ? 255 : 0; })},
                   {5, mask([](int i) { return 40 + i; })}};
    return made;
}

// What the painter makes of the pattern's file, as 0x00RRGGBB pixels, rows from the top.
std::vector<std::uint32_t> Painted(const std::vector<std::uint8_t>& file, const TeamColours& colours) {
    const MemorySource source(file);
    const ChunkTree tree = ReadChunkTree(source);
    const RgbaPicture picture = PaintTeamColours(*FindTeamPattern(tree, source), source, colours);
    std::vector<std::uint32_t> pixels;
    for (std::size_t at = 0; at < picture.rgba.size(); at += 4) {
        pixels.push_back(std::uint32_t{picture.rgba[at]} << 16 | std::uint32_t{picture.rgba[at + 1]} << 8 |
                         picture.rgba[at + 2]);
    }
    return pixels;
}

// The texel's colour as the pane shows a picture at one texel a pixel: rows of the file bottom-up.
std::uint32_t BaseColourAt(const PatternSpec& made, int x, int y) {
    const auto at = static_cast<std::size_t>(((kSide - 1 - y) * kSide + x) * 4);
    return std::uint32_t{made.base[at + 2]} << 16 | std::uint32_t{made.base[at + 1]} << 8 | made.base[at];
}

bool LogHas(const WindowSessionFixture& f, const std::string& line) {
    return std::find(f.view.lines.begin(), f.view.lines.end(), line) != f.view.lines.end();
}

struct PatternFixture : WindowSessionFixture {
    explicit PatternFixture(int paneSide = kSide) : WindowSessionFixture(paneSide, paneSide) {}

    std::string Write(const std::string& name, const PatternSpec& made = FourByFour()) {
        bytes = WritePatternFile(made);
        return dir.Write(name, bytes);
    }

    std::vector<std::uint8_t> bytes;
};

TEST(WindowSessionPattern, AnOpenListsThePaintedPatternThenItsPicturesAndWritesNothing) {
    PatternFixture f;
    const std::string path = f.Write("marine.WTP");

    ASSERT_EQ(f.session.Open(path), OpenOutcome::Completed);

    EXPECT_TRUE(f.session.ShowsTeamPattern());
    EXPECT_TRUE(f.session.HasFile());
    const std::pair<std::string, std::string> expected[] = {{"team colours", "painted"}, {"default", "32-bit"},
                                                            {"primary", "grey"},  {"trim", "grey"},
                                                            {"eyes", "grey"},     {"dirt", "grey"}};
    ASSERT_EQ(f.session.Textures().size(), std::size(expected));
    for (std::size_t row = 0; row < std::size(expected); ++row) {
        const TextureRow& shown = f.session.Textures()[row];
        EXPECT_EQ(std::pair(shown.name, shown.format), expected[row]);
        EXPECT_TRUE(shown.width == kSide && shown.height == kSide && shown.mipLevels == 1) << shown.name;
    }
    EXPECT_EQ(f.session.SelectedTexture(), 0u);
    EXPECT_EQ(testing::EntriesIn(f.dir.path()), 1u) << "nothing is written beside the pattern";
    EXPECT_EQ(f.view.lines.front().rfind(path + ": " + std::to_string(f.bytes.size()) + " bytes, ", 0), 0u);
    EXPECT_TRUE(std::any_of(f.view.lines.begin(), f.view.lines.end(),
                            [](const std::string& line) { return line.starts_with("  FOLDTPAT  at "); }));
    EXPECT_TRUE(LogHas(f, "team colour pattern \"default\": 4 x 4"));
    EXPECT_TRUE(LogHas(f, "layer 4 eyes"));
    EXPECT_EQ(f.view.status, path + "  (a team colour pattern, shown in its team colours)");
    EXPECT_EQ(f.recent.kept, std::vector<std::string>{path});
}

TEST(WindowSessionPattern, OnlyWhatAPatternAllowsIsEnabled) {
    PatternFixture f;
    ASSERT_EQ(f.session.Open(f.Write("marine.wtp")), OpenOutcome::Completed);

    for (const ui::MainCommand command : {ui::MainCommand::Replace, ui::MainCommand::Save, ui::MainCommand::SaveAs,
                                          ui::MainCommand::LargerMipLevel, ui::MainCommand::SmallerMipLevel}) {
        EXPECT_FALSE(f.session.IsEnabled(command)) << static_cast<int>(command);
    }
    for (const ui::MainCommand command : {ui::MainCommand::ExportAll, ui::MainCommand::ExportAllAsPng,
                                          ui::MainCommand::ViewFit, ui::MainCommand::Refresh}) {
        EXPECT_TRUE(f.session.IsEnabled(command)) << static_cast<int>(command);
    }
    EXPECT_TRUE(f.session.SaveAs((f.dir.path() / "copy.wtp").string()).has_value());
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "copy.wtp"));
}

TEST(WindowSessionPattern, EachRowShowsItsPictureInTheFittedAndActualSizeViews) {
    for (const PreviewScale scale : {PreviewScale::Fit, PreviewScale::ActualSize}) {
        PatternFixture f;
        const PatternSpec made = FourByFour();
        f.session.SetScale(scale);
        ASSERT_EQ(f.session.Open(f.Write("marine.wtp", made)), OpenOutcome::Completed);

        EXPECT_EQ(f.pane.shown, Painted(f.bytes, DefaultTeamColours()));
        f.session.SelectTexture(1);
        ASSERT_EQ(f.pane.shown.size(), static_cast<std::size_t>(kTexels));
        EXPECT_EQ(f.pane.shown[1], BaseColourAt(made, 1, 0)) << "the base picture, its alpha left out";
        EXPECT_EQ(f.pane.shown[kTexels - 1], BaseColourAt(made, kSide - 1, kSide - 1));
        f.session.SelectTexture(3);  // trim: white on odd texels, counted from the bottom row
        EXPECT_EQ(f.pane.shown[0], 0x000000u);
        EXPECT_EQ(f.pane.shown[1], 0xFFFFFFu);
        f.session.SelectTexture(5);  // dirt: 40 + i, i counted from the bottom row
        EXPECT_EQ(f.pane.shown[0], 0x343434u);
        f.session.SelectTexture(1);
        const auto opaque = f.pane.shown;
        f.session.SetShowAlpha(true);
        EXPECT_NE(f.pane.shown, opaque) << "the base picture's alpha over the checkerboard";
    }
}

TEST(WindowSessionPattern, AChosenColourRepaintsThePatternAndShowsIt) {
    PatternFixture f;
    f.session.SetScale(PreviewScale::Fit);
    ASSERT_EQ(f.session.Open(f.Write("marine.wtp")), OpenOutcome::Completed);
    f.session.SelectTexture(4);
    TeamColours colours = DefaultTeamColours();
    colours[0] = {255, 0, 0};
    colours[4] = {0, 255, 40};

    f.session.SetTeamColour(0, colours[0]);
    f.session.SetTeamColour(4, colours[4]);
    f.session.SetTeamColour(5, {1, 2, 3});  // no such colour

    EXPECT_EQ(f.session.TeamColourChoices(), colours);
    EXPECT_EQ(f.session.SelectedTexture(), 0u);
    EXPECT_EQ(f.pane.shown, Painted(f.bytes, colours));
    EXPECT_NE(f.pane.shown, Painted(f.bytes, DefaultTeamColours()));

    const std::string next = f.Write("scout.wtp");
    ASSERT_EQ(f.session.Open(next), OpenOutcome::Completed);
    EXPECT_EQ(f.pane.shown, Painted(f.bytes, colours)) << "the colours stay for the next pattern";
}

TEST(WindowSessionPattern, ThePerspectiveViewDrawsTheShownPictureUpright) {
    PatternFixture f(96);
    PatternSpec made = FourByFour();
    const std::array<std::uint8_t, 4> red = {0, 0, 255, 255};  // BGRA
    const std::array<std::uint8_t, 4> blue = {255, 0, 0, 255};
    for (int i = 0; i < kTexels; ++i) {
        const auto& colour = i >= kTexels / 2 ? red : blue;  // rows are stored bottom-up
        std::copy(colour.begin(), colour.end(), made.base.begin() + i * 4);
    }
    made.layers = {{0, std::vector<std::uint8_t>(kTexels, 255)}};
    ASSERT_EQ(f.session.Open(f.Write("halves.wtp", made)), OpenOutcome::Completed);
    ASSERT_EQ(f.session.Scale(), PreviewScale::Perspective);
    // The device draws a picture this small on a quad of about 14 pixels in the pane's middle.
    const auto pixelAt = [&](int y) { return f.pane.shown.at(static_cast<std::size_t>(y * 96 + 48)) & 0xFFFFFFu; };
    const auto painted = Painted(f.bytes, DefaultTeamColours());
    EXPECT_EQ(pixelAt(44), painted.front()) << "the top half of the picture";
    EXPECT_EQ(pixelAt(52), painted.back());

    f.session.SelectTexture(1);
    EXPECT_EQ(pixelAt(44), 0xFF0000u);
    EXPECT_EQ(pixelAt(52), 0x0000FFu);

    TeamColours colours = DefaultTeamColours();
    colours[0] = {128, 0, 255};
    f.session.SetTeamColour(0, colours[0]);
    const auto repainted = Painted(f.bytes, colours);
    EXPECT_EQ(pixelAt(44), repainted.front());
    EXPECT_EQ(pixelAt(52), repainted.back());
    EXPECT_NE(repainted, painted);
    EXPECT_TRUE(std::none_of(f.view.lines.begin(), f.view.lines.end(),
                             [](const std::string& line) { return line.starts_with("Error"); }));
}

TEST(WindowSessionPattern, ExportAllWritesEveryPictureAndKeepsAnEditedOne) {
    PatternFixture f;
    ASSERT_EQ(f.session.Open(f.Write("marine.wtp")), OpenOutcome::Completed);
    const std::filesystem::path out = f.dir.path() / "out";
    std::filesystem::create_directory(out);
    const char* names[] = {"marine_default", "marine_primary", "marine_trim", "marine_eyes", "marine_dirt"};

    ASSERT_EQ(f.session.ExportAll(out.string(), false), std::nullopt);
    ASSERT_EQ(f.session.ExportAll(out.string(), true), std::nullopt);
    for (const char* name : names) {
        EXPECT_TRUE(std::filesystem::exists(out / (std::string(name) + ".tga"))) << name;
        EXPECT_TRUE(std::filesystem::exists(out / (std::string(name) + ".png"))) << name;
    }
    EXPECT_EQ(testing::EntriesIn(out), 10u);
    EXPECT_EQ(f.view.status, "5 of 5 pictures exported into " + out.string());

    f.dir.Write("out/marine_default.tga", {1, 2, 3});  // painted since
    std::filesystem::remove(out / "marine_dirt.tga");
    const auto failure = f.session.ExportAll(out.string(), false);

    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, "4 of 5 pictures exported into " + out.string() + "; the log says why the others were not");
    EXPECT_EQ(testing::ReadFileBytes(out / "marine_default.tga"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(std::filesystem::exists(out / "marine_dirt.tga")) << "the pictures after the kept one";
    EXPECT_TRUE(LogHas(f, "Error: " + (out / "marine_default.tga").generic_string() + " exists with other content"));
}

struct MalformedCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* reason;
};

class MalformedPattern : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedPattern, LogsAnErrorLineAndShowsNothing) {
    const MalformedCase& c = GetParam();
    PatternFixture f(16);
    ASSERT_EQ(f.session.Open(f.Write("marine.wtp")), OpenOutcome::Completed);
    const std::string path = f.dir.Write("broken.wtp", c.bytes);

    EXPECT_EQ(f.session.Open(path), OpenOutcome::Failed);

    const std::string& last = f.view.lines.back();
    EXPECT_TRUE(last.starts_with("Error: " + path + ": ")) << last;
    EXPECT_NE(last.find(c.reason), std::string::npos) << last;
    EXPECT_FALSE(f.session.ShowsTeamPattern());
    EXPECT_TRUE(f.session.Textures().empty());
    EXPECT_FALSE(f.session.IsEnabled(ui::MainCommand::ExportAll));
    EXPECT_TRUE(std::all_of(f.pane.shown.begin(), f.pane.shown.end(), [](std::uint32_t p) { return p == 0x333333u; }));
    EXPECT_EQ(f.session.RecentFilePaths().size(), 1u) << "a file that cannot be shown is not a recent file";
}

std::vector<std::uint8_t> WrongLayerSize() {
    PatternSpec made = FourByFour();
    made.layers[1].texels.pop_back();
    return WritePatternFile(made);
}

std::vector<std::uint8_t> Truncated() {
    std::vector<std::uint8_t> bytes = WritePatternFile(FourByFour());
    bytes.resize(bytes.size() - 10);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedPattern,
    ::testing::Values(MalformedCase{"LayerOfTheWrongSize", WrongLayerSize(), "DATAPTLD at byte "},
                      MalformedCase{"Truncated", Truncated(), "FOLDTPAT"},
                      MalformedCase{"NoPattern", WriteChunkTreeBytes({DataChunk("INFO", 1, {1, 2, 3, 4})}),
                                    "it holds no team colour pattern"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowSessionPattern, APatternIsKnownByItsContentWhateverItsName) {
    PatternFixture f;
    EXPECT_EQ(f.session.Open(f.Write("marine.bin")), OpenOutcome::Completed);
    EXPECT_TRUE(f.session.ShowsTeamPattern());
}

TEST(WindowSessionPattern, ATextureFileOpensAfterAPatternAsBefore) {
    PatternFixture f(96);
    ASSERT_EQ(f.session.Open(f.Write("marine.wtp")), OpenOutcome::Completed);

    ASSERT_EQ(f.session.Open(f.CopyOfSample()), OpenOutcome::Completed);

    EXPECT_FALSE(f.session.ShowsTeamPattern());
    EXPECT_EQ(f.session.Textures().size(), 3u);
    EXPECT_EQ(f.session.Textures()[0].name, "sample_tank");
    EXPECT_TRUE(std::filesystem::exists(f.dir.path() / "tank.DDS"));
    EXPECT_TRUE(f.session.IsEnabled(ui::MainCommand::Replace));
    f.session.SelectTexture(1);
    f.session.SetTeamColour(0, {9, 9, 9});
    EXPECT_EQ(f.session.SelectedTexture(), 1u) << "no pattern to paint";
    EXPECT_EQ(f.session.TeamColourChoices()[0], (TeamColour{9, 9, 9}));
}

}  // namespace
}  // namespace pelliton
