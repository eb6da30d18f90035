// The preview in the window: the pane shows what the device presents, "Refresh" draws again, and a
// machine without a device gets the message and the end of the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <QAction>
#include <QDir>
#include <QPushButton>

#include "rshwrite/RshWriter.h"
#include "shell/LogTextBox.h"
#include "shell/MainWindow.h"
#include "preview/PreviewPaneSize.h"
#include "shell/PreviewPane.h"
#include "shell/ScriptedDialogs.h"
#include "support/FailingRuntime.h"
#include "support/PlainPictures.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

using testing::PlainRshTexture;
using testing::PlainTgaFile;

constexpr QRgb kBackground = qRgb(51, 51, 51);

struct Ending {
    QString message;
    int ends = 0;
};

class MainWindowPreviewTest : public ::testing::Test {
protected:
    explicit MainWindowPreviewTest(RuntimeFactory runtime = MakeSoftwareRuntime) {
        auto dialog = std::make_unique<testing::ScriptedDialogs>();
        dialog_ = dialog.get();
        ProgramEnd programEnd{[this](const QString& message) { ending_.message = message; },
                              [this] { ++ending_.ends; }};
        window_ = std::make_unique<MainWindow>(std::move(dialog), std::make_unique<testing::MemoryRecentFilesStore>(), std::move(runtime), std::move(programEnd));
    }
    ~MainWindowPreviewTest() override { QDir::setCurrent(startFolder_); }

    void Open(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        dialog_->rshFile = QString::fromStdString(folder_.Write(name, bytes));
        window_->findChild<QAction*>(QStringLiteral("openAction"))->trigger();
    }
    const QImage& Shown() const { return window_->findChild<PreviewPane*>(QStringLiteral("previewPane"))->PresentedFrame(); }
    QPushButton* Refresh() const { return window_->findChild<QPushButton*>(QStringLiteral("refreshButton")); }
    QString Log() const { return window_->findChild<LogTextBox*>(QStringLiteral("logPane"))->Text(); }

    const QString startFolder_ = QDir::currentPath();
    testing::TempDir folder_;
    testing::ScriptedDialogs* dialog_ = nullptr;
    Ending ending_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowPreviewTest, ThePaneShowsTheExportedTextureAtItsClientSize) {
    EXPECT_TRUE(Shown().isNull());
    const auto* pane = window_->findChild<PreviewPane*>(QStringLiteral("previewPane"));
    EXPECT_EQ(pane->ClientWidth(), kPreviewPaneClientSize);
    EXPECT_EQ(pane->ClientHeight(), kPreviewPaneClientSize);

    Open("red.rsh", PlainRshTexture(0xC80A14));
    ASSERT_FALSE(Shown().isNull());
    EXPECT_EQ(Shown().size(), QSize(kPreviewPaneClientSize, kPreviewPaneClientSize));
    EXPECT_EQ(Shown().pixel(0, 0), kBackground);
    EXPECT_EQ(Shown().pixel(kPreviewPaneClientSize / 2, kPreviewPaneClientSize / 2), qRgb(200, 10, 20));
}

TEST_F(MainWindowPreviewTest, RefreshDrawsTheExportedFileAsItIsNow) {
    Open("tex.rsh", PlainRshTexture(0xC80A14));
    const int centre = kPreviewPaneClientSize / 2;

    // The exported file is replaced on disk by one of another colour.
    WriteFileBytes((folder_.path() / "tex.TGA").string(), PlainTgaFile(0x0A14C8));

    Refresh()->click();
    EXPECT_EQ(Shown().pixel(centre, centre), qRgb(10, 20, 200));
    EXPECT_EQ(Log().count(QStringLiteral("\r\n")), 36)
        << "Refresh only draws: it neither reads the source nor logs";
}

// The failed open moves the current folder, as the dialog does; "Refresh" still finds the real export.
TEST_F(MainWindowPreviewTest, AnOpenThatFailsShowsTheBackgroundAndRefreshDrawsTheLastExport) {
    const int centre = kPreviewPaneClientSize / 2;
    Open("hull.rsh", PlainRshTexture(0xC80A14));
    std::filesystem::create_directory(folder_.path() / "modB");
    folder_.Write("modB/hull.TGA", PlainTgaFile(0x0A14C8));  // a picture the tool never wrote
    std::vector<std::uint8_t> truncated = PlainRshTexture(0x010203);
    truncated.resize(150);

    Open("modB/broken.rsh", truncated);
    EXPECT_EQ(Shown().pixel(centre, centre), kBackground);
    const QString log = Log();
    Refresh()->click();
    EXPECT_EQ(Shown().pixel(centre, centre), qRgb(200, 10, 20));
    EXPECT_EQ(Log(), log);
}

TEST_F(MainWindowPreviewTest, RefreshOfADeletedExportSaysWhyAndShowsTheBackground) {
    Open("tex.rsh", PlainRshTexture(0xC80A14));
    std::filesystem::remove(folder_.path() / "tex.TGA");
    Refresh()->click();
    EXPECT_TRUE(Log().endsWith(QStringLiteral("Error: cannot preview tex.TGA: No such file or directory\r\n"))) << Log().toStdString();
    EXPECT_EQ(Shown().pixel(kPreviewPaneClientSize / 2, kPreviewPaneClientSize / 2), kBackground);
}

class MainWindowWithoutDeviceTest : public MainWindowPreviewTest {
protected:
    MainWindowWithoutDeviceTest() : MainWindowPreviewTest(testing::MakeNoDeviceRuntime) {}
};

TEST_F(MainWindowWithoutDeviceTest, ShowsTheMessageAndEndsTheProgramBeforeReading) {
    Open("red.rsh", PlainRshTexture(0xC80A14));
    EXPECT_EQ(ending_.message, QStringLiteral("Unable to CreateDevice for texture preview"));
    EXPECT_EQ(ending_.ends, 1);
    EXPECT_EQ(window_->findChild<LogTextBox*>(QStringLiteral("logPane"))->Text(), QString());
    EXPECT_FALSE(Refresh()->isEnabled());
}

}  // namespace
}  // namespace pelliton
