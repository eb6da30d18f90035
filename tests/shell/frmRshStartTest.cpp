// The main window as it starts: frame, controls, focus order, menu, and Quit.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "shell/LogTextBox.h"
#include "shell/PreviewPane.h"
#include "shell/ScriptedOpenDialog.h"
#include "shell/frmRSH.h"

namespace pelliton {
namespace {

class frmRshStartTest : public ::testing::Test {
protected:
    frmRshStartTest() : window(std::make_unique<testing::ScriptedOpenDialog>()) { window.show(); }

    template <typename Control>
    Control* Find(const char* name) {
        return window.findChild<Control*>(QLatin1String(name));
    }

    frmRSH window;
};

TEST_F(frmRshStartTest, TitleAndIcon) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quibbo's Dawn of War Pelliton / Extractor - 1.0.0"));
    EXPECT_EQ(window.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST_F(frmRshStartTest, ClientAreaBelowTheMenuIsFixedAndCentred) {
    const QRect client = window.centralWidget()->geometry();
    EXPECT_EQ(client.size(), QSize(779, 598));
    EXPECT_EQ(client.top(), window.menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(window.size(), QSize(779, window.menuBar()->height() + 598));

    const QSize before = window.size();
    window.resize(before + QSize(100, 100));
    EXPECT_EQ(window.size(), before);

    const QPoint offCentre = window.geometry().center() - window.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);
}

TEST_F(frmRshStartTest, FrameHasACloseBoxButNoMinimizeOrMaximizeBox) {
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(frmRshStartTest, ControlsSitAtTheirPlacesInTheClientArea) {
    struct Place {
        const char* name;
        QRect geometry;  // pixels: the designed twips divided by 15
    };
    const Place places[] = {
        {"txtDebug", {8, 48, 193, 521}},
        {"cmdRefresh", {104, 8, 97, 33}},
        {"picRSH", {208, 8, 561, 561}},
        {"StatusBar1", {0, 573, 779, 25}},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        const QWidget* control = Find<QWidget>(place.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget(), window.centralWidget());
        EXPECT_EQ(control->geometry(), place.geometry);
    }
}

TEST_F(frmRshStartTest, ControlsStartEmptyWithRefreshDisabled) {
    const auto* refresh = Find<QPushButton>("cmdRefresh");
    ASSERT_NE(refresh, nullptr);
    EXPECT_EQ(refresh->text(), QStringLiteral("Refresh"));
    EXPECT_FALSE(refresh->isEnabled());

    const auto* log = Find<LogTextBox>("txtDebug");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->Text(), QString());

    const auto* status = Find<QStatusBar>("StatusBar1");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->currentMessage(), QString());

    // The preview is drawn inside a 2-pixel border.
    const auto* preview = Find<PreviewPane>("picRSH");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->contentsRect(), QRect(2, 2, 557, 557));
}

TEST_F(frmRshStartTest, TabVisitsLogPreviewThenRefresh) {
    Find<QPushButton>("cmdRefresh")->setEnabled(true);  // a disabled button is skipped
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Find<QWidget>("txtDebug")->setFocus();

    QStringList visited;
    for (int step = 0; step < 4; ++step) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        visited << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QStringList{"txtDebug", "picRSH", "cmdRefresh", "txtDebug"}));
}

TEST_F(frmRshStartTest, FileMenuHoldsOpenAndQuitOnly) {
    const auto* file = Find<QMenu>("mnuFile");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    const auto* help = Find<QMenu>("mnuHelp");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(window.menuBar()->actions(), (QList<QAction*>{file->menuAction(), help->menuAction()}));

    struct Item {
        const char* name;
        QString caption;
        QKeySequence shortcut;
    };
    const Item items[] = {
        {"mnuFileOpen", QStringLiteral("&Open"), QKeySequence(QStringLiteral("Ctrl+O"))},
        {"mnuFileQuit", QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q"))},
    };
    ASSERT_EQ(file->actions().size(), std::size(items));
    for (std::size_t index = 0; index < std::size(items); ++index) {
        SCOPED_TRACE(items[index].name);
        const QAction* action = file->actions()[static_cast<qsizetype>(index)];
        EXPECT_EQ(action->objectName(), QLatin1String(items[index].name));
        EXPECT_EQ(action->text(), items[index].caption);
        EXPECT_EQ(action->shortcut(), items[index].shortcut);
    }
}

// Runs the application's event loop: it must end by itself once Ctrl+Q closed the only window.
TEST_F(frmRshStartTest, CtrlQClosesTheWindowAndEndsTheApplication) {
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTimer::singleShot(0, &window, [this] { QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);

    EXPECT_EQ(QApplication::exec(), 0) << "the application kept running";
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace pelliton
