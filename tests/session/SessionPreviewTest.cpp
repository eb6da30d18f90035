// What the pane shows after each open and each "Refresh": only a file this session wrote, and the
// empty background, with the reason in the log, whenever that file cannot be drawn.
#include <gtest/gtest.h>

#include "export/DdsHeader.h"
#include "rshwrite/RshWriter.h"
#include "session/RshSession.h"
#include "support/FramePixels.h"
#include "support/HeaderBytes.h"
#include "support/PlainPictures.h"
#include "support/RecordingLog.h"
#include "support/RecordingPane.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::PlainRshTexture;
using testing::RecordingPane;
using testing::RecordingView;
using testing::TempDir;

constexpr std::uint32_t kHullColour = 0xC80A14;

std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> bytes) {
    bytes.resize(150);
    return bytes;
}

std::vector<std::uint8_t> UnknownType() {
    return WriteRshBytes(MakeTextureRecords(3, 64, 4, 1, 0), std::vector<std::uint8_t>{});
}

std::uint32_t CentreColour(const d3d8::Frame& frame) {
    return testing::PixelAt(frame, frame.width / 2, frame.height / 2);
}

// Moves into a folder as the window's open dialog does, and back at the end.
class CurrentFolder {
public:
    CurrentFolder() : saved_(std::filesystem::current_path()) {}
    ~CurrentFolder() { std::filesystem::current_path(saved_); }
    void MoveTo(const std::filesystem::path& folder) const { std::filesystem::current_path(folder); }

private:
    std::filesystem::path saved_;
};

struct Session {
    RecordingView view;
    RecordingPane pane{96, 96};
    RshSession session{view, pane};
    const d3d8::Frame& Shown() const { return pane.frames.back(); }
};

// Exports land beside their source, as in the window, where the current folder follows each open.
TEST(SessionPreview, RefreshDrawsTheFileTheLastExportWroteWhereverTheCurrentFolderIsNow) {
    TempDir root;
    std::filesystem::create_directories(root.path() / "modA");
    std::filesystem::create_directories(root.path() / "modB");
    const std::string hull = root.Write("modA/hull.rsh", PlainRshTexture(kHullColour));
    const std::string broken = root.Write("modB/broken.rsh", Truncated(PlainRshTexture(0x0A14C8)));
    // A blue picture under the export's name that this session never wrote.
    root.Write("modB/hull.TGA", testing::PlainTgaFile(0x0A14C8));
    CurrentFolder folder;
    Session s;

    folder.MoveTo(root.path() / "modA");
    ASSERT_EQ(s.session.Open(hull).outcome, OpenResult::Outcome::Completed);
    EXPECT_EQ(CentreColour(s.Shown()), kHullColour);
    const testing::Box hullBox = testing::DrawnBox(s.Shown());

    folder.MoveTo(root.path() / "modB");
    ASSERT_EQ(s.session.Open(broken).outcome, OpenResult::Outcome::Failed);
    EXPECT_TRUE(testing::DrawnBox(s.Shown()).Empty()) << "the failed open shows the background only";
    const auto logAfterOpen = s.view.lines;

    s.session.RenderPreview();
    EXPECT_EQ(CentreColour(s.Shown()), kHullColour);
    const testing::Box refreshed = testing::DrawnBox(s.Shown());
    EXPECT_EQ(std::tie(refreshed.left, refreshed.top, refreshed.right, refreshed.bottom),
              std::tie(hullBox.left, hullBox.top, hullBox.right, hullBox.bottom))
        << "drawn at the size of its own texture";
    EXPECT_EQ(s.view.lines, logAfterOpen) << "a Refresh that draws appends nothing";
    EXPECT_EQ(s.session.ExportPath(), "hull.TGA");
}

struct NoExportCase {
    const char* label;
    std::vector<std::uint8_t> bytes;  // empty: the file does not exist
    OpenResult::Outcome outcome;
};

TEST(SessionPreview, AnOpenWithoutANewExportShowsTheBackgroundOnly) {
    const NoExportCase cases[] = {
        {"unknown texture format", UnknownType(), OpenResult::Outcome::Completed},
        {"truncated file", Truncated(PlainRshTexture(0x00FF00)), OpenResult::Outcome::Failed},
        {"missing file", {}, OpenResult::Outcome::Failed},
    };
    for (const NoExportCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        Session s;
        s.session.SetOutputFolder(dir.path());
        ASSERT_EQ(s.session.Open(dir.Write("hull.rsh", PlainRshTexture(kHullColour))).outcome,
                  OpenResult::Outcome::Completed);
        const std::string next = c.bytes.empty() ? (dir.path() / "next.rsh").string() : dir.Write("next.rsh", c.bytes);

        const OpenResult result = s.session.Open(next);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_TRUE(result.exportedFile.empty());
        ASSERT_EQ(s.pane.frames.size(), 2u) << "one frame is presented for the new file";
        EXPECT_TRUE(testing::DrawnBox(s.Shown()).Empty());
    }
}

TEST(SessionPreview, RefreshBeforeAnyExportShowsTheBackground) {
    TempDir dir;
    Session s;
    s.session.SetOutputFolder(dir.path());
    ASSERT_EQ(s.session.Open(dir.Write("odd.rsh", UnknownType())).outcome, OpenResult::Outcome::Completed);
    s.session.RenderPreview();
    ASSERT_EQ(s.pane.frames.size(), 2u);
    EXPECT_TRUE(testing::DrawnBox(s.Shown()).Empty());
    EXPECT_EQ(s.view.lines.back(), "Unknown texture format");
}

// The header of a DDS file whose pixels are not block-compressed, as image editors save them.
std::vector<std::uint8_t> UncompressedDds(std::int32_t bitsPerPixel) {
    dds::FileHeader header = MakeDdsHeader(*FindTextureFormat(kImageTypeDxt1), TextureAttributes{}, 0);
    header.dwWidth = 16;
    header.dwHeight = 16;
    header.ddspf.dwFlags = 0x40;  // DDPF_RGB
    header.ddspf.dwFourCC = 0;
    header.ddspf.dwRGBBitCount = bitsPerPixel;
    std::vector<std::uint8_t> file = testing::HeaderBytes(header);
    const std::vector<std::uint8_t> pixels(static_cast<std::size_t>(16 * 16 * bitsPerPixel / 8), 0x80);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

struct UndrawableCase {
    const char* label;
    std::vector<std::uint8_t> replacement;  // empty: the export is deleted
    const char* reason;
};

TEST(SessionPreview, RefreshOfAFileThatCannotBeDrawnSaysWhyAndShowsTheBackground) {
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13,
                                           'I',  'H', 'D', 'R', 0,    0,    0,    16,   0, 0, 0, 16};
    const UndrawableCase cases[] = {
        {"deleted", {}, "No such file or directory"},
        {"uncompressed 32-bit DDS", UncompressedDds(32),
         "its DDS pixel format is uncompressed 32-bit; the preview reads DXT1, DXT3 and DXT5"},
        {"24-bit DDS", UncompressedDds(24),
         "its DDS pixel format is uncompressed 24-bit; the preview reads DXT1, DXT3 and DXT5"},
        {"not a DDS at all", png, "it is neither a DDS file nor an uncompressed 24- or 32-bit TGA file"},
    };
    for (const UndrawableCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        Session s;
        s.session.SetOutputFolder(dir.path());
        ASSERT_EQ(s.session.Open(dir.Write("wall.rsh", WriteRshBytes(MakeTextureRecords(kImageTypeDxt1, 4, 4, 1, 8),
                                                                     std::vector<std::uint8_t>(8, 0x5A))))
                      .outcome,
                  OpenResult::Outcome::Completed);
        ASSERT_FALSE(testing::DrawnBox(s.Shown()).Empty());
        const auto logAfterOpen = s.view.lines;
        if (c.replacement.empty()) {
            std::filesystem::remove(dir.path() / "wall.DDS");
        } else {
            dir.Write("wall.DDS", c.replacement);
        }

        s.session.RenderPreview();
        ASSERT_EQ(s.view.lines.size(), logAfterOpen.size() + 1);
        EXPECT_EQ(s.view.lines.back(), std::string("Error: cannot preview wall.DDS: ") + c.reason);
        ASSERT_EQ(s.pane.frames.size(), 2u);
        EXPECT_TRUE(testing::DrawnBox(s.Shown()).Empty());
    }
}

// Our own export can be undrawable too: a data chunk too small for the size its attributes claim.
TEST(SessionPreview, AnExportThatCannotBeDrawnIsExplainedAfterItsOpen) {
    TempDir dir;
    Session s;
    s.session.SetOutputFolder(dir.path());
    const auto shortData = WriteRshBytes(MakeTextureRecords(kImageTypeDxt1, 8, 8, 1, 8), std::vector<std::uint8_t>(8));

    EXPECT_EQ(s.session.Open(dir.Write("wall.rsh", shortData)).outcome, OpenResult::Outcome::Completed);
    EXPECT_EQ(s.view.lines.back(), "Error: cannot preview wall.DDS: the file ends before the 32 bytes of its 8 x 8 texels");
    ASSERT_EQ(s.pane.frames.size(), 1u);
    EXPECT_TRUE(testing::DrawnBox(s.Shown()).Empty());
}

}  // namespace
}  // namespace pelliton
