// The main window as it starts: frame, controls, focus order, menus, and Quit.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
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
#include "shell/ScriptedDialogs.h"

namespace pelliton {
namespace {

class MainWindowStartTest : public ::testing::Test {
protected:
    MainWindowStartTest()
        : window(std::make_unique<testing::ScriptedDialogs>(), std::make_unique<testing::MemoryRecentFilesStore>()) {
        window.show();
    }

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

TEST_F(MainWindowStartTest, ClientAreaBelowTheMenuStartsAtTheDesignedSizeCentred) {
    const QRect client = window.centralWidget()->geometry();
    EXPECT_EQ(client.size(), QSize(779, 598));
    EXPECT_EQ(client.top(), window.menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(window.size(), QSize(779, window.menuBar()->height() + 598));
    EXPECT_EQ(window.minimumSizeHint(), window.size()) << "the designed size is also the smallest";

    const QPoint offCentre = window.geometry().center() - window.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);
}

TEST_F(MainWindowStartTest, FrameHasCloseMinimizeAndMaximizeBoxes) {
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::CustomizeWindowHint)) << "the platform's normal frame";
    EXPECT_EQ(window.windowType(), Qt::Window);
}

TEST_F(MainWindowStartTest, ControlsSitAtTheirPlacesInTheClientArea) {
    struct Place {
        const char* name;
        QRect geometry;  // pixels: the designed twips divided by 15
    };
    const Place places[] = {
        {"logPane", {8, 48, 193, 344}},
        {"textureList", {8, 396, 193, 144}},
        {"teamColourButton1", {8, 544, 35, 25}},
        {"teamColourButton2", {47, 544, 35, 25}},
        {"teamColourButton3", {86, 544, 36, 25}},
        {"teamColourButton4", {126, 544, 35, 25}},
        {"teamColourButton5", {165, 544, 36, 25}},
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

TEST_F(MainWindowStartTest, TabVisitsLogTexturesTeamColoursPreviewThenRefresh) {
    const QStringList buttons = {"teamColourButton1", "teamColourButton2", "teamColourButton3", "teamColourButton4",
                                 "teamColourButton5"};
    for (const QString& button : buttons + QStringList{"refreshButton"}) {
        window.findChild<QPushButton*>(button)->setEnabled(true);  // a disabled button is skipped
    }
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Find<QWidget>("logPane")->setFocus();

    QStringList visited;
    for (int step = 0; step < 10; ++step) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        visited << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QStringList{"logPane", "textureList"} + buttons +
                        QStringList{"previewPane", "refreshButton", "logPane"}));
}

// Each menu's items as shown before a file is open ("-" a separator); the recent files are hidden.
TEST_F(MainWindowStartTest, MenusHoldTheirItemsWithKeysAndStates) {
    struct Item {
        const char* name;
        QString caption;
        QKeySequence shortcut;
        bool enabled = false;
        bool checkable = false;
    };
    struct Menu {
        QString title;
        std::vector<Item> items;
    };
    const Item separator{"-", {}, {}};
    const Menu menus[] = {
        {QStringLiteral("&File"),
         {{"openAction", QStringLiteral("&Open"), QKeySequence(QStringLiteral("Ctrl+O")), true},
          {"saveAction", QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S"))},
          {"saveAsAction", QStringLiteral("Save &As..."), QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
          separator,
          {"exportAllAction", QStringLiteral("&Export All Textures..."), QKeySequence(QStringLiteral("Ctrl+E"))},
          {"exportAllAsPngAction", QStringLiteral("Export All Textures as &PNG..."),
           QKeySequence(QStringLiteral("Ctrl+Shift+E"))},
          separator,
          {"quitAction", QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q")), true}}},
        {QStringLiteral("&Texture"),
         {{"replaceAction", QStringLiteral("&Replace..."), QKeySequence(QStringLiteral("Ctrl+R"))}}},
        {QStringLiteral("&View"),
         {{"perspectiveAction", QStringLiteral("&Perspective"), QKeySequence(QStringLiteral("Ctrl+1")), false, true},
          {"fitAction", QStringLiteral("&Fit to Pane"), QKeySequence(QStringLiteral("Ctrl+2")), false, true},
          {"actualSizeAction", QStringLiteral("&Actual Size"), QKeySequence(QStringLiteral("Ctrl+3")), false, true},
          separator,
          {"showAlphaAction", QStringLiteral("Show A&lpha"), QKeySequence(QStringLiteral("Ctrl+L")), false, true},
          separator,
          {"largerMipAction", QStringLiteral("L&arger MIP Level"), QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
          {"smallerMipAction", QStringLiteral("S&maller MIP Level"), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}}},
        {QStringLiteral("&Help"), {{"aboutAction", QStringLiteral("&About"), QKeySequence(Qt::Key_F1), true}}},
    };
    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(std::size(menus)));
    for (std::size_t index = 0; index < std::size(menus); ++index) {
        const QMenu* shown = bar[static_cast<qsizetype>(index)]->menu();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->title(), menus[index].title);
        QList<QAction*> visible;
        for (QAction* action : shown->actions()) {
            if (action->isVisible()) visible << action;
        }
        ASSERT_EQ(visible.size(), static_cast<qsizetype>(menus[index].items.size())) << shown->title().toStdString();
        for (std::size_t row = 0; row < menus[index].items.size(); ++row) {
            const Item& item = menus[index].items[row];
            const QAction* action = visible[static_cast<qsizetype>(row)];
            SCOPED_TRACE(item.name);
            if (item.name == separator.name) {
                EXPECT_TRUE(action->isSeparator());
                continue;
            }
            EXPECT_EQ(action->objectName(), QLatin1String(item.name));
            EXPECT_EQ(action->text(), item.caption);
            EXPECT_EQ(action->shortcut(), item.shortcut);
            EXPECT_EQ(action->isEnabled(), item.enabled);
            EXPECT_EQ(action->isCheckable(), item.checkable);
        }
    }
}

TEST_F(MainWindowStartTest, TheScalesAreOneGroupOfChoices) {
    const QActionGroup* group = Find<QAction>("perspectiveAction")->actionGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->exclusionPolicy(), QActionGroup::ExclusionPolicy::Exclusive);
    EXPECT_EQ(group->actions(),
              (QList<QAction*>{Find<QAction>("perspectiveAction"), Find<QAction>("fitAction"),
                               Find<QAction>("actualSizeAction")}));
    EXPECT_EQ(Find<QAction>("showAlphaAction")->actionGroup(), nullptr);
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
