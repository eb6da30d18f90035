// The main window: log, texture list, team colour buttons, preview pane, "Refresh", status bar, and
// the File, Texture, View and Help menus; every command goes to the window's session.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string_view>

#include <QMainWindow>
#include <QString>

#include "session/SessionView.h"
#include "session/WindowSession.h"
#include "shell/WindowDialogs.h"
#include "ui/MainMenu.h"
#include "ui/MainWindowLayout.h"

class QAction;
class QPushButton;
class QStatusBar;

namespace pelliton {

class LogTextBox;
class PreviewPane;
class TextureList;

// How the program ends when the preview has no device: a message, then the end at once.
struct ProgramEnd {
    std::function<void(const QString& message)> showMessage;
    std::function<void()> endProgram;
};
ProgramEnd EndWithMessageBox();

class MainWindow : public QMainWindow, public SessionView {
    Q_OBJECT

public:
    MainWindow(std::unique_ptr<WindowDialogs> dialogs, std::unique_ptr<RecentFilesStore> recentFiles,
               RuntimeFactory makeRuntime = MakeSoftwareRuntime, ProgramEnd programEnd = EndWithMessageBox(),
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens the file as a chosen one, once unsaved changes were seen to: from the command line, a
    // drop, or the recent files.
    void OpenFile(const QString& path);

    void AddDebugLine(std::string_view text) override;
    void ClearLog() override;
    void SetStatusText(std::string_view text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void AddRecentFileItems(QMenu& fileMenu);
    void PlaceControls();

    void OnCommand(ui::MainCommand command);
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnExportAll(bool asPng);
    void OnReplace();
    void OnHelpAbout();
    void OnRecentFile(int index);
    void OnTeamColour(int index);

    bool ConfirmLeaving();
    void OpenChosen(const QString& path);
    void ShowFailure(const std::optional<std::string>& failure);
    // What every command ends with: title, enabled and checked items, the recent files.
    void UpdateCommands();
    void UpdateRecentFiles();
    void ShowTextureRows();
    // Each button a swatch of its colour, enabled while a pattern is shown.
    void UpdateTeamColourButtons();

    std::unique_ptr<WindowDialogs> dialogs_;
    std::unique_ptr<RecentFilesStore> recentFilesStore_;
    ProgramEnd programEnd_;
    std::unique_ptr<WindowSession> session_;  // made once the preview pane exists

    QWidget* client_ = nullptr;
    LogTextBox* logPane_ = nullptr;
    TextureList* textureList_ = nullptr;
    std::array<QPushButton*, ui::kTeamColourButtons> teamColourButtons_{};
    QPushButton* refreshButton_ = nullptr;
    PreviewPane* previewPane_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    std::map<ui::MainCommand, QAction*> actions_;
    QAction* recentFilesSeparator_ = nullptr;
    std::vector<QAction*> recentFileActions_;
};

}  // namespace pelliton
