// What the main window gets from the open road: the log through its view, and each presented
// frame, whole and at the pane's size, through the pane.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "win32/OpenRoad.h"

namespace pelliton::win32 {
namespace {

constexpr int kPaneSide = 557;  // the preview pane's client area

bool IsBackground(std::uint32_t pixel) { return (pixel & 0xFFFFFF) == 0x333333; }

struct RecordingView : SessionView {
    void AddDebugLine(std::string_view text) override { lines.emplace_back(text); }
    void ClearLog() override { lines.clear(); }
    void SetStatusText(std::string_view text) override { status = text; }

    std::vector<std::string> lines;
    std::string status;
};

struct ShownFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

struct RecordingPane : PaneSurface {
    explicit RecordingPane(int side) : side(side) {}
    int ClientWidth() const override { return side; }
    int ClientHeight() const override { return side; }
    void ShowPixels(int width, int height, std::span<const std::uint32_t> pixels) override {
        frames.push_back({width, height, {pixels.begin(), pixels.end()}});
    }

    int side;
    std::vector<ShownFrame> frames;
};

// Exports land in the current directory: each test works in a folder of its own, holding a copy
// of the sample, and leaves the current directory as it found it.
class OpenRoadTest : public testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path sample = std::filesystem::absolute(PELLITON_SAMPLES_DIR) / kSample;
        folder_ = std::filesystem::temp_directory_path() /
                  ("pelliton-win32-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder_);
        std::filesystem::copy_file(sample, folder_ / kSample, std::filesystem::copy_options::overwrite_existing);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

    std::string SamplePath() const {
        const std::u8string path = (folder_ / kSample).u8string();
        return {path.begin(), path.end()};
    }

    static constexpr const char* kSample = "quadrants-dxt5-alpha-radial.rsh";
    RecordingView view;

private:
    std::filesystem::path folder_;
    std::filesystem::path previous_;
};

TEST_F(OpenRoadTest, AnOpenedFileIsLoggedExportedAndShownAtThePanesSize) {
    RecordingPane pane(kPaneSide);
    OpenRoad road(view, pane);

    ASSERT_EQ(road.Open(SamplePath()), OpenOutcome::Completed);
    EXPECT_EQ(view.status, SamplePath());
    ASSERT_FALSE(view.lines.empty());
    EXPECT_EQ(view.lines.back(), "Extracting to: quadrants-dxt5-alpha-radial.DDS");
    EXPECT_TRUE(std::filesystem::exists("quadrants-dxt5-alpha-radial.DDS"));

    ASSERT_EQ(pane.frames.size(), 1u);
    const ShownFrame& frame = pane.frames[0];
    EXPECT_EQ(frame.width, kPaneSide);
    EXPECT_EQ(frame.height, kPaneSide);
    ASSERT_EQ(frame.pixels.size(), static_cast<std::size_t>(kPaneSide) * kPaneSide);
    EXPECT_TRUE(IsBackground(frame.pixels.front()));
    EXPECT_FALSE(IsBackground(frame.pixels[frame.pixels.size() / 2]));  // the texture in the middle

    road.RenderPreview();
    ASSERT_EQ(pane.frames.size(), 2u);
    EXPECT_EQ(pane.frames[1].pixels, pane.frames[0].pixels);
}

TEST_F(OpenRoadTest, EachOutcomeOfTheSessionArrivesAsItsOwn) {
    struct Case {
        const char* name;
        int paneSide;
        bool existingFile;
        OpenOutcome outcome;
        std::size_t frames;  // what the pane was given
    };
    const Case cases[] = {
        {"completed", kPaneSide, true, OpenOutcome::Completed, 1},
        {"file missing: the background only", kPaneSide, false, OpenOutcome::Failed, 1},
        {"pane without area: no device", 0, true, OpenOutcome::DeviceUnavailable, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPane pane(c.paneSide);
        OpenRoad road(view, pane);
        EXPECT_EQ(road.Open(c.existingFile ? SamplePath() : SamplePath() + ".missing"), c.outcome);
        ASSERT_EQ(pane.frames.size(), c.frames);
        if (c.outcome == OpenOutcome::Failed) {
            EXPECT_TRUE(std::ranges::all_of(pane.frames[0].pixels, IsBackground));
        }
    }
}

}  // namespace
}  // namespace pelliton::win32
