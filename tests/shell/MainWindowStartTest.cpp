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
#include "shell/MainWindow.h"
#include "shell/PreviewPane.h"
#include "shell/ScriptedOpenDialog.h"

namespace pelliton {
namespace {

class MainWindowStartTest : public ::testing::Test {
protected:
    MainWindowStartTest() : window(std::make_unique<testing::ScriptedOpenDialog>()) { window.show(); }

    template <typename Control>
    Control* Find(const char* name) {
        return window.findChild<Control*>(QLatin1String(name));
    }

    MainWindow window;
};

TEST_F(MainWindowStartTest, TitleAndIcon) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quibbo's Dawn of War Pelliton / Extractor - 1.0.0"));
    EXPECT_EQ(window.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST_F(MainWindowStartTest, ClientAreaBelowTheMenuIsFixedAndCentred) {
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

TEST_F(MainWindowStartTest, FrameHasACloseBoxButNoMinimizeOrMaximizeBox) {
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(MainWindowStartTest, ControlsSitAtTheirPlacesInTheClientArea) {
    struct Place {
        const char* name;
        QRect geometry;  // pixels: the designed twips divided by 15
    };
    const Place places[] = {
        {"logPane", {8, 48, 193, 521}},
        {"refreshButton", {104, 8, 97, 33}},
        {"previewPane", {208, 8, 561, 561}},
        {"statusBar", {0, 573, 779, 25}},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        const QWidget* control = Find<QWidget>(place.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget(), window.centralWidget());
        EXPECT_EQ(control->geometry(), place.geometry);
    }
}

TEST_F(MainWindowStartTest, ControlsStartEmptyWithRefreshDisabled) {
    const auto* refresh = Find<QPushButton>("refreshButton");
    ASSERT_NE(refresh, nullptr);
    EXPECT_EQ(refresh->text(), QStringLiteral("Refresh"));
    EXPECT_FALSE(refresh->isEnabled());

    const auto* log = Find<LogTextBox>("logPane");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->Text(), QString());

    const auto* status = Find<QStatusBar>("statusBar");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->currentMessage(), QString());

    // The preview is drawn inside a 2-pixel border.
    const auto* preview = Find<PreviewPane>("previewPane");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->contentsRect(), QRect(2, 2, 557, 557));
}

TEST_F(MainWindowStartTest, TabVisitsLogPreviewThenRefresh) {
    Find<QPushButton>("refreshButton")->setEnabled(true);  // a disabled button is skipped
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Find<QWidget>("logPane")->setFocus();

    QStringList visited;
    for (int step = 0; step < 4; ++step) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        visited << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QStringList{"logPane", "previewPane", "refreshButton", "logPane"}));
}

TEST_F(MainWindowStartTest, FileMenuHoldsOpenAndQuitOnly) {
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    const QMenu* file = menus[0]->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    ASSERT_NE(menus[1]->menu(), nullptr);
    EXPECT_EQ(menus[1]->menu()->title(), QStringLiteral("&Help"));

    struct Item {
        const char* name;
        QString caption;
        QKeySequence shortcut;
    };
    const Item items[] = {
        {"openAction", QStringLiteral("&Open"), QKeySequence(QStringLiteral("Ctrl+O"))},
        {"quitAction", QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q"))},
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
TEST_F(MainWindowStartTest, CtrlQClosesTheWindowAndEndsTheApplication) {
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
