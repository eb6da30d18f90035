// The main window: preview pane, log pane, "Refresh", status bar, and the File and Help menus.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include <QMainWindow>
#include <QString>

#include "session/RshSession.h"
#include "session/SessionView.h"
#include "shell/OpenFileDialog.h"
#include "shell/QtOpenFileDialog.h"
#include "ui/MainMenu.h"

class QPushButton;
class QStatusBar;

namespace pelliton {

class LogTextBox;
class PreviewPane;

// How the program ends when the preview has no device: a message, then the end at once.
struct ProgramEnd {
    std::function<void(const QString& message)> showMessage;
    std::function<void()> endProgram;
};
ProgramEnd EndWithMessageBox();

class MainWindow : public QMainWindow, public SessionView {
    Q_OBJECT

public:
    explicit MainWindow(std::unique_ptr<OpenFileDialog> openDialog = std::make_unique<QtOpenFileDialog>(),
                        RuntimeFactory makeRuntime = MakeSoftwareRuntime, ProgramEnd programEnd = EndWithMessageBox(),
                        QWidget* parent = nullptr);

    void AddDebugLine(std::string_view text) override;
    void ClearLog() override;
    void SetStatusText(std::string_view text) override;

private slots:
    void OnFileOpen();
    void OnFileQuit();
    void OnRefresh();
    void OnHelpAbout();

private:
    void BuildControls();
    void BuildMenus();
    void OnCommand(ui::MainCommand command);
    void UpdateCommands();

    std::unique_ptr<OpenFileDialog> openDialog_;
    ProgramEnd programEnd_;
    std::unique_ptr<RshSession> session_;  // made once the preview pane exists
    bool fileOpened_ = false;              // an open command has run to its end

    LogTextBox* logPane_ = nullptr;
    QPushButton* refreshButton_ = nullptr;
    PreviewPane* previewPane_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
};

}  // namespace pelliton
