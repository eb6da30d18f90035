// pelliton-extract --preview: the frame the pane would show, as a PNG that another program reads.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/extract/ExtractProgram.h"
#include "cli/extract/InProcessExtract.h"
#include "rshwrite/RshWriter.h"
#include "support/FailingRuntime.h"
#include "support/ImageMagick.h"
#include "support/PlainPictures.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::PlainRshTexture;
using testing::TempDir;

using Result = testing::ExtractResult;
using testing::Extract;

TEST(ExtractPreview, WritesThePanesFrameAfterTheLastFile) {
    PELLITON_NEEDS_IMAGEMAGICK();
    TempDir dir;
    const auto png = dir.path() / "frame.png";
    const Result result = Extract({"-C", dir.path().string(), "--preview", png.string(),
                                   dir.Write("red.rsh", PlainRshTexture(0xC80A14, kImageTypeUncompressed, 8, 8)),
                                   dir.Write("blue.rsh", PlainRshTexture(0x0A14C8, kImageTypeUncompressed, 8, 8))});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(result.err, "");

    const std::vector<std::uint8_t> rgb = testing::DecodeWithImageMagick(png, dir, "rgb");
    constexpr std::size_t kSide = 557;
    ASSERT_EQ(rgb.size(), kSide * kSide * 3);
    const auto pixel = [&](std::size_t x, std::size_t y) {
        const std::size_t at = (y * kSide + x) * 3;
        return std::vector<std::uint8_t>(rgb.begin() + static_cast<std::ptrdiff_t>(at),
                                         rgb.begin() + static_cast<std::ptrdiff_t>(at + 3));
    };
    EXPECT_EQ(pixel(0, 0), (std::vector<std::uint8_t>{51, 51, 51}));
    EXPECT_EQ(pixel(kSide / 2, kSide / 2), (std::vector<std::uint8_t>{10, 20, 200}));
}

// The last file exported nothing: the frame is the empty background, never the earlier picture.
TEST(ExtractPreview, AfterAFileWithoutAnExportTheFrameIsTheBackground) {
    PELLITON_NEEDS_IMAGEMAGICK();
    TempDir dir;
    const auto png = dir.path() / "frame.png";
    const Result result = Extract({"-C", dir.path().string(), "--preview", png.string(),
                                   dir.Write("red.rsh", PlainRshTexture(0xC80A14, kImageTypeUncompressed, 8, 8)),
                                   dir.Write("odd.rsh", PlainRshTexture(0x010203, 3, 8, 8))});
    EXPECT_EQ(result.status, kExitFileFailed);
    EXPECT_NE(result.err.find("nothing exported"), std::string::npos) << result.err;
    const std::vector<std::uint8_t> rgb = testing::DecodeWithImageMagick(png, dir, "rgb");
    ASSERT_EQ(rgb.size(), 557u * 557u * 3u);
    EXPECT_EQ(std::count(rgb.begin(), rgb.end(), 51), static_cast<std::ptrdiff_t>(rgb.size()));
}

TEST(ExtractPreview, APngThatCannotBeWrittenIsAFailure) {
    TempDir dir;
    const Result result = Extract({"-C", dir.path().string(), "--preview", (dir.path() / "no" / "f.png").string(),
                                   dir.Write("red.rsh", PlainRshTexture(0xC80A14, kImageTypeUncompressed, 8, 8))});
    EXPECT_EQ(result.status, kExitFileFailed);
    EXPECT_NE(result.err.find("cannot create " + (dir.path() / "no" / "f.png").string()), std::string::npos) << result.err;
}

TEST(ExtractPreview, WithoutADeviceTheProgramEndsWithTheMessage) {
    TempDir dir;
    const std::string file = dir.Write("red.rsh", PlainRshTexture(0xC80A14, kImageTypeUncompressed, 8, 8));
    const Result result = Extract({"-C", dir.path().string(), file, file}, testing::MakeNoDeviceRuntime);
    EXPECT_EQ(result.status, kExitFileFailed);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "pelliton-extract: Unable to CreateDevice for texture preview\n");
}

}  // namespace
}  // namespace pelliton
