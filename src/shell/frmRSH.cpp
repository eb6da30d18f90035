// The main window: preview pane, log pane, "Refresh", status bar, and the File and Help menus.
#include "shell/frmRSH.h"

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

#include "about/frmAbout.h"
#include "common/Version.h"
#include "shell/LogTextBox.h"
#include "shell/PreviewPane.h"
#include "ui/AppIcon.h"
#include "ui/PlainMessage.h"
#include "ui/Twips.h"

namespace pelliton {

namespace {

constexpr int kClientWidthTwips = 11685;
constexpr int kClientHeightTwips = 8970;

}  // namespace

ProgramEnd EndWithMessageBox() {
    return {[](const QString& message) { ShowPlainMessage(nullptr, message); },
            [] { std::_Exit(EXIT_FAILURE); }};  // at once: no window gets to close
}

frmRSH::frmRSH(std::unique_ptr<OpenFileDialog> openDialog, RuntimeFactory makeRuntime, ProgramEnd programEnd,
               QWidget* parent)
    : QMainWindow(parent), openDialog_(std::move(openDialog)), programEnd_(std::move(programEnd)) {
    // A fixed single border: close box only, and the size never changes.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(AppIcon());
    CreateControls();
    session_ = std::make_unique<RshSession>(*this, *picRSH_, std::move(makeRuntime));
    CreateActions();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
    Form_Load();
}

// The client area below the menu bar holds every control at its designed place.
void frmRSH::CreateControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    setCentralWidget(client);

    txtDebug_ = new LogTextBox(client);
    txtDebug_->setObjectName(QStringLiteral("txtDebug"));
    txtDebug_->setGeometry(TwipsRect(120, 720, 2895, 7815));

    cmdRefresh_ = new QPushButton(QStringLiteral("Refresh"), client);
    cmdRefresh_->setObjectName(QStringLiteral("cmdRefresh"));
    cmdRefresh_->setGeometry(TwipsRect(1560, 120, 1455, 495));

    picRSH_ = new PreviewPane(client);
    picRSH_->setObjectName(QStringLiteral("picRSH"));
    picRSH_->setGeometry(TwipsRect(3120, 120, kPicRshSideTwips, kPicRshSideTwips));

    StatusBar1_ = new QStatusBar(client);
    StatusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1_->setSizeGripEnabled(false);
    StatusBar1_->setGeometry(TwipsRect(0, 8595, 11685, 375));

    setTabOrder(txtDebug_, picRSH_);
    setTabOrder(picRSH_, cmdRefresh_);
}

void frmRSH::CreateActions() {
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));

    QAction* mnuFileOpen = mnuFile->addAction(QStringLiteral("&Open"), this, &frmRSH::mnuFileOpen_Click);
    mnuFileOpen->setObjectName(QStringLiteral("mnuFileOpen"));
    mnuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));

    QAction* mnuFileQuit = mnuFile->addAction(QStringLiteral("&Quit"), this, &frmRSH::mnuFileQuit_Click);
    mnuFileQuit->setObjectName(QStringLiteral("mnuFileQuit"));
    mnuFileQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));

    QAction* mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About"), this, &frmRSH::mnuHelpAbout_Click);
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
    mnuHelpAbout->setShortcut(QKeySequence(Qt::Key_F1));

    connect(cmdRefresh_, &QPushButton::clicked, this, &frmRSH::cmdRefresh_Click);
}

// "Refresh" needs an image to redraw, so it waits for the first open command that completes.
void frmRSH::UpdateCommands() { cmdRefresh_->setEnabled(fileOpened_); }

void frmRSH::Form_Load() {
    setWindowTitle(QStringLiteral("Quibbo's Dawn of War Pelliton / Extractor - %1.%2.%3")
                       .arg(kVersionMajor)
                       .arg(kVersionMinor)
                       .arg(kVersionRevision));
    UpdateCommands();
}

void frmRSH::AddDebugLine(std::string_view text) { txtDebug_->AppendLine(FromUtf8(text)); }

void frmRSH::ClearLog() { txtDebug_->SetText(QString()); }

void frmRSH::SetStatusText(std::string_view text) { StatusBar1_->showMessage(FromUtf8(text)); }

void frmRSH::mnuFileOpen_Click() {
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
void frmRSH::cmdRefresh_Click() { session_->RenderPreview(); }

void frmRSH::mnuFileQuit_Click() { close(); }

// Modeless and without an owner: the main window stays usable, and either window may close first.
void frmRSH::mnuHelpAbout_Click() { frmAbout::ShowSingleWindow(*this); }

}  // namespace pelliton
