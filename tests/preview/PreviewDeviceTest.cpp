// The preview drawn for real: device lifecycle, frames checked pixel by pixel, and what stays alive.
#include <gtest/gtest.h>

#include "preview/PreviewDevice.h"
#include "preview/PreviewPictures.h"
#include "preview/d3d8/D3DX8.h"
#include "rsh/TextureFormats.h"
#include "rshwrite/RshWriter.h"
#include "support/RecordingPane.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using namespace d3d8;
using testing::Box;
using testing::DrawnBox;
using testing::PixelAt;
using testing::RecordingPane;
using testing::TempDir;
using testing::WriteQuadrantExport;

constexpr int kPane = 557;

struct LiveObjects {
    int roots = DirectX8::Live();
    int direct3Ds = Direct3D8::Live();
    int devices = Direct3DDevice8::Live();
    int utilities = D3DX8::Live();
    int textures = Direct3DTexture8::Live();
    bool operator==(const LiveObjects&) const = default;
};

struct Preview {
    TempDir dir;
    RecordingPane pane{kPane, kPane};
    PreviewDevice device;

    Preview() { EXPECT_TRUE(device.InitD3D(&pane)); }
    const Frame& Render(const std::filesystem::path& file, int width, int height) {
        device.RenderPreview(file, width, height);
        EXPECT_FALSE(pane.frames.empty()) << "nothing was presented";
        return pane.frames.back();
    }
};

// The colour a quarter of the way in from each corner of the drawn box.
void ExpectQuadrants(const Frame& frame, const testing::Quadrants& colours) {
    const Box box = DrawnBox(frame);
    ASSERT_GT(box.Width(), 8);
    const int left = box.left + box.Width() / 4, right = box.right - box.Width() / 4;
    const int top = box.top + box.Height() / 4, bottom = box.bottom - box.Height() / 4;
    EXPECT_EQ(PixelAt(frame, left, top), colours[0]) << "top left";
    EXPECT_EQ(PixelAt(frame, right, top), colours[1]) << "top right";
    EXPECT_EQ(PixelAt(frame, left, bottom), colours[2]) << "bottom left";
    EXPECT_EQ(PixelAt(frame, right, bottom), colours[3]) << "bottom right";
}

TEST(PreviewDevice, DrawsEachExportedFormatUprightOnTheDarkBackground) {
    for (const auto imageType : {kImageTypeDxt1, kImageTypeDxt3, kImageTypeDxt5, kImageTypeUncompressed}) {
        SCOPED_TRACE("image type " + std::to_string(imageType));
        Preview preview;
        const Frame& frame = preview.Render(WriteQuadrantExport(preview.dir.path(), "q", imageType, 256, 256), 256, 256);
        ASSERT_EQ(frame.width, kPane);
        ASSERT_EQ(frame.height, kPane);
        EXPECT_EQ(PixelAt(frame, 0, 0), testing::kBackground);
        EXPECT_EQ(PixelAt(frame, kPane - 1, kPane - 1), testing::kBackground);
        ExpectQuadrants(frame, testing::kQuadrants);
    }
}

struct CoverageCase {
    int width;
    int height;
    double widthShare;
    double heightShare;
    friend void PrintTo(const CoverageCase& c, std::ostream* os) { *os << c.width << " x " << c.height; }
};

class PreviewCoverage : public ::testing::TestWithParam<CoverageCase> {};

TEST_P(PreviewCoverage, TheLargerSideCoversTheShareOfItsZoomBand) {
    const CoverageCase& c = GetParam();
    Preview preview;
    const Frame& frame = preview.Render(
        WriteQuadrantExport(preview.dir.path(), "q", kImageTypeUncompressed, c.width, c.height), c.width, c.height);
    const Box box = DrawnBox(frame);
    EXPECT_NEAR(box.Width(), c.widthShare * kPane, 2.0);
    EXPECT_NEAR(box.Height(), c.heightShare * kPane, 2.0);
    // Centred in the pane.
    EXPECT_NEAR(box.left + box.right, kPane - 1, 2.0);
    EXPECT_NEAR(box.top + box.bottom, kPane - 1, 2.0);
}

INSTANTIATE_TEST_SUITE_P(PreviewDevice, PreviewCoverage,
                         ::testing::Values(CoverageCase{256, 256, 0.805, 0.805}, CoverageCase{256, 128, 0.805, 0.4025},
                                           CoverageCase{64, 128, 0.4025, 0.805}, CoverageCase{128, 128, 0.302, 0.302},
                                           CoverageCase{64, 64, 0.151, 0.151}, CoverageCase{32, 16, 0.151, 0.0755}));

// A hand-made TGA whose descriptor puts the first stored row at the top.
std::filesystem::path WriteTopDownTga(const std::filesystem::path& folder) {
    std::vector<std::uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0x20};
    for (const std::uint32_t c : testing::kQuadrants) {  // rows top to bottom, B, G, R
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                                   static_cast<std::uint8_t>(c >> 16)});
    }
    const auto path = folder / "topdown.TGA";
    WriteFileBytes(path.string(), bytes);
    return path;
}

TEST(PreviewDevice, ATgaShowsItsFirstStoredRowWhereItsOriginSays) {
    Preview preview;
    ExpectQuadrants(preview.Render(WriteTopDownTga(preview.dir.path()), 2, 2), testing::kQuadrants);
}

TEST(PreviewDevice, EachDrawingReadsTheFileAgain) {
    Preview preview;
    const auto file = WriteQuadrantExport(preview.dir.path(), "q", kImageTypeDxt1, 64, 64);
    ExpectQuadrants(preview.Render(file, 64, 64), testing::kQuadrants);

    const testing::Quadrants swapped = {testing::kWhite, testing::kBlue, testing::kGreen, testing::kRed};
    WriteQuadrantExport(preview.dir.path(), "q", kImageTypeDxt1, 64, 64, swapped);
    ExpectQuadrants(preview.Render(file, 64, 64), swapped);
}

TEST(PreviewDevice, DrawingTwiceHoldsOneTexture) {
    const LiveObjects before;
    Preview preview;
    const auto file = WriteQuadrantExport(preview.dir.path(), "q", kImageTypeDxt5, 64, 64);
    preview.Render(file, 64, 64);
    preview.Render(file, 64, 64);
    EXPECT_EQ(preview.pane.frames.size(), 2u);
    EXPECT_EQ(Direct3DTexture8::Live(), before.textures + 1);

    preview.device.Cleanup();
    EXPECT_EQ(LiveObjects(), before);
}

// The earlier picture must not stay up under the new request: the background goes out, with the reason.
TEST(PreviewDevice, AFileThatCannotBeLoadedPresentsTheBackgroundAndSaysWhy) {
    Preview preview;
    const auto file = WriteQuadrantExport(preview.dir.path(), "q", kImageTypeDxt1, 64, 64);
    const auto shortDds = preview.dir.path() / "short.DDS";
    WriteFileBytes(shortDds.string(), std::vector<std::uint8_t>{'D', 'D', 'S', ' ', 1, 2, 3});
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {preview.dir.path() / "missing.DDS", "No such file or directory"},
        {preview.dir.path(), "Is a directory"},
        {std::filesystem::path(), "No such file or directory"},
        {shortDds, "the file ends inside its 128-byte DDS header"},
    };
    for (const auto& [bad, reason] : cases) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(preview.device.RenderPreview(file, 64, 64), std::nullopt);
        EXPECT_FALSE(DrawnBox(preview.pane.frames.back()).Empty());

        EXPECT_EQ(preview.device.RenderPreview(bad, 64, 64), reason);
        EXPECT_TRUE(DrawnBox(preview.pane.frames.back()).Empty());
    }
}

TEST(PreviewDevice, ShowBackgroundPresentsAnEmptyFrame) {
    Preview preview;
    preview.Render(WriteQuadrantExport(preview.dir.path(), "q", kImageTypeDxt1, 64, 64), 64, 64);
    preview.device.ShowBackground();
    ASSERT_EQ(preview.pane.frames.size(), 2u);
    EXPECT_TRUE(DrawnBox(preview.pane.frames.back()).Empty());
    EXPECT_EQ(PixelAt(preview.pane.frames.back(), 0, 0), testing::kBackground);
}

// A runtime whose device creation fails, or that notes what is alive when a device is made.
class ProbeDirect3D8 : public Direct3D8 {
public:
    explicit ProbeDirect3D8(bool fail, std::vector<LiveObjects>* seen) : fail_(fail), seen_(seen) {}
    HRESULT CreateDevice(UINT adapter, DWORD type, DeviceWindow* window, DWORD flags, D3DPRESENT_PARAMETERS& parameters,
                         std::shared_ptr<Direct3DDevice8>& out) override {
        if (seen_ != nullptr) seen_->push_back(LiveObjects());
        if (fail_) return D3DERR_NOTAVAILABLE;
        return Direct3D8::CreateDevice(adapter, type, window, flags, parameters, out);
    }

private:
    bool fail_;
    std::vector<LiveObjects>* seen_;
};

class ProbeRuntime : public DirectX8 {
public:
    ProbeRuntime(bool fail, std::vector<LiveObjects>* seen) : fail_(fail), seen_(seen) {}
    HRESULT Direct3DCreate(std::shared_ptr<Direct3D8>& out) override {
        out = std::make_shared<ProbeDirect3D8>(fail_, seen_);
        return D3D_OK;
    }

private:
    bool fail_;
    std::vector<LiveObjects>* seen_;
};

TEST(PreviewDevice, ASecondDeviceIsMadeOnlyOnceEverythingOfTheFirstIsGone) {
    const LiveObjects before;
    std::vector<LiveObjects> seen;
    TempDir dir;
    RecordingPane pane{kPane, kPane};
    PreviewDevice device([&] { return std::make_shared<ProbeRuntime>(false, &seen); });
    const auto file = WriteQuadrantExport(dir.path(), "q", kImageTypeDxt1, 64, 64);

    ASSERT_TRUE(device.InitD3D(&pane));
    device.RenderPreview(file, 64, 64);
    device.Cleanup();
    ASSERT_TRUE(device.InitD3D(&pane));

    ASSERT_EQ(seen.size(), 2u);
    // At the second creation only the new root and its Direct3D8 object exist.
    LiveObjects expected = before;
    expected.roots += 1;
    expected.direct3Ds += 1;
    EXPECT_EQ(seen[1], expected);
}

TEST(PreviewDevice, InitD3DReportsADeviceThatCannotBeMadeAndNothingReachesItsPane) {
    TempDir dir;
    const auto file = WriteQuadrantExport(dir.path(), "q", kImageTypeDxt1, 64, 64);
    RecordingPane pane;
    PreviewDevice failing([] { return std::make_shared<ProbeRuntime>(true, nullptr); });
    EXPECT_FALSE(failing.InitD3D(&pane));
    EXPECT_FALSE(failing.HasDevice());
    // A file that draws on a working device: without one, neither it nor the background is shown.
    EXPECT_EQ(failing.RenderPreview(file, 64, 64), std::nullopt);
    failing.ShowBackground();
    EXPECT_TRUE(pane.frames.empty());

    PreviewDevice noRoot([] { return std::shared_ptr<DirectX8>(); });
    EXPECT_FALSE(noRoot.InitD3D(&pane));

    PreviewDevice noWindow;
    EXPECT_FALSE(noWindow.InitD3D(nullptr));
}

TEST(PreviewDevice, CleanupOnNothingDoesNothing) {
    const LiveObjects before;
    PreviewDevice device;
    device.Cleanup();
    device.Cleanup();
    EXPECT_EQ(LiveObjects(), before);
}

}  // namespace
}  // namespace pelliton
