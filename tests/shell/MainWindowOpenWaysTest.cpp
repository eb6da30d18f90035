// Opening as people do besides File > Open: a file dropped on the window, the recent files in the
// File menu, and the list of recent files kept in Qt's settings between runs.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "shell/QtRecentFilesStore.h"
#include "shell/ShellWindowTest.h"

namespace pelliton {
namespace {

class MainWindowOpenWaysTest : public testing::ShellWindowTest {
protected:
    // Sends the window what a drag of these addresses sends; true when it takes them.
    bool Drop(const QList<QUrl>& urls) {
        QMimeData dragged;
        dragged.setUrls(urls);
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
        return drop.isAccepted();
    }
    // The captions of the recent file items shown, in menu order.
    QStringList RecentCaptions() const {
        QStringList captions;
        for (int index = 1; index <= ui::kRecentFileCount; ++index) {
            const QAction* action = Action(QStringLiteral("recentFileAction%1").arg(index).toLatin1().constData());
            if (action->isVisible()) captions << action->text();
        }
        return captions;
    }
};

TEST_F(MainWindowOpenWaysTest, ADroppedFileOpensTheFirstLocalOne) {
    const QString first = CopySample("first.rsh");
    const QString second = CopySample("second.rsh");
    ASSERT_TRUE(Drop({QUrl(QStringLiteral("https://example.org/a.rsh")), QUrl::fromLocalFile(first),
                      QUrl::fromLocalFile(second)}));
    EXPECT_EQ(Status(), first);
    EXPECT_EQ(List()->topLevelItemCount(), 3);
}

TEST_F(MainWindowOpenWaysTest, ADragWithoutALocalFileIsRefused) {
    EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.org/a.rsh"))}));
    EXPECT_FALSE(Drop({}));
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(List()->topLevelItemCount(), 0);
}

TEST_F(MainWindowOpenWaysTest, TheRecentFilesSitBetweenASeparatorAndQuitNewestFirst) {
    EXPECT_TRUE(RecentCaptions().isEmpty());
    QStringList paths;
    for (const char* name : {"a&b.rsh", "b.rsh"}) {
        paths << CopySample(name);
        window->OpenFile(paths.back());
    }
    EXPECT_EQ(RecentCaptions(), (QStringList{QStringLiteral("&1 ") + paths[1],
                                             QStringLiteral("&2 ") + QString(paths[0]).replace(QStringLiteral("&"), QStringLiteral("&&"))}));

    const QList<QAction*> items = window->menuBar()->actions()[0]->menu()->actions();
    const qsizetype quit = items.indexOf(Action("quitAction"));
    ASSERT_GE(quit, 5);
    EXPECT_TRUE(items[quit - 1]->isSeparator());
    EXPECT_EQ(items[quit - 5]->objectName(), QStringLiteral("recentFileAction1"));
    EXPECT_TRUE(items[quit - 6]->isSeparator());
    EXPECT_TRUE(items[quit - 6]->isVisible());

    Trigger("recentFileAction2");
    EXPECT_EQ(Status(), paths[0]);
    EXPECT_EQ(RecentCaptions()[0], QStringLiteral("&1 ") + QString(paths[0]).replace(QStringLiteral("&"), QStringLiteral("&&")));
}

TEST_F(MainWindowOpenWaysTest, AtMostFourRecentFilesAreKeptForTheNextRun) {
    QStringList paths;
    for (int index = 0; index < 5; ++index) {
        paths << CopySample("file" + std::to_string(index) + ".rsh");
        window->OpenFile(paths.back());
    }
    const QStringList expected{QStringLiteral("&1 ") + paths[4], QStringLiteral("&2 ") + paths[3],
                               QStringLiteral("&3 ") + paths[2], QStringLiteral("&4 ") + paths[1]};
    EXPECT_EQ(RecentCaptions(), expected);
    ASSERT_EQ(recent->paths.size(), 4u);
    EXPECT_EQ(QString::fromStdString(recent->paths.front()), paths[4]);

    Start(recent->paths);
    EXPECT_EQ(RecentCaptions(), expected) << "the next run lists them from the start";
    Trigger("recentFileAction4");
    EXPECT_EQ(Status(), paths[1]);
}

TEST(QtRecentFilesStore, KeepsTheListUnderPellitonInTheUsersSettings) {
    testing::TempDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsFolder.path().string()));

    QtRecentFilesStore store;
    EXPECT_TRUE(store.Load().empty());
    const std::vector<std::string> paths{"/mods/wände.rsh", "/mods/b.rsh"};
    store.Store(paths);
    EXPECT_EQ(QtRecentFilesStore().Load(), paths);

    const QSettings kept(QStringLiteral("Pelliton"), QStringLiteral("Pelliton"));
    EXPECT_TRUE(kept.fileName().startsWith(QString::fromStdString(settingsFolder.path().string())));
    EXPECT_EQ(kept.value(QStringLiteral("recentFiles")).toStringList(),
              (QStringList{QStringLiteral("/mods/wände.rsh"), QStringLiteral("/mods/b.rsh")}));
}

}  // namespace
}  // namespace pelliton
