// The main window: preview pane, log pane, "Refresh", status bar, and the File and Help menus.
#include "shell/MainWindow.h"

#include <cstdlib>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include "about/AboutWindow.h"
#include "shell/LogTextBox.h"
#include "shell/PreviewPane.h"
#include "ui/MainWindowLayout.h"
#include "ui/VersionedTexts.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/PlainMessage.h"
#include "ui/qt/QtGeometry.h"

namespace pelliton {

namespace {

// The names tests and tools find the menu items by.
QString ActionName(ui::MainCommand command) {
    switch (command) {
        case ui::MainCommand::Open:
            return QStringLiteral("openAction");
        case ui::MainCommand::Quit:
            return QStringLiteral("quitAction");
        case ui::MainCommand::About:
            return QStringLiteral("aboutAction");
        case ui::MainCommand::Refresh:
            break;  // a button, not a menu item
    }
    return {};
}

}  // namespace

ProgramEnd EndWithMessageBox() {
    return {[](const QString& message) { ShowPlainMessage(nullptr, message); },
            [] { std::_Exit(EXIT_FAILURE); }};  // at once: no window gets to close
}

MainWindow::MainWindow(std::unique_ptr<OpenFileDialog> openDialog, RuntimeFactory makeRuntime, ProgramEnd programEnd,
                       QWidget* parent)
    : QMainWindow(parent), openDialog_(std::move(openDialog)), programEnd_(std::move(programEnd)) {
    // A fixed single border: close box only, and the size never changes.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(AppIcon());
    BuildControls();
    session_ = std::make_unique<RshSession>(*this, *previewPane_, std::move(makeRuntime));
    BuildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
    setWindowTitle(FromUtf8(ui::MainWindowTitle()));
    UpdateCommands();
}

// The client area below the menu bar holds every control at its designed place.
void MainWindow::BuildControls() {
    const ui::MainWindowLayout& layout = ui::kMainWindow;
    auto* client = new QWidget(this);
    client->setFixedSize(TwipsToPixels(layout.clientArea.width), TwipsToPixels(layout.clientArea.height));
    setCentralWidget(client);

    logPane_ = new LogTextBox(client);
    logPane_->setObjectName(QStringLiteral("logPane"));
    logPane_->setGeometry(ToQRect(layout.logPane));

    refreshButton_ = new QPushButton(FromUtf8(layout.refreshButton.text), client);
    refreshButton_->setObjectName(QStringLiteral("refreshButton"));
    refreshButton_->setGeometry(ToQRect(layout.refreshButton.place));

    previewPane_ = new PreviewPane(client);
    previewPane_->setObjectName(QStringLiteral("previewPane"));
    previewPane_->setGeometry(ToQRect(layout.previewPane));

    statusBar_ = new QStatusBar(client);
    statusBar_->setObjectName(QStringLiteral("statusBar"));
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setGeometry(ToQRect(layout.statusBar));

    setTabOrder(logPane_, previewPane_);
    setTabOrder(previewPane_, refreshButton_);
}

void MainWindow::BuildMenus() {
    for (const ui::Menu& menu : ui::kMainMenus) {
        QMenu* shown = menuBar()->addMenu(FromUtf8(menu.caption));
        for (const ui::MenuItem& item : menu.items) {
            QAction* action = shown->addAction(FromUtf8(item.caption), this, [this, item] { OnCommand(item.command); });
            action->setObjectName(ActionName(item.command));
            action->setShortcut(QKeySequence(FromUtf8(ui::ShortcutText(item.shortcut)), QKeySequence::PortableText));
        }
    }
    connect(refreshButton_, &QPushButton::clicked, this, &MainWindow::OnRefresh);
}

void MainWindow::OnCommand(ui::MainCommand command) {
    switch (command) {
        case ui::MainCommand::Open:
            OnFileOpen();
            return;
        case ui::MainCommand::Quit:
            OnFileQuit();
            return;
        case ui::MainCommand::About:
            OnHelpAbout();
            return;
        case ui::MainCommand::Refresh:
            OnRefresh();
            return;
    }
}

// "Refresh" needs an image to redraw, so it waits for the first open command that completes.
void MainWindow::UpdateCommands() { refreshButton_->setEnabled(fileOpened_); }

void MainWindow::AddDebugLine(std::string_view text) { logPane_->AppendLine(FromUtf8(text)); }

void MainWindow::ClearLog() { logPane_->SetText(QString()); }

void MainWindow::SetStatusText(std::string_view text) { statusBar_->showMessage(FromUtf8(text)); }

void MainWindow::OnFileOpen() {
    const std::optional<QString> chosen = openDialog_->ChooseFile(this);
    if (!chosen || chosen->isEmpty()) return;
    // Made absolute first: a relative name would point elsewhere once the folder changes.
    const QString path = QFileInfo(*chosen).absoluteFilePath();
    // As the Windows dialog does, so that exports land beside their source.
    QDir::setCurrent(QFileInfo(path).absolutePath());
    const OpenResult result = session_->Open(path.toStdString());
    switch (result.outcome) {
        case OpenResult::Outcome::DeviceUnavailable:
            programEnd_.showMessage(FromUtf8(kDeviceUnavailableMessage));
            programEnd_.endProgram();
            return;
        case OpenResult::Outcome::Failed:
            return;  // the reason is already in the log
        case OpenResult::Outcome::Completed:
            fileOpened_ = true;
            UpdateCommands();
            return;
    }
}

// Draws the last exported file again, and nothing else.
void MainWindow::OnRefresh() { session_->RenderPreview(); }

void MainWindow::OnFileQuit() { close(); }

// Modeless and without an owner: the main window stays usable, and either window may close first.
void MainWindow::OnHelpAbout() { AboutWindow::ShowSingleWindow(*this); }

}  // namespace pelliton
