// A main window driven as a user drives it: scripted dialogs, recent files kept in memory, and a
// folder of its own holding copies of the samples, as exports land beside the file.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QDir>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include "shell/LogTextBox.h"
#include "shell/MainWindow.h"
#include "shell/PreviewPane.h"
#include "shell/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace pelliton::testing {

inline constexpr const char* kSample = "sample_tank.rsh";

class ShellWindowTest : public ::testing::Test {
protected:
    ShellWindowTest() { Start(); }
    ~ShellWindowTest() override { QDir::setCurrent(startFolder_); }

    // A new window, as the next run of the program, with these recent files kept from before.
    void Start(std::vector<std::string> recentPaths = {}) {
        window.reset();
        auto scripted = std::make_unique<ScriptedDialogs>();
        auto store = std::make_unique<MemoryRecentFilesStore>();
        store->paths = std::move(recentPaths);
        dialogs = scripted.get();
        recent = store.get();
        window = std::make_unique<MainWindow>(std::move(scripted), std::move(store));
        window->show();
    }

    // A copy of a sample, under another name or in a subfolder when asked; its path.
    QString CopySample(const std::string& as = kSample, const char* sample = kSample) const {
        const std::filesystem::path target = folder.path() / as;
        std::filesystem::create_directories(target.parent_path());
        std::filesystem::copy_file(std::filesystem::path(PELLITON_SAMPLES_DIR) / sample, target,
                                   std::filesystem::copy_options::overwrite_existing);
        return QString::fromStdString(target.string());
    }
    std::string InFolder(const std::string& name) const { return (folder.path() / name).string(); }

    QAction* Action(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }
    void Trigger(const char* name) const {
        QAction* action = Action(name);
        ASSERT_NE(action, nullptr) << name;
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
    }

    QTreeWidget* List() const { return window->findChild<QTreeWidget*>(QStringLiteral("textureList")); }
    PreviewPane* Pane() const { return window->findChild<PreviewPane*>(QStringLiteral("previewPane")); }
    QImage Frame() const { return Pane()->PresentedFrame(); }
    QString Title() const { return window->windowTitle(); }
    QString Status() const { return window->findChild<QStatusBar*>(QStringLiteral("statusBar"))->currentMessage(); }
    QString Log() const { return window->findChild<LogTextBox*>(QStringLiteral("logPane"))->Text(); }

    // Clicks the row as a user does.
    void ClickRow(int row) const {
        QTreeWidgetItem* item = List()->topLevelItem(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(item).center());
    }

    const QString startFolder_ = QDir::currentPath();
    TempDir folder;
    ScriptedDialogs* dialogs = nullptr;
    MemoryRecentFilesStore* recent = nullptr;
    std::unique_ptr<MainWindow> window;
};

}  // namespace pelliton::testing
