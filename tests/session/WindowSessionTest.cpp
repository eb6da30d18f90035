// The main window's work without a window: the texture list, previews from memory, pictures put in,
// saving, exporting all, and what is asked before unsaved changes are left.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "export/TexturePicture.h"
#include "picture/PngEncoder.h"
#include "roundtrip/TextureDocument.h"
#include "support/PictureBytes.h"
#include "WindowSessionFixture.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;
using testing::WindowSessionFixture;

// A PNG of one colour in the fixture's folder; its UTF-8 path.
std::string SolidPng(const WindowSessionFixture& f, const std::string& name, int side, std::uint8_t red) {
    std::vector<std::uint8_t> rgba;
    for (int i = 0; i < side * side; ++i) rgba.insert(rgba.end(), {red, 40, 200, 255});
    return f.dir.Write(name, EncodePng(testing::PictureOf(side, side, rgba)));
}

std::vector<std::string> Names(const std::vector<TextureRow>& rows) {
    std::vector<std::string> names;
    for (const TextureRow& row : rows) names.push_back(row.name);
    return names;
}

TEST(WindowSession, AnOpenListsEveryTextureSelectsTheFirstAndExportsItBesideTheFile) {
    WindowSessionFixture f;
    const std::string path = f.CopyOfSample();

    ASSERT_EQ(f.session.Open(path), OpenOutcome::Completed);

    EXPECT_EQ(Names(f.session.Textures()),
              (std::vector<std::string>{"sample_tank", "sample_tank_spec", "_reflection_sample_vehicles"}));
    const TextureRow& specular = f.session.Textures()[1];
    EXPECT_EQ(specular.format, "DXT5");
    EXPECT_EQ(specular.width, 64);
    EXPECT_EQ(specular.mipLevels, 7);
    EXPECT_EQ(f.session.SelectedTexture(), 0u);
    EXPECT_EQ(f.pane.frames, 1) << "the export is drawn once, as always";
    EXPECT_TRUE(std::filesystem::exists(f.dir.path() / "tank.DDS")) << "named after the file, as always";
    EXPECT_EQ(f.view.status, path);
    EXPECT_EQ(f.recent.kept, std::vector<std::string>{path});
    EXPECT_EQ(f.session.WindowTitle().front(), 'Q') << "no unsaved changes yet";
}

TEST(WindowSession, SelectingATexturePreviewsItFromMemoryAndWritesNothing) {
    WindowSessionFixture f;
    ASSERT_EQ(f.session.Open(f.CopyOfSample()), OpenOutcome::Completed);
    const auto first = f.pane.shown;
    const auto entries = testing::EntriesIn(f.dir.path());

    f.session.SelectTexture(1);

    EXPECT_EQ(f.session.SelectedTexture(), 1u);
    EXPECT_NE(f.pane.shown, first);
    EXPECT_EQ(testing::EntriesIn(f.dir.path()), entries);
    EXPECT_TRUE(std::none_of(f.view.lines.begin(), f.view.lines.end(),
                             [](const std::string& line) { return line.starts_with("Error"); }));
}

TEST(WindowSession, APictureGoesInUnsavedUntilSaveWritesIt) {
    WindowSessionFixture f;
    const std::string path = f.CopyOfSample();
    ASSERT_EQ(f.session.Open(path), OpenOutcome::Completed);
    const auto before = ReadFileBytes(path);
    f.session.SelectTexture(1);

    ASSERT_EQ(f.session.ReplaceSelected(SolidPng(f, "red.png", 32, 250)), std::nullopt);

    EXPECT_EQ(f.session.WindowTitle().front(), '*');
    EXPECT_TRUE(f.session.IsEnabled(ui::MainCommand::Save));
    EXPECT_EQ(f.session.Textures()[1].width, 32) << "the list shows the texture as it is now";
    EXPECT_NE(std::find(f.view.lines.begin(), f.view.lines.end(), "texture sample_tank_spec: size 64 x 64 to 32 x 32"),
              f.view.lines.end());
    EXPECT_EQ(ReadFileBytes(path), before) << "nothing is written before Save";

    ASSERT_EQ(f.session.Save(), std::nullopt);
    EXPECT_EQ(f.session.WindowTitle().front(), 'Q');
    const TextureDocument saved(path);
    const RgbaPicture specular = TexturePicture(saved.Textures()[1], saved.Source());
    EXPECT_EQ(specular.width, 32);
    EXPECT_NEAR(specular.rgba[0], 250, 4);
    EXPECT_NEAR(specular.rgba[2], 200, 4);
}

TEST(WindowSession, APictureThatCannotGoInLeavesTheFileAsItWas) {
    WindowSessionFixture f;
    ASSERT_EQ(f.session.Open(f.CopyOfSample()), OpenOutcome::Completed);

    const auto failure = f.session.ReplaceSelected((f.dir.path() / "missing.png").string());

    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(f.session.HasUnsavedChanges());
    EXPECT_EQ(f.view.lines.back(), "Error: " + *failure);
}

TEST(WindowSession, SaveAsWritesTheNewFileAndLeavesTheOldOne) {
    WindowSessionFixture f;
    const std::string path = f.CopyOfSample();
    ASSERT_EQ(f.session.Open(path), OpenOutcome::Completed);
    const auto before = ReadFileBytes(path);
    ASSERT_EQ(f.session.ReplaceSelected(SolidPng(f, "red.png", 128, 250)), std::nullopt);
    const std::string copy = (f.dir.path() / "copy.rsh").string();

    ASSERT_EQ(f.session.SaveAs(copy), std::nullopt);

    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_NE(ReadFileBytes(copy), before);
    EXPECT_EQ(f.session.FilePath(), copy);
    EXPECT_EQ(f.recent.kept.front(), copy);
    EXPECT_FALSE(f.session.HasUnsavedChanges());
}

struct LeavingCase {
    const char* name;
    UnsavedAnswer answer;
    bool leaves;
    bool saved;
};

class LeavingUnsavedChanges : public ::testing::TestWithParam<LeavingCase> {};

TEST_P(LeavingUnsavedChanges, AsksOnceAndDoesWhatTheAnswerSays) {
    const LeavingCase& c = GetParam();
    WindowSessionFixture f;
    const std::string path = f.CopyOfSample();
    ASSERT_EQ(f.session.Open(path), OpenOutcome::Completed);
    const auto before = ReadFileBytes(path);
    ASSERT_EQ(f.session.ReplaceSelected(SolidPng(f, "red.png", 128, 250)), std::nullopt);
    std::vector<std::string> questions;

    const bool leaves = f.session.ConfirmLeaving(
        [&](const std::string& question) {
            questions.push_back(question);
            return c.answer;
        },
        [](const std::string& failure) { FAIL() << failure; });

    EXPECT_EQ(leaves, c.leaves);
    EXPECT_EQ(questions, std::vector<std::string>{"Save the changes to tank.rsh?"});
    EXPECT_EQ(ReadFileBytes(path) != before, c.saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, LeavingUnsavedChanges,
                         ::testing::Values(LeavingCase{"Save", UnsavedAnswer::Save, true, true},
                                           LeavingCase{"Discard", UnsavedAnswer::Discard, true, false},
                                           LeavingCase{"Cancel", UnsavedAnswer::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WindowSession, NothingIsAskedWithoutUnsavedChangesAndAFailedSaveStays) {
    WindowSessionFixture f;
    const std::string path = f.CopyOfSample();
    ASSERT_EQ(f.session.Open(path), OpenOutcome::Completed);
    const auto never = [](const std::string&) -> UnsavedAnswer { throw std::logic_error("asked"); };
    EXPECT_TRUE(f.session.ConfirmLeaving(never, [](const std::string&) {}));

    ASSERT_EQ(f.session.ReplaceSelected(SolidPng(f, "red.png", 128, 250)), std::nullopt);
    // The file's place is taken by a folder, which no save may replace.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    std::vector<std::string> failures;
    EXPECT_FALSE(f.session.ConfirmLeaving([](const std::string&) { return UnsavedAnswer::Save; },
                                          [&](const std::string& failure) { failures.push_back(failure); }));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("is a folder"), std::string::npos) << failures[0];
    EXPECT_TRUE(f.session.HasUnsavedChanges());
}

TEST(WindowSession, ExportAllWritesEveryTextureAndKeepsAnEditedExport) {
    WindowSessionFixture f;
    ASSERT_EQ(f.session.Open(f.CopyOfSample()), OpenOutcome::Completed);
    const std::filesystem::path out = f.dir.path() / "out";
    std::filesystem::create_directory(out);

    ASSERT_EQ(f.session.ExportAll(out.string(), false), std::nullopt);
    EXPECT_TRUE(std::filesystem::exists(out / "sample_tank_spec.DDS"));
    EXPECT_EQ(testing::EntriesIn(out), 3u);
    ASSERT_EQ(f.session.ExportAll(out.string(), true), std::nullopt);
    EXPECT_TRUE(std::filesystem::exists(out / "_reflection_sample_vehicles.PNG"));

    f.dir.Write("out/sample_tank.DDS", {1, 2, 3});  // painted since
    const auto failure = f.session.ExportAll(out.string(), false);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, "2 of 3 textures exported into " + out.string() + "; the log says why the others were not");
    EXPECT_EQ(ReadFileBytes(out / "sample_tank.DDS"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(WindowSession, AnExportThatCannotBeWrittenStillShowsTheTextureFromMemory) {
    WindowSessionFixture f;
    const std::string path = f.CopyOfSample();
    std::filesystem::create_directory(f.dir.path() / "tank.DDS");  // the export's place is taken

    EXPECT_EQ(f.session.Open(path), OpenOutcome::Failed);

    EXPECT_TRUE(f.view.lines.back().starts_with("Error: ")) << "the export's failure stays in the log";
    EXPECT_EQ(f.session.Textures().size(), 3u);
    EXPECT_EQ(f.view.status, path + "  (shown from the file in memory: nothing was exported)");
    const auto background = std::count(f.pane.shown.begin(), f.pane.shown.end(), 0x333333u);
    EXPECT_LT(background, static_cast<long>(f.pane.shown.size())) << "the texture is drawn";
    EXPECT_TRUE(f.session.IsEnabled(ui::MainCommand::Refresh));
}

TEST(WindowSession, AFileThatCannotBeReadLeavesAnEmptyListAndLeavesTheRecentFiles) {
    WindowSessionFixture f;
    const std::string path = f.CopyOfSample();
    ASSERT_EQ(f.session.Open(path), OpenOutcome::Completed);
    const std::string broken = f.dir.Write("broken.rsh", {'R', 'e', 'l'});
    f.recent.kept.clear();

    EXPECT_EQ(f.session.Open(broken), OpenOutcome::Failed);
    EXPECT_TRUE(f.session.Textures().empty());
    EXPECT_FALSE(f.session.IsEnabled(ui::MainCommand::Replace));
    EXPECT_TRUE(f.session.RecentFilePaths().size() == 1 && f.session.RecentFilePaths()[0] == path);
}

TEST(WindowSession, ViewsFitActualSizeAlphaAndMipLevels) {
    WindowSessionFixture f(64, 48);
    ASSERT_EQ(f.session.Open(f.CopyOfSample()), OpenOutcome::Completed);  // 128 x 128, 8 levels
    const auto perspective = f.pane.shown;
    EXPECT_EQ(f.pane.shownWidth, 64) << "the device's square, in the middle of the pane";

    f.session.SetScale(PreviewScale::Fit);
    EXPECT_EQ(f.pane.shownWidth, 64);
    EXPECT_EQ(f.pane.shownHeight, 48);
    EXPECT_NE(f.pane.shown, perspective);

    f.session.SetScale(PreviewScale::ActualSize);
    const auto atOrigin = f.pane.shown;
    f.session.Pan(-10, -5);
    EXPECT_NE(f.pane.shown, atOrigin);
    f.session.Pan(1000, 1000);
    EXPECT_EQ(f.pane.shown, atOrigin) << "the pan stays within the picture";

    f.session.SetMipLevel(99);
    EXPECT_EQ(f.session.MipLevel(), 7);
    EXPECT_FALSE(f.session.IsEnabled(ui::MainCommand::SmallerMipLevel));
    f.session.SetScale(PreviewScale::Perspective);
    EXPECT_EQ(f.session.MipLevel(), 0);
    f.session.SetShowAlpha(true);
    EXPECT_EQ(f.session.Scale(), PreviewScale::Fit) << "alpha is not shown in perspective";
    EXPECT_TRUE(f.session.IsChecked(ui::MainCommand::ShowAlpha));
}

TEST(WindowSession, AWiderPaneKeepsThePerspectivePictureSquareInItsMiddle) {
    WindowSessionFixture f;
    ASSERT_EQ(f.session.Open(f.CopyOfSample()), OpenOutcome::Completed);
    const auto square = f.pane.shown;
    f.pane.width = 200;

    f.session.PaneResized();

    ASSERT_EQ(f.pane.shownWidth, 200);
    ASSERT_EQ(f.pane.shownHeight, 96);
    for (int y = 0; y < 96; ++y) {
        const auto row = f.pane.shown.begin() + y * 200;
        EXPECT_TRUE(std::all_of(row, row + 52, [](std::uint32_t pixel) { return pixel == 0x333333u; }));
        EXPECT_TRUE(std::equal(row + 52, row + 148, square.begin() + y * 96)) << "row " << y;
        EXPECT_TRUE(std::all_of(row + 148, row + 200, [](std::uint32_t pixel) { return pixel == 0x333333u; }));
    }
}

}  // namespace
}  // namespace pelliton
