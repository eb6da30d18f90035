// The preview in the window: the pane shows what the device presents, "Refresh" draws again, and a
// machine without a device gets the message and the end of the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <QAction>
#include <QDir>
#include <QPushButton>

#include "FailingRuntime.h"
#include "LogTextBox.h"
#include "PreviewPane.h"
#include "RshWriter.h"
#include "ScriptedOpenDialog.h"
#include "TempDir.h"
#include "frmRSH.h"

namespace pelliton {
namespace {

constexpr QRgb kBackground = qRgb(51, 51, 51);

// An uncompressed texture of one colour, stored red, green, blue, alpha per texel.
std::vector<std::uint8_t> PlainTexture(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    std::vector<std::uint8_t> texels;
    for (int i = 0; i < 16 * 16; ++i) texels.insert(texels.end(), {red, green, blue, 255});
    return WriteRshBytes(MakeTextureRecords(kImageTypeUncompressed, 16, 16, 1, 16 * 16 * 4), texels);
}

struct Ending {
    QString message;
    int ends = 0;
};

class frmRshPreviewTest : public ::testing::Test {
protected:
    explicit frmRshPreviewTest(RuntimeFactory runtime = MakeSoftwareRuntime) {
        auto dialog = std::make_unique<testing::ScriptedOpenDialog>();
        dialog_ = dialog.get();
        ProgramEnd programEnd{[this](const QString& message) { ending_.message = message; },
                              [this] { ++ending_.ends; }};
        window_ = std::make_unique<frmRSH>(std::move(dialog), std::move(runtime), std::move(programEnd));
    }
    ~frmRshPreviewTest() override { QDir::setCurrent(startFolder_); }

    void Open(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        dialog_->answer = QString::fromStdString(folder_.Write(name, bytes));
        window_->findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    }
    const QImage& Shown() const { return window_->findChild<PreviewPane*>(QStringLiteral("picRSH"))->PresentedFrame(); }
    QPushButton* Refresh() const { return window_->findChild<QPushButton*>(QStringLiteral("cmdRefresh")); }
    QString Log() const { return window_->findChild<LogTextBox*>(QStringLiteral("txtDebug"))->Text(); }

    const QString startFolder_ = QDir::currentPath();
    testing::TempDir folder_;
    testing::ScriptedOpenDialog* dialog_ = nullptr;
    Ending ending_;
    std::unique_ptr<frmRSH> window_;
};

TEST_F(frmRshPreviewTest, ThePaneShowsTheExportedTextureAtItsClientSize) {
    EXPECT_TRUE(Shown().isNull());
    const auto* pane = window_->findChild<PreviewPane*>(QStringLiteral("picRSH"));
    EXPECT_EQ(pane->ClientWidth(), kPreviewPaneClientSize);
    EXPECT_EQ(pane->ClientHeight(), kPreviewPaneClientSize);

    Open("red.rsh", PlainTexture(200, 10, 20));
    ASSERT_FALSE(Shown().isNull());
    EXPECT_EQ(Shown().size(), QSize(kPreviewPaneClientSize, kPreviewPaneClientSize));
    EXPECT_EQ(Shown().pixel(0, 0), kBackground);
    EXPECT_EQ(Shown().pixel(kPreviewPaneClientSize / 2, kPreviewPaneClientSize / 2), qRgb(200, 10, 20));
}

TEST_F(frmRshPreviewTest, RefreshDrawsTheExportedFileAsItIsNow) {
    Open("tex.rsh", PlainTexture(200, 10, 20));
    const int centre = kPreviewPaneClientSize / 2;

    // The exported file is replaced on disk by one of another colour.
    std::vector<std::uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 32, 0};
    for (int i = 0; i < 16 * 16; ++i) tga.insert(tga.end(), {200, 20, 10, 255});  // blue, green, red, alpha
    WriteFileBytes((folder_.path() / "tex.TGA").string(), tga);

    Refresh()->click();
    EXPECT_EQ(Shown().pixel(centre, centre), qRgb(10, 20, 200));
    EXPECT_EQ(Log().count(QStringLiteral("\r\n")), 36)
        << "Refresh only draws: it neither reads the source nor logs";
}

// The failed open moves the current folder, as the dialog does; "Refresh" still finds the real export.
TEST_F(frmRshPreviewTest, AnOpenThatFailsShowsTheBackgroundAndRefreshDrawsTheLastExport) {
    const int centre = kPreviewPaneClientSize / 2;
    Open("hull.rsh", PlainTexture(200, 10, 20));
    std::filesystem::create_directory(folder_.path() / "modB");
    std::vector<std::uint8_t> foreign = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 32, 0};
    for (int i = 0; i < 16 * 16; ++i) foreign.insert(foreign.end(), {200, 20, 10, 255});
    folder_.Write("modB/hull.TGA", foreign);  // a picture the tool never wrote
    std::vector<std::uint8_t> truncated = PlainTexture(1, 2, 3);
    truncated.resize(150);

    Open("modB/broken.rsh", truncated);
    EXPECT_EQ(Shown().pixel(centre, centre), kBackground);
    const QString log = Log();
    Refresh()->click();
    EXPECT_EQ(Shown().pixel(centre, centre), qRgb(200, 10, 20));
    EXPECT_EQ(Log(), log);
}

TEST_F(frmRshPreviewTest, RefreshOfADeletedExportSaysWhyAndShowsTheBackground) {
    Open("tex.rsh", PlainTexture(200, 10, 20));
    std::filesystem::remove(folder_.path() / "tex.TGA");
    Refresh()->click();
    EXPECT_TRUE(Log().endsWith(QStringLiteral("Error: cannot preview tex.TGA: No such file or directory\r\n"))) << Log().toStdString();
    EXPECT_EQ(Shown().pixel(kPreviewPaneClientSize / 2, kPreviewPaneClientSize / 2), kBackground);
}

class frmRshWithoutDeviceTest : public frmRshPreviewTest {
protected:
    frmRshWithoutDeviceTest() : frmRshPreviewTest(testing::MakeNoDeviceRuntime) {}
};

TEST_F(frmRshWithoutDeviceTest, ShowsTheMessageAndEndsTheProgramBeforeReading) {
    Open("red.rsh", PlainTexture(200, 10, 20));
    EXPECT_EQ(ending_.message, QStringLiteral("Unable to CreateDevice for texture preview"));
    EXPECT_EQ(ending_.ends, 1);
    EXPECT_EQ(window_->findChild<LogTextBox*>(QStringLiteral("txtDebug"))->Text(), QString());
    EXPECT_FALSE(Refresh()->isEnabled());
}

}  // namespace
}  // namespace pelliton
