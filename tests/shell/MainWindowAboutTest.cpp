// Help > About: one About window at a time, modeless, without an owner, and living on its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "about/AboutWindow.h"
#include "shell/MainWindow.h"
#include "shell/ScriptedDialogs.h"

namespace pelliton {
namespace {

class MainWindowAboutTest : public ::testing::Test {
protected:
    MainWindowAboutTest()
        : window(std::make_unique<testing::ScriptedDialogs>(), std::make_unique<testing::MemoryRecentFilesStore>()) {
        window.show();
    }
    ~MainWindowAboutTest() override {
        for (AboutWindow* about : AboutWindows()) delete about;
    }

    QAction* HelpAbout() { return window.findChild<QAction*>(QStringLiteral("aboutAction")); }

    static QList<AboutWindow*> AboutWindows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<AboutWindow*> found;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* about = qobject_cast<AboutWindow*>(widget)) found.push_back(about);
        }
        return found;
    }

    MainWindow window;
};

TEST_F(MainWindowAboutTest, HelpMenuHoldsAboutOnF1) {
    ASSERT_EQ(window.menuBar()->actions().size(), 4);
    const QMenu* help = window.menuBar()->actions().back()->menu();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->title(), QStringLiteral("&Help"));
    ASSERT_NE(HelpAbout(), nullptr);
    EXPECT_EQ(HelpAbout()->text(), QStringLiteral("&About"));
    EXPECT_EQ(HelpAbout()->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(help->actions(), QList<QAction*>{HelpAbout()});
}

TEST_F(MainWindowAboutTest, F1ShowsOneModelessWindowWithoutOwnerCentredOnTheMainWindow) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    const QList<AboutWindow*> shown = AboutWindows();
    ASSERT_EQ(shown.size(), 1);
    AboutWindow* about = shown[0];
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->parentWidget(), nullptr);
    EXPECT_LE((about->frameGeometry().center() - window.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(MainWindowAboutTest, SecondAboutShowsTheSameWindowWithoutLoadingItAgain) {
    HelpAbout()->trigger();
    ASSERT_EQ(AboutWindows().size(), 1);
    QPointer<AboutWindow> first = AboutWindows()[0];
    auto* version = first->findChild<QLabel*>(QStringLiteral("versionLine"));
    version->setText(QStringLiteral("marker"));  // a second load would write the version line again
    first->hide();
    first->show();

    HelpAbout()->trigger();
    ASSERT_EQ(AboutWindows(), QList<AboutWindow*>{first.data()});
    EXPECT_EQ(version->text(), QStringLiteral("marker"));
}

TEST_F(MainWindowAboutTest, AboutAfterClosingCreatesItAfresh) {
    HelpAbout()->trigger();
    QPointer<AboutWindow> first = AboutWindows()[0];
    first->findChild<QLabel*>(QStringLiteral("versionLine"))->setText(QStringLiteral("marker"));
    first->close();
    EXPECT_TRUE(AboutWindows().isEmpty());
    EXPECT_TRUE(first.isNull());

    HelpAbout()->trigger();
    ASSERT_EQ(AboutWindows().size(), 1);
    EXPECT_EQ(AboutWindows()[0]->findChild<QLabel*>(QStringLiteral("versionLine"))->text(),
              QStringLiteral("Version 1.0.0 (18-Oct-2004)"));
}

TEST_F(MainWindowAboutTest, ProcessEndsOnlyWhenBothWindowsAreClosed) {
    ASSERT_TRUE(QGuiApplication::quitOnLastWindowClosed());
    HelpAbout()->trigger();

    // The application's event loop runs as in the tool; it returns once the process would end.
    bool aboutOutlivedMainWindow = false;
    QTimer::singleShot(0, &window, [this] { window.close(); });
    QTimer::singleShot(50, &window, [&aboutOutlivedMainWindow] {
        const QList<AboutWindow*> open = AboutWindows();
        aboutOutlivedMainWindow = open.size() == 1 && open[0]->isVisible();
        for (AboutWindow* about : open) about->close();
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    safety.start(5000);

    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(aboutOutlivedMainWindow);
    EXPECT_TRUE(AboutWindows().isEmpty());
}

}  // namespace
}  // namespace pelliton
